#include "clearance/analizuj_include.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "config/konfiguracja.hpp"
#include "geometry/orientacja.hpp"
#include "geometry/przeciecie_odcinkow.hpp"
#include "text/linia.hpp"
#include "text/sklej_linie.hpp"
#include "text/tekst_wspolrzednej.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

namespace {

struct Polozenie {
  Trojka trojka;
  double r = 0;
};

std::optional<Polozenie> polozenie(const std::vector<std::string_view>& tokeny,
                                   const UstawieniaSkrajni& u) {
  const auto trojka = znajdz_trojke(tokeny);
  if (!trojka) return std::nullopt;
  Polozenie p{*trojka, u.maks_promien};
  // The radius is parameter nr_parametru counted from token 3, taken only
  // where the position is known (the Z token itself may be it).
  for (std::size_t i = trojka->indeks_z; i < tokeny.size(); ++i) {
    if (static_cast<double>(i + 1) == u.nr_parametru + 2) {
      p.r = liczba_na_poczatku(tokeny[i]);
      break;
    }
  }
  return p;
}

// Whether the object at P = (x, z) is strictly nearer to B = F - d·n than to
// A = F + d·n. |P-B|² - |P-A|² = 4d (P-F)·n, so the sign of (P-F)·n decides,
// and a tie goes to A: an object whose probe meets the chord at the object
// itself (F = P), and one lying exactly on the chord's line, are equally far
// from both. Comparing two rounded distances would send them either way.
bool po_stronie_b(const OdcinekToru& o, double nx, double nz, double x, double z, double fx,
                  double fz) {
  if (znak_orientacji(o.x1, o.z1, o.x2, o.z2, x, z) == 0) return false;
  return (x - fx) * nx + (z - fz) * nz < 0;
}

double odleglosc(double ax, double az, double bx, double bz) {
  return std::hypot(ax - bx, az - bz);
}

}  // namespace

bool analizuj_include(std::string_view linia, const UstawieniaSkrajni& u,
                      const PrzejdzOdcinki& przejdz, std::string& przesunieta) {
  // Tokens of the line as cleaned, read off the line as it is: no copy.
  std::vector<std::string_view> tokeny;
  tokeny.reserve(16);  // an object line's tokens in one allocation
  podziel_czysto(linia, tokeny);
  if (tokeny.size() < 5) return false;
  if (!czy_wybrany(u.lista_inc, nazwa_bazowa(tokeny[1]))) return false;
  const auto p = polozenie(tokeny, u);
  if (!p) return false;
  const double x = p->trojka.x, z = p->trojka.z, r = p->r;

  bool przesuniety = false;
  std::string tekst_x, tekst_z;
  przejdz(x, z, [&](const OdcinekToru& o) {
    const auto [nx, nz] = o.normalna();
    // The probe runs through the object at right angles to the track.
    double fx = 0, fz = 0;
    if (!przeciecie_odcinkow(o.x1, o.z1, o.x2, o.z2, x + r * nx, z + r * nz, x - r * nx, z - r * nz,
                             fx, fz)) {
      return;
    }
    const double odstep = o.szerokosc / 2 + r;
    if (odleglosc(x, z, fx, fz) > odstep) return;
    const double ax = fx + odstep * nx, az = fz + odstep * nz;
    const double bx = fx - odstep * nx, bz = fz - odstep * nz;
    const bool do_b = po_stronie_b(o, nx, nz, x, z, fx, fz);
    tekst_x = tekst_wspolrzednej(do_b ? bx : ax);
    tekst_z = tekst_wspolrzednej(do_b ? bz : az);
    przesuniety = true;
  });
  if (!przesuniety) return false;
  tokeny[p->trojka.indeks_x] = tekst_x;
  tokeny[p->trojka.indeks_z] = tekst_z;
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
