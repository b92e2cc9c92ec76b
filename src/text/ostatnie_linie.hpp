// The last few lines of one kind, each with what was worked out from it: an
// exporter writes one triangle node header per material, over and over, and
// a line of the same bytes as one of them need not be worked out again.
// A long line is not kept: memory stays a few kilobytes.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace wyrownik {

template <class Wartosc>
class OstatnieLinie {
 public:
  static constexpr std::size_t najdluzsza = 4096;

  // The value kept with a line of exactly these bytes; nullptr for none.
  const Wartosc* znajdz(std::string_view linia) const {
    for (const Miejsce& m : miejsca_) {
      if (m.zajete && m.linia == linia) return &m.wartosc;
    }
    return nullptr;
  }

  // Keeps `linia` in place of the oldest and gives its value to fill in;
  // nullptr for a line longer than najdluzsza, which is not kept.
  Wartosc* zapamietaj(std::string_view linia) {
    if (linia.size() > najdluzsza) return nullptr;
    Miejsce& m = miejsca_[nastepne_];
    nastepne_ = (nastepne_ + 1) % miejsca_.size();
    m.linia.assign(linia);
    m.zajete = true;
    m.wartosc = Wartosc{};
    return &m.wartosc;
  }

 private:
  struct Miejsce {
    std::string linia;
    bool zajete = false;  // a place not yet taken matches no line, not even an empty one
    Wartosc wartosc{};
  };
  std::array<Miejsce, 4> miejsca_;
  std::size_t nastepne_ = 0;
};

}  // namespace wyrownik
