#include "height/popraw_wysokosc.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "config/konfiguracja.hpp"
#include "geometry/orientacja.hpp"
#include "geometry/przeciecie_odcinkow.hpp"
#include "geometry/wysokosc_w_trojkacie.hpp"
#include "text/linia.hpp"
#include "text/sklej_linie.hpp"
#include "text/tekst_wspolrzednej.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

namespace {

constexpr double zasieg_promienia = 20000;

// On the closed edge, decided exactly.
bool na_krawedzi(double x, double z, const Wierzcholek& a, const Wierzcholek& b) {
  return na_odcinku(x, z, a.x, a.z, b.x, b.z);
}

int przeciecia(double x1, double z1, double x2, double z2, const Trojkat& t) {
  // The edges in their fixed order: V1-V2, V1-V3, V2-V3.
  const std::array<std::pair<const Wierzcholek*, const Wierzcholek*>, 3> krawedzie = {
      {{&t.v[0], &t.v[1]}, {&t.v[0], &t.v[2]}, {&t.v[1], &t.v[2]}}};
  int ile = 0;
  for (const auto& [a, b] : krawedzie) {
    double xp = 0, zp = 0;
    if (przeciecie_odcinkow(x1, z1, x2, z2, a->x, a->z, b->x, b->z, xp, zp)) ++ile;
  }
  return ile;
}

}  // namespace

bool punkt_w_trojkacie(double x, double z, const Trojkat& t) {
  if (na_krawedzi(x, z, t.v[0], t.v[1]) || na_krawedzi(x, z, t.v[0], t.v[2]) ||
      na_krawedzi(x, z, t.v[1], t.v[2])) {
    return true;
  }
  // A ray through a vertex meets both edges there and counts two: the other
  // direction then decides.
  if (przeciecia(x - zasieg_promienia, z, x, z, t) == 1) return true;
  return przeciecia(x, z, x + zasieg_promienia, z, t) == 1;
}

std::optional<double> wysokosc_terenu(double x, double z, const PrzejdzKomorke& przejdz) {
  return najwyzszy_teren(x, z, przejdz);
}

std::optional<std::string> popraw_wysokosc(std::string_view surowa,
                                           const UstawieniaWysokosci& ustawienia,
                                           const Pasmo& pasmo, const PrzejdzKomorke& przejdz) {
  Pozostawienie pominiete;
  return popraw_wysokosc(surowa, ustawienia, pasmo, przejdz, pominiete);
}

std::optional<std::string> popraw_wysokosc(std::string_view surowa,
                                           const UstawieniaWysokosci& ustawienia,
                                           const Pasmo& pasmo, const PrzejdzKomorke& przejdz,
                                           Pozostawienie& pozostawienie) {
  return popraw_wysokosc(
      surowa, ustawienia, pasmo, [&](double x, double z) { return wysokosc_terenu(x, z, przejdz); },
      pozostawienie);
}

std::optional<std::string> popraw_wysokosc(std::string_view surowa,
                                           const UstawieniaWysokosci& ustawienia,
                                           const Pasmo& pasmo, const TerenPod& teren_pod,
                                           Pozostawienie& pozostawienie) {
  const auto zostaw = [&](Powod powod, std::optional<double> wartosc = std::nullopt) {
    pozostawienie = {powod, wartosc};
    return std::nullopt;
  };
  // Tokens of the line as cleaned, read off the line as it is: no copy, and
  // only the first five kept, whatever the line's length.
  std::array<std::string_view, 5> tokeny;
  if (podziel_czysto(surowa, tokeny) < 5 || tokeny[1].empty()) return std::nullopt;
  const std::string_view nazwa = nazwa_bazowa(tokeny[1]);
  if (!czy_wybrany(ustawienia.lista_inc, nazwa)) return std::nullopt;
  if (czy_wyjatek(ustawienia.lista_wyjatkow, nazwa)) return zostaw(Powod::wyjatek);
  const auto trojka = znajdz_trojke_w_linii(surowa);
  if (!trojka) return zostaw(Powod::brak_polozenia);
  const auto teren = teren_pod(trojka->x, trojka->z);
  if (!teren) return zostaw(Powod::brak_terenu);
  // The band is tested on the ground height as computed, before rounding.
  const double roznica = std::abs(*teren - trojka->y);
  if (!(roznica >= pasmo.dolna)) return zostaw(Powod::ponizej_pasma, *teren - trojka->y);
  if (!(roznica <= pasmo.gorna)) return zostaw(Powod::powyzej_pasma, *teren - trojka->y);
  return sklej_linie(surowa, {{trojka->indeks_y, tekst_wspolrzednej(*teren)}});
}

}  // namespace wyrownik
