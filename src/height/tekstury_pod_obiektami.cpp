#include "height/tekstury_pod_obiektami.hpp"

#include <algorithm>
#include <cmath>

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

TeksturyPodObiektami::TeksturyPodObiektami(const std::deque<PolozenieObiektu>& polozenia)
    : polozenia_(polozenia) {
  std::vector<std::uint32_t> skonczone;
  skonczone.reserve(polozenia.size());
  double max_x = 0, max_z = 0;
  for (std::uint32_t i = 0; i < polozenia.size(); ++i) {
    const PolozenieObiektu& p = polozenia[i];
    if (!std::isfinite(p.x) || !std::isfinite(p.z)) continue;
    if (skonczone.empty()) {
      min_x_ = max_x = p.x;
      min_z_ = max_z = p.z;
    }
    min_x_ = std::min(min_x_, p.x);
    max_x = std::max(max_x, p.x);
    min_z_ = std::min(min_z_, p.z);
    max_z = std::max(max_z, p.z);
    skonczone.push_back(i);
  }
  if (!skonczone.empty()) {
    const double szer = std::max(max_x - min_x_, najmniejszy_bok);
    const double wys = std::max(max_z - min_z_, najmniejszy_bok);
    // Not many more cells than positions, even along a line.
    const double ile = std::max(static_cast<double>(skonczone.size()) / 2, 1.0);
    const double bok =
        std::max({std::sqrt(szer * wys / ile), std::max(szer, wys) / ile, najmniejszy_bok});
    na_komorki_ = 1 / bok;
    kolumny_ = static_cast<std::size_t>(szer * na_komorki_) + 1;
    rzedy_ = static_cast<std::size_t>(wys * na_komorki_) + 1;
  }
  // Sorted by cell, in file order within one.
  poczatki_.assign(kolumny_ * rzedy_ + 1, 0);
  for (const std::uint32_t i : skonczone) ++poczatki_[komorka(polozenia[i].x, polozenia[i].z) + 1];
  for (std::size_t c = 1; c < poczatki_.size(); ++c) poczatki_[c] += poczatki_[c - 1];
  kolejne_.resize(skonczone.size());
  std::vector<std::uint32_t> wolne(poczatki_.begin(), poczatki_.end() - 1);
  for (const std::uint32_t i : skonczone) {
    kolejne_[wolne[komorka(polozenia[i].x, polozenia[i].z)]++] = i;
  }
  zestaw_.assign(kolejne_.size(), 0);
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
  if (kolejne_.empty()) return;
  const auto [x_min, x_max] = std::minmax({t.v[0].x, t.v[1].x, t.v[2].x});
  const auto [z_min, z_max] = std::minmax({t.v[0].z, t.v[1].z, t.v[2].z});
  // NaN never contains anything: the box test below fails for it too.
  if (!(x_max >= min_x_ && z_max >= min_z_)) return;
  const std::size_t k0 = w_zakresie((x_min - min_x_) * na_komorki_, kolumny_);
  const std::size_t k1 = w_zakresie((x_max - min_x_) * na_komorki_, kolumny_);
  const std::size_t r0 = w_zakresie((z_min - min_z_) * na_komorki_, rzedy_);
  const std::size_t r1 = w_zakresie((z_max - min_z_) * na_komorki_, rzedy_);
  for (std::size_t r = r0; r <= r1; ++r) {
    for (std::size_t i = poczatki_[r * kolumny_ + k0]; i < poczatki_[r * kolumny_ + k1 + 1]; ++i) {
      const PolozenieObiektu& p = polozenie(i);
      if (p.x < x_min || p.x > x_max || p.z < z_min || p.z > z_max) continue;
      if (punkt_w_trojkacie(p.x, p.z, t)) zestaw_[i] = z_dodana(zestaw_[i], tekstura);
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
  if (kolejne_.empty()) return {};
  const std::size_t c = komorka(x, z);
  for (std::size_t i = poczatki_[c]; i < poczatki_[c + 1]; ++i) {
    if (polozenie(i).x == x && polozenie(i).z == z) return teksty_[zestaw_[i]];
  }
  return {};
}

}  // namespace wyrownik
