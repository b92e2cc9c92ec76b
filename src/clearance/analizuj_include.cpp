#include "clearance/analizuj_include.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "app/konfiguracja.hpp"
#include "geometry/przeciecie_odcinkow.hpp"
#include "scenery/linia.hpp"
#include "scenery/sklej_linie.hpp"
#include "scenery/tekst_wspolrzednej.hpp"
#include "scenery/wielkosc_liter.hpp"

namespace wyrownik {

namespace {

struct Polozenie {
  double x = 0, z = 0, r = 0;
  std::size_t indeks_x = 0, indeks_z = 0;
};

std::optional<Polozenie> polozenie(const std::vector<std::string_view>& tokeny,
                                   const UstawieniaSkrajni& u) {
  Polozenie p;
  bool znalezione = false;
  std::optional<double> promien;
  int ciag = 0;
  for (std::size_t i = 2; i < tokeny.size(); ++i) {
    const auto v = liczba(tokeny[i]);
    ciag = v ? ciag + 1 : 0;
    if (!znalezione) {
      if (ciag == 1) {
        p.x = *v;
        p.indeks_x = i;
      } else if (ciag == 3) {
        p.z = *v;
        p.indeks_z = i;
        znalezione = true;
      }
    }
    // The radius is parameter nr_parametru counted from token 3, taken only
    // once the position is known (the Z token itself may be it).
    if (znalezione && !promien && static_cast<double>(i + 1) == u.nr_parametru + 2) {
      promien = liczba_na_poczatku(tokeny[i]);
    }
  }
  if (!znalezione) return std::nullopt;
  p.r = promien.value_or(u.maks_promien);
  return p;
}

double odleglosc(double ax, double az, double bx, double bz) {
  return std::hypot(ax - bx, az - bz);
}

}  // namespace

bool analizuj_include(std::string_view linia, const UstawieniaSkrajni& u,
                      const PrzejdzOdcinki& przejdz, std::string& przesunieta) {
  std::string czysta(linia);
  oczysc_linie(czysta);
  std::vector<std::string_view> tokeny;
  podziel(czysta, tokeny);
  if (tokeny.size() < 5) return false;
  if (!czy_wybrany(u.lista_inc, nazwa_bazowa(tokeny[1]))) return false;
  const auto p = polozenie(tokeny, u);
  if (!p) return false;

  bool przesuniety = false;
  std::string tekst_x, tekst_z;
  przejdz(p->x, p->z, [&](const OdcinekToru& o) {
    const auto [nx, nz] = o.normalna();
    // The probe runs through the object at right angles to the track.
    double fx = 0, fz = 0;
    if (!przeciecie_odcinkow(o.x1, o.z1, o.x2, o.z2, p->x + p->r * nx, p->z + p->r * nz,
                             p->x - p->r * nx, p->z - p->r * nz, fx, fz)) {
      return;
    }
    const double odstep = o.szerokosc / 2 + p->r;
    if (odleglosc(p->x, p->z, fx, fz) > odstep) return;
    const double ax = fx + odstep * nx, az = fz + odstep * nz;
    const double bx = fx - odstep * nx, bz = fz - odstep * nz;
    const bool do_b = odleglosc(p->x, p->z, bx, bz) < odleglosc(p->x, p->z, ax, az);
    tekst_x = tekst_wspolrzednej(do_b ? bx : ax);
    tekst_z = tekst_wspolrzednej(do_b ? bz : az);
    przesuniety = true;
  });
  if (!przesuniety) return false;
  tokeny[p->indeks_x] = tekst_x;
  tokeny[p->indeks_z] = tekst_z;
  przesunieta = sklej_linie(tokeny);
  return true;
}

WerdyktSkrajni werdykt_skrajni(std::string_view surowa, const UstawieniaSkrajni& u,
                               const PrzejdzOdcinki& przejdz, std::string& poprawiona) {
  if (!analizuj_include(surowa, u, przejdz, poprawiona)) return WerdyktSkrajni::zostaw;
  std::string drugie;
  return analizuj_include(poprawiona, u, przejdz, drugie) ? WerdyktSkrajni::usun
                                                          : WerdyktSkrajni::przesun;
}

}  // namespace wyrownik
