#include "clearance/analizuj_include.hpp"

#include <algorithm>
#include <array>
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

std::optional<Polozenie> polozenie(std::string_view linia, const UstawieniaSkrajni& u) {
  const auto trojka = znajdz_trojke_w_linii(linia);
  if (!trojka) return std::nullopt;
  Polozenie p{*trojka, u.maks_promien};
  // The radius is parameter nr_parametru counted from token 3 (token number
  // nr_parametru + 2), taken only where the position is known (the Z token
  // itself may be it) and the line has that token.
  const double numer = u.nr_parametru + 2;
  if (numer >= static_cast<double>(trojka->indeks_z + 1) && numer == std::floor(numer) &&
      numer < 1e15) {
    if (const auto t = token_linii(linia, static_cast<std::size_t>(numer) - 1)) {
      p.r = liczba_na_poczatku(*t);
    }
  }
  return p;
}

// Whether the object at P = (x, z) is strictly nearer to B = F - d·n than to
// A = F + d·n. |P-B|² - |P-A|² = 4d (P-F)·n, so the sign of (P-F)·n decides,
// and a tie goes to A: an object whose probe meets the chord at the object
// itself (F = P), and one lying exactly on the chord's line, are equally far
// from both. Comparing two rounded distances would send them either way.
struct Punkt {
  double x, z;
};

// `n` the chord's unit normal, `p` the object, `f` the foot of its probe.
bool po_stronie_b(const OdcinekToru& o, Punkt n, Punkt p, Punkt f) {
  if (znak_orientacji(o.x1, o.z1, o.x2, o.z2, p.x, p.z) == 0) return false;
  return (p.x - f.x) * n.x + (p.z - f.z) * n.z < 0;
}

double odleglosc(double ax, double az, double bx, double bz) {
  return std::hypot(ax - bx, az - bz);
}

// The distance from (x, z) to the chord along the perpendicular, when the
// perpendicular meets the chord at all. Only explains: it decides nothing.
std::optional<double> do_cieciwy(const OdcinekToru& o, double x, double z) {
  const double dx = o.x2 - o.x1, dz = o.z2 - o.z1;
  const double dlugosc2 = dx * dx + dz * dz;
  if (!(dlugosc2 > 0)) return std::nullopt;
  const double t = ((x - o.x1) * dx + (z - o.z1) * dz) / dlugosc2;
  if (!(t >= 0 && t <= 1)) return std::nullopt;
  return odleglosc(x, z, o.x1 + t * dx, o.z1 + t * dz);
}

// analizuj_include(), telling in `pozostawienie` (when given) why a
// selected object that is not moved stays.
bool analizuj(std::string_view linia, const UstawieniaSkrajni& u, const PrzejdzOdcinki& przejdz,
              std::string& przesunieta, Pozostawienie* pozostawienie);

}  // namespace

bool analizuj_include(std::string_view linia, const UstawieniaSkrajni& u,
                      const PrzejdzOdcinki& przejdz, std::string& przesunieta) {
  return analizuj(linia, u, przejdz, przesunieta, nullptr);
}

namespace {

bool analizuj(std::string_view linia, const UstawieniaSkrajni& u, const PrzejdzOdcinki& przejdz,
              std::string& przesunieta, Pozostawienie* pozostawienie) {
  // Tokens of the line as cleaned, read off the line as it is: no copy, and
  // only the first five kept, whatever the line's length.
  std::array<std::string_view, 5> tokeny;
  if (podziel_czysto(linia, tokeny) < 5) return false;
  if (!czy_wybrany(u.lista_inc, nazwa_bazowa(tokeny[1]))) return false;
  const auto p = polozenie(linia, u);
  if (!p) {
    if (pozostawienie) *pozostawienie = {Powod::brak_polozenia, std::nullopt};
    return false;
  }
  const double x = p->trojka.x, z = p->trojka.z, r = p->r;

  bool przesuniety = false;
  std::optional<double> poza_sonda;  // the nearest chord in reach of the strip, not of the probe
  std::string tekst_x, tekst_z;
  przejdz(x, z, [&](const OdcinekToru& o) {
    const auto [nx, nz] = o.normalna();
    // The probe runs through the object at right angles to the track.
    double fx = 0, fz = 0;
    if (!przeciecie_odcinkow(o.x1, o.z1, o.x2, o.z2, x + r * nx, z + r * nz, x - r * nx, z - r * nz,
                             fx, fz)) {
      if (pozostawienie && r > 0) {
        const auto d = do_cieciwy(o, x, z);
        if (d && *d > r && *d <= o.szerokosc / 2 + r && !(poza_sonda && *poza_sonda <= *d)) {
          poza_sonda = d;
        }
      }
      return;
    }
    const double odstep = o.szerokosc / 2 + r;
    if (odleglosc(x, z, fx, fz) > odstep) return;
    const double ax = fx + odstep * nx, az = fz + odstep * nz;
    const double bx = fx - odstep * nx, bz = fz - odstep * nz;
    const bool do_b = po_stronie_b(o, {nx, nz}, {x, z}, {fx, fz});
    tekst_x = tekst_wspolrzednej(do_b ? bx : ax);
    tekst_z = tekst_wspolrzednej(do_b ? bz : az);
    przesuniety = true;
  });
  if (!przesuniety) {
    if (pozostawienie) {
      *pozostawienie = !(r > 0)     ? Pozostawienie{Powod::zerowy_promien, std::nullopt}
                       : poza_sonda ? Pozostawienie{Powod::krotka_sonda, poza_sonda}
                                    : Pozostawienie{Powod::wolny, std::nullopt};
    }
    return false;
  }
  przesunieta = sklej_linie(linia, {{p->trojka.indeks_x, tekst_x}, {p->trojka.indeks_z, tekst_z}});
  return true;
}

}  // namespace

WerdyktSkrajni werdykt_skrajni(std::string_view surowa, const UstawieniaSkrajni& u,
                               const PrzejdzOdcinki& przejdz, std::string& poprawiona) {
  Pozostawienie pominiete;
  return werdykt_skrajni(surowa, u, przejdz, poprawiona, pominiete);
}

WerdyktSkrajni werdykt_skrajni(std::string_view surowa, const UstawieniaSkrajni& u,
                               const PrzejdzOdcinki& przejdz, std::string& poprawiona,
                               Pozostawienie& pozostawienie) {
  if (!analizuj(surowa, u, przejdz, poprawiona, &pozostawienie)) return WerdyktSkrajni::zostaw;
  std::string drugie;
  return analizuj_include(poprawiona, u, przejdz, drugie) ? WerdyktSkrajni::usun
                                                          : WerdyktSkrajni::przesun;
}

}  // namespace wyrownik
