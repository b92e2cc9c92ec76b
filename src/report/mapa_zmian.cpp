#include "report/mapa_zmian.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "text/kodowanie.hpp"
#include "text/linia.hpp"

namespace wyrownik {

namespace {

constexpr TekstCp1250 skrocono{"… (skrócono; cały wiersz, bajtów: "};

// A line for the report's table: a very long one (one line can be hundreds
// of megabytes) cut, saying so, so that the table never holds more than a
// few kilobytes a row.
std::string do_tabeli(std::string_view linia) {
  if (linia.size() <= dlugosc_w_tabeli) return std::string(linia);
  std::string w(linia.substr(0, dlugosc_w_tabeli));
  w.append(skrocono).append(std::to_string(linia.size())).append(")");
  return w;
}

}  // namespace

std::optional<Trojka> MapaZmian::polozenie(std::string_view linia) {
  return znajdz_trojke_w_linii(linia);
}

MapaZmian::MapaZmian(std::string nazwa_scenerii, const Zakres& zakres, RodzajPrzebiegu rodzaj,
                     std::size_t limit_wierszy)
    : nazwa_(std::move(nazwa_scenerii)),
      zakres_(zakres),
      rodzaj_(rodzaj),
      limit_wierszy_(limit_wierszy) {
  if (zakres_.pusty()) zakres_ = Zakres{0, 0, 0, 0};
  const double szer = zakres_.max_x - zakres_.min_x;
  const double wys = zakres_.max_z - zakres_.min_z;
  bok_ = std::max(std::max(szer, wys) / komorek_na_boku, 1e-3);
  na_komorki_ = 1 / bok_;
  kolumny_ = std::clamp(static_cast<int>(std::ceil(szer / bok_)), 1, komorek_na_boku);
  rzedy_ = std::clamp(static_cast<int>(std::ceil(wys / bok_)), 1, komorek_na_boku);
  komorki_.assign(static_cast<std::size_t>(kolumny_) * static_cast<std::size_t>(rzedy_), 0);
}

namespace {

// The cell of an offset in cells, kept within [0, ile): truncation is the
// floor once the value is not negative (and costs no library call per
// triangle).
int komorka(double w_komorkach, int ile) {
  if (!(w_komorkach > 0)) return 0;
  if (w_komorkach >= ile) return ile - 1;
  return static_cast<int>(w_komorkach);
}

void policz(std::map<std::string, std::uint64_t, std::less<>>& licznik, std::string_view tekstura) {
  const auto it = licznik.find(tekstura);
  if (it != licznik.end()) {
    ++it->second;
  } else {
    licznik.emplace(std::string(tekstura), 1);
  }
}

}  // namespace

int MapaZmian::kolumna(double x) const {
  return komorka((x - zakres_.min_x) * na_komorki_, kolumny_);
}

int MapaZmian::rzad(double z) const {
  return komorka((z - zakres_.min_z) * na_komorki_, rzedy_);
}

void MapaZmian::teren(double x_min, double x_max, double z_min, double z_max) {
  // NaN coordinates are not ground: std::clamp of NaN would pick an end.
  if (!(x_min <= x_max && z_min <= z_max)) return;
  const int k1 = kolumna(x_max), r1 = rzad(z_max);
  for (int r = rzad(z_min); r <= r1; ++r) {
    char* wiersz =
        komorki_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(kolumny_);
    for (int k = kolumna(x_min); k <= k1; ++k) wiersz[k] = 1;
  }
}

void MapaZmian::pas(double x1, double z1, double x2, double z2, double polowa_szerokosci) {
  pasy_.push_back({static_cast<float>(x1), static_cast<float>(z1), static_cast<float>(x2),
                   static_cast<float>(z2), static_cast<float>(polowa_szerokosci)});
}

void MapaZmian::tor(double x1, double z1, double x2, double z2) {
  tory_.push_back({static_cast<float>(x1), static_cast<float>(z1), static_cast<float>(x2),
                   static_cast<float>(z2)});
}

void MapaZmian::tekstura_poza_terenem(std::string_view tekstura) {
  policz(tekstury_poza_terenem_, tekstura);
}

void MapaZmian::tor_bez_odcinka(std::string_view pelna_sciezka, const TorBezOdcinka& t) {
  ++ile_torow_bez_odcinka_[static_cast<std::size_t>(t.powod)];
  if (tory_bez_odcinka_.size() >= limit_wierszy_) return;
  tory_bez_odcinka_.push_back({numer_pliku(pelna_sciezka), t});
}

std::uint32_t MapaZmian::numer_pliku(std::string_view pelna_sciezka) {
  if (pliki_.empty() || pliki_.back() != pelna_sciezka) pliki_.emplace_back(pelna_sciezka);
  return static_cast<std::uint32_t>(pliki_.size() - 1);
}

void MapaZmian::zmiana(RodzajZmiany rodzaj, std::string_view pelna_sciezka, std::uint64_t nr_linii,
                       std::string_view przed, std::string_view po) {
  ZmianaNaMapie z;
  z.rodzaj = rodzaj;
  // A changed line always had a position: the runs change only lines with one.
  if (const auto p = polozenie(przed)) {
    z.x = static_cast<float>(p->x);
    z.z = static_cast<float>(p->z);
    const double y = p->y;
    if (rodzaj == RodzajZmiany::wysokosc || rodzaj == RodzajZmiany::przesuniecie) {
      if (const auto n = polozenie(po)) {
        if (rodzaj == RodzajZmiany::przesuniecie) {
          z.a = static_cast<float>(n->x);
          z.b = static_cast<float>(n->z);
        } else {
          z.a = static_cast<float>(n->y - y);
        }
      }
    }
  }
  zmiany_.push_back(z);
  if (wiersze_.size() >= limit_wierszy_) return;
  wiersze_.push_back(
      {numer_pliku(pelna_sciezka), nr_linii, rodzaj, do_tabeli(przed), do_tabeli(po)});
}

void MapaZmian::pozostawiona(std::string_view pelna_sciezka, std::uint64_t nr_linii,
                             std::string_view linia, const Pozostawienie& pozostawienie) {
  const auto p = polozenie(linia);
  if (pozostawienie.powod == Powod::brak_terenu) {
    if (pozostawienie.szczegol.empty()) ++bez_trojkata_;
    for (std::string_view reszta = pozostawienie.szczegol; !reszta.empty();) {
      const std::size_t spacja = reszta.find(' ');
      policz(tekstury_pod_obiektami_, reszta.substr(0, spacja));
      reszta = spacja == std::string_view::npos ? std::string_view() : reszta.substr(spacja + 1);
    }
  }
  const bool w_tabeli = wiersze_pozostawionych_.size() < limit_wierszy_;
  std::int32_t znak = -1;
  if (p && pozostawienie.powod != Powod::znacznik) {
    znak = static_cast<std::int32_t>(pozostawione_.size());
    pozostawione_.push_back(
        {static_cast<float>(p->x), static_cast<float>(p->z), pozostawienie.powod,
         w_tabeli ? static_cast<std::int32_t>(wiersze_pozostawionych_.size()) : -1});
  }
  if (!w_tabeli) return;
  WierszPozostawionej w;
  w.plik = numer_pliku(pelna_sciezka);
  w.nr_linii = nr_linii;
  w.powod = pozostawienie.powod;
  if (p) {
    w.x = token_linii(linia, p->indeks_x).value_or("");
    w.y = token_linii(linia, p->indeks_y).value_or("");
    w.z = token_linii(linia, p->indeks_z).value_or("");
  }
  w.wartosc = pozostawienie.wartosc;
  w.szczegol = pozostawienie.szczegol;
  w.znak = znak;
  wiersze_pozostawionych_.push_back(std::move(w));
}

void MapaZmian::na_dysku(const std::filesystem::path& katalog, OperacjeSystemu& operacje) {
  zmiany_.zacznij(katalog, operacje);
  pozostawione_.zacznij(katalog, operacje);
}

void MapaZmian::podsumowanie(const LicznikiPrzebiegu& liczniki) {
  liczniki_ = liczniki;
  ile_zmian_ = liczniki.ile_zmian;
  ile_usunietych_ = liczniki.ile_usunietych;
  ile_chronionych_ = liczniki.ile_chronionych;
}

}  // namespace wyrownik
