#include "scenery/wierzcholki_skanu.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace wyrownik {

namespace {
// A vertex byte below this names a slot of the last vertices; this one is
// followed by the vertex itself.
constexpr char nowy_punkt = detail::OstatniePunkty::ile;
}  // namespace

void WierzcholkiSkanu::Zapis::liczba(std::uint64_t n) {
  // Seven bits a byte, the last without its top bit.
  while (n >= 0x80) {
    bajty_.push_back(static_cast<char>((n & 0x7F) | 0x80));
    n >>= 7;
  }
  bajty_.push_back(static_cast<char>(n));
}

void WierzcholkiSkanu::Zapis::dodaj(const BiegWierzcholkow& bieg, const PunktSkanu* punkty) {
  liczba(bieg.naglowek - poprzedni_.naglowek);
  liczba(bieg.od_ostatniej - poprzedni_.od_ostatniej);
  liczba(bieg.ile);
  poprzedni_ = bieg;
  for (std::uint64_t i = 0; i < bieg.ile; ++i) {
    const PunktSkanu& p = punkty[i];
    // The same bits, so that the value read back is the value parsed.
    const unsigned k = detail::OstatniePunkty::miejsce(p);
    PunktSkanu& znany = ostatnie_.punkty[k];
    if (std::bit_cast<std::array<std::uint64_t, 3>>(znany) ==
        std::bit_cast<std::array<std::uint64_t, 3>>(p)) {
      bajty_.push_back(static_cast<char>(k));
      continue;
    }
    znany = p;
    bajty_.push_back(nowy_punkt);
    const auto* b = reinterpret_cast<const char*>(&p);
    bajty_.insert(bajty_.end(), b, b + sizeof p);
  }
}

void WierzcholkiSkanu::zacznij() {
  dlugosc_ = 0;
  czesci_.clear();
  pelne_ = false;
}

void WierzcholkiSkanu::dopisz(std::size_t plik, Zapis& zapis) {
  std::vector<char>& b = zapis.bajty_;
  if (!b.empty()) {
    const std::lock_guard<std::mutex> zamek(zamek_);
    if (pelne_ || dlugosc_ + b.size() > najwiecej) {
      pelne_ = true;
    } else {
      if (bajty_.rozmiar() == 0) bajty_ = BlokPamieci(najwiecej);
      czesci_.push_back({plik, dlugosc_, b.size()});
      std::memcpy(bajty_.dane() + dlugosc_, b.data(), b.size());
      dlugosc_ += b.size();
    }
  }
  b.clear();
}

void WierzcholkiSkanu::uporzadkuj() {
  // Stable: a file's parts keep their order.
  std::stable_sort(czesci_.begin(), czesci_.end(),
                   [](const Czesc& a, const Czesc& b) { return a.plik < b.plik; });
}

WierzcholkiSkanu::Kursor WierzcholkiSkanu::pliku(std::size_t plik) const {
  const auto c = std::lower_bound(czesci_.begin(), czesci_.end(), plik,
                                  [](const Czesc& a, std::size_t p) { return a.plik < p; });
  return Kursor(*this, static_cast<std::size_t>(c - czesci_.begin()), plik);
}

WierzcholkiSkanu::Kursor::Kursor(const WierzcholkiSkanu& w, std::size_t czesc, std::size_t plik)
    : w_(&w), plik_(plik), czesc_(czesc) {
  if (czesc_ < w.czesci_.size() && w.czesci_[czesc_].plik == plik_) {
    biezacy_ = w.bajty_.dane() + w.czesci_[czesc_].od;
    koniec_ = biezacy_ + w.czesci_[czesc_].dlugosc;
  }
}

bool WierzcholkiSkanu::Kursor::koniec() {
  while (biezacy_ == koniec_) {
    const std::vector<Czesc>& czesci = w_->czesci_;
    if (czesc_ >= czesci.size() || ++czesc_ >= czesci.size() || czesci[czesc_].plik != plik_) {
      return true;
    }
    biezacy_ = w_->bajty_.dane() + czesci[czesc_].od;
    koniec_ = biezacy_ + czesci[czesc_].dlugosc;
  }
  return false;
}

std::uint64_t WierzcholkiSkanu::Kursor::liczba() {
  std::uint64_t n = 0;
  for (unsigned przesuniecie = 0;; przesuniecie += 7) {
    const std::uint8_t b = bajt();
    n |= static_cast<std::uint64_t>(b & 0x7F) << przesuniecie;
    if ((b & 0x80) == 0) return n;
  }
}

std::optional<BiegWierzcholkow> WierzcholkiSkanu::Kursor::bieg(std::uint64_t naglowek) {
  for (;;) {
    while (do_wziecia_ > 0) punkt();
    if (!czekajacy_) {
      if (koniec()) return std::nullopt;
      BiegWierzcholkow b;
      b.naglowek = poprzedni_.naglowek + liczba();
      b.od_ostatniej = poprzedni_.od_ostatniej + liczba();
      b.ile = liczba();
      poprzedni_ = b;
      czekajacy_ = b;
    }
    if (czekajacy_->naglowek > naglowek) return std::nullopt;
    const BiegWierzcholkow b = *czekajacy_;
    czekajacy_.reset();
    do_wziecia_ = b.ile;
    if (b.naglowek == naglowek) return b;
  }
}

// Bytes are read only where the writer wrote them: a part holds whole runs.
PunktSkanu WierzcholkiSkanu::Kursor::punkt() {
  --do_wziecia_;
  const std::uint8_t k = bajt();
  if (k < detail::OstatniePunkty::ile) return ostatnie_.punkty[k];
  // A vertex never straddles two parts.
  PunktSkanu p;
  std::memcpy(&p, biezacy_, sizeof p);
  biezacy_ += sizeof p;
  ostatnie_.punkty[detail::OstatniePunkty::miejsce(p)] = p;
  return p;
}

}  // namespace wyrownik
