#include "height/tekstury_pod_obiektami.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "height/popraw_wysokosc.hpp"

namespace wyrownik {

namespace {

// About two positions per cell, none smaller than a metre.
constexpr double najmniejszy_bok = 1;

std::size_t w_zakresie(double v, std::size_t ile) {
  if (!(v > 0)) return 0;
  return std::min(static_cast<std::size_t>(v), ile - 1);
}

}  // namespace

TeksturyPodObiektami::TeksturyPodObiektami(const PolozeniaObiektow& polozenia,
                                           const std::filesystem::path& katalog,
                                           OperacjeSystemu& operacje, std::size_t w_pamieci_do) {
  double max_x = 0, max_z = 0;
  for (std::size_t i = 0; i < polozenia.size(); ++i) {
    const PolozenieObiektu p = polozenia[i];
    if (!std::isfinite(p.x) || !std::isfinite(p.z)) continue;
    if (ile_ == 0) {
      min_x_ = max_x = p.x;
      min_z_ = max_z = p.z;
    }
    min_x_ = std::min(min_x_, p.x);
    max_x = std::max(max_x, p.x);
    min_z_ = std::min(min_z_, p.z);
    max_z = std::max(max_z, p.z);
    ++ile_;
  }
  if (ile_ == 0) return;
  const double szer = std::max(max_x - min_x_, najmniejszy_bok);
  const double wys = std::max(max_z - min_z_, najmniejszy_bok);
  // Not many more cells than positions, even along a line.
  const double docelowo = std::max(static_cast<double>(ile_) / 2, 1.0);
  const double bok =
      std::max({std::sqrt(szer * wys / docelowo), std::max(szer, wys) / docelowo, najmniejszy_bok});
  na_komorki_ = 1 / bok;
  kolumny_ = static_cast<std::size_t>(szer * na_komorki_) + 1;
  rzedy_ = static_cast<std::size_t>(wys * na_komorki_) + 1;

  const std::size_t komorki = kolumny_ * rzedy_;
  od_polozen_ = ((komorki + 1) * sizeof(std::uint32_t) + 15) / 16 * 16;
  od_zestawow_ = od_polozen_ + ile_ * sizeof(PolozenieObiektu);
  const std::size_t dlugosc = od_zestawow_ + ile_ * sizeof(std::uint32_t);
  // Zeros: no position in a cell, no set. A few thousand objects need no
  // file.
  if (dlugosc <= w_pamieci_do) {
    pamiec_.assign(dlugosc, 0);
  } else {
    plik_.emplace(
        PlikMapowany::bez_nazwy(katalog, dlugosc, PlikMapowany::Dostep::wszystkie, operacje));
    plik_->wydluz(dlugosc);
  }
  // Never grown again: the records stay where they are.
  baza_ = plik_ ? plik_->dane() : pamiec_.data();

  // Sorted by cell, in the list's order within one: counted, summed, then
  // each placed at its cell's next free place, which leaves every start at
  // the next cell's; shifted back by one, the starts are there again.
  char* poczatki = baza_;
  const auto dodaj = [poczatki](std::size_t c, std::uint32_t ilu) {
    std::uint32_t w;
    std::memcpy(&w, poczatki + c * sizeof w, sizeof w);
    w += ilu;
    std::memcpy(poczatki + c * sizeof w, &w, sizeof w);
    return w - ilu;
  };
  const auto skonczone = [&](auto&& zrob) {
    for (std::size_t i = 0; i < polozenia.size(); ++i) {
      const PolozenieObiektu p = polozenia[i];
      if (std::isfinite(p.x) && std::isfinite(p.z)) zrob(p);
    }
  };
  skonczone([&](const PolozenieObiektu& p) { dodaj(komorka(p.x, p.z) + 1, 1); });
  for (std::size_t c = 1; c <= komorki; ++c) dodaj(c, poczatek(c - 1));
  skonczone([&](const PolozenieObiektu& p) {
    const std::uint32_t miejsce = dodaj(komorka(p.x, p.z), 1);
    std::memcpy(baza_ + od_polozen_ + miejsce * sizeof p, &p, sizeof p);
  });
  std::memmove(poczatki + sizeof(std::uint32_t), poczatki, komorki * sizeof(std::uint32_t));
  std::memset(poczatki, 0, sizeof(std::uint32_t));
}

std::uint32_t TeksturyPodObiektami::poczatek(std::size_t komorka) const {
  std::uint32_t w;
  std::memcpy(&w, baza_ + komorka * sizeof w, sizeof w);
  return w;
}

PolozenieObiektu TeksturyPodObiektami::polozenie(std::size_t i) const {
  PolozenieObiektu p;
  std::memcpy(&p, baza_ + od_polozen_ + i * sizeof p, sizeof p);
  return p;
}

std::uint32_t TeksturyPodObiektami::zestaw(std::size_t i) const {
  std::uint32_t w;
  std::memcpy(&w, baza_ + od_zestawow_ + i * sizeof w, sizeof w);
  return w;
}

void TeksturyPodObiektami::ustaw_zestaw(std::size_t i, std::uint32_t zestaw) {
  std::memcpy(baza_ + od_zestawow_ + i * sizeof zestaw, &zestaw, sizeof zestaw);
}

std::size_t TeksturyPodObiektami::komorka(double x, double z) const {
  return w_zakresie((z - min_z_) * na_komorki_, rzedy_) * kolumny_ +
         w_zakresie((x - min_x_) * na_komorki_, kolumny_);
}

std::uint32_t TeksturyPodObiektami::tekstura(std::string_view nazwa) {
  const auto [it, nowa] =
      numery_.try_emplace(std::string(nazwa), static_cast<std::uint32_t>(nazwy_.size()));
  if (nowa) nazwy_.emplace_back(nazwa);
  return it->second;
}

void TeksturyPodObiektami::trojkat(const Trojkat& t, std::uint32_t tekstura) {
  if (ile_ == 0) return;
  const auto [x_min, x_max] = std::minmax({t.v[0].x, t.v[1].x, t.v[2].x});
  const auto [z_min, z_max] = std::minmax({t.v[0].z, t.v[1].z, t.v[2].z});
  // NaN never contains anything: the box test below fails for it too.
  if (!(x_max >= min_x_ && z_max >= min_z_)) return;
  const std::size_t k0 = w_zakresie((x_min - min_x_) * na_komorki_, kolumny_);
  const std::size_t k1 = w_zakresie((x_max - min_x_) * na_komorki_, kolumny_);
  const std::size_t r0 = w_zakresie((z_min - min_z_) * na_komorki_, rzedy_);
  const std::size_t r1 = w_zakresie((z_max - min_z_) * na_komorki_, rzedy_);
  for (std::size_t r = r0; r <= r1; ++r) {
    const std::size_t do_ = poczatek(r * kolumny_ + k1 + 1);
    for (std::size_t i = poczatek(r * kolumny_ + k0); i < do_; ++i) {
      const PolozenieObiektu p = polozenie(i);
      if (p.x < x_min || p.x > x_max || p.z < z_min || p.z > z_max) continue;
      if (punkt_w_trojkacie(p.x, p.z, t)) ustaw_zestaw(i, z_dodana(zestaw(i), tekstura));
    }
  }
}

std::uint32_t TeksturyPodObiektami::z_dodana(std::uint32_t zestaw, std::uint32_t tekstura) {
  const std::uint64_t klucz = (static_cast<std::uint64_t>(zestaw) << 32) | tekstura;
  if (const auto it = przejscia_.find(klucz); it != przejscia_.end()) return it->second;
  std::uint32_t wynik = zestaw;
  const auto& stare = skladniki_[zestaw];
  if (std::find(stare.begin(), stare.end(), tekstura) == stare.end()) {
    wynik = static_cast<std::uint32_t>(skladniki_.size());
    std::vector<std::uint32_t> nowe = stare;
    nowe.push_back(tekstura);
    std::string tekst = teksty_[zestaw];
    if (!tekst.empty()) tekst += ' ';
    tekst += nazwy_[tekstura];
    skladniki_.push_back(std::move(nowe));
    teksty_.push_back(std::move(tekst));
  }
  przejscia_.emplace(klucz, wynik);
  return wynik;
}

std::string_view TeksturyPodObiektami::pod(double x, double z) const {
  if (ile_ == 0) return {};
  const std::size_t c = komorka(x, z);
  for (std::size_t i = poczatek(c), do_ = poczatek(c + 1); i < do_; ++i) {
    const PolozenieObiektu p = polozenie(i);
    if (p.x == x && p.z == z) return teksty_[zestaw(i)];
  }
  return {};
}

}  // namespace wyrownik
