#include "scenery/mapa_zmian.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "text/linia.hpp"

namespace wyrownik {

namespace {

// The position of an include line, read as the runs read it.
std::optional<Trojka> polozenie(std::string_view linia) {
  std::string czysta(linia);
  oczysc_linie(czysta);
  std::vector<std::string_view> tokeny;
  podziel(czysta, tokeny);
  return znajdz_trojke(tokeny);
}

}  // namespace

MapaZmian::MapaZmian(std::string nazwa_scenerii, const Zakres& zakres, bool skrajnia,
                     std::size_t limit_wierszy)
    : nazwa_(std::move(nazwa_scenerii)),
      zakres_(zakres),
      skrajnia_(skrajnia),
      limit_wierszy_(limit_wierszy) {
  if (zakres_.pusty()) zakres_ = Zakres{0, 0, 0, 0};
  const double szer = zakres_.max_x - zakres_.min_x;
  const double wys = zakres_.max_z - zakres_.min_z;
  bok_ = std::max(std::max(szer, wys) / komorek_na_boku, 1e-3);
  kolumny_ = std::clamp(static_cast<int>(std::ceil(szer / bok_)), 1, komorek_na_boku);
  rzedy_ = std::clamp(static_cast<int>(std::ceil(wys / bok_)), 1, komorek_na_boku);
  komorki_.assign(static_cast<std::size_t>(kolumny_) * static_cast<std::size_t>(rzedy_), 0);
}

int MapaZmian::kolumna(double x) const {
  const double k = std::floor((x - zakres_.min_x) / bok_);
  return static_cast<int>(std::clamp(k, 0.0, static_cast<double>(kolumny_ - 1)));
}

int MapaZmian::rzad(double z) const {
  const double r = std::floor((z - zakres_.min_z) / bok_);
  return static_cast<int>(std::clamp(r, 0.0, static_cast<double>(rzedy_ - 1)));
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

void MapaZmian::zmiana(RodzajZmiany rodzaj, std::string_view pelna_sciezka, std::uint64_t nr_linii,
                       std::string_view przed, std::string_view po) {
  ZmianaNaMapie z;
  z.rodzaj = rodzaj;
  // A changed line always had a position: the runs change only lines with one.
  if (const auto p = polozenie(przed)) {
    z.x = z.x2 = static_cast<float>(p->x);
    z.z = z.z2 = static_cast<float>(p->z);
    if (rodzaj != RodzajZmiany::usuniecie) {
      if (const auto n = polozenie(po)) {
        z.x2 = static_cast<float>(n->x);
        z.z2 = static_cast<float>(n->z);
        z.dy = static_cast<float>(n->y - p->y);
      }
    }
  }
  zmiany_.push_back(z);
  if (wiersze_.size() >= limit_wierszy_) return;
  if (pliki_.empty() || pliki_.back() != pelna_sciezka) pliki_.emplace_back(pelna_sciezka);
  wiersze_.push_back({static_cast<std::uint32_t>(pliki_.size() - 1), nr_linii, rodzaj,
                      std::string(przed), std::string(po)});
}

void MapaZmian::podsumowanie(std::uint64_t ile_zmian, std::uint64_t ile_usunietych) {
  ile_zmian_ = ile_zmian;
  ile_usunietych_ = ile_usunietych;
}

}  // namespace wyrownik
