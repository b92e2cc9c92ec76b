// The scratch index files read as bytes, decoded whatever the host's byte
// order: what a run really left on disk.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace wyrownik::testy {

using Rekord72 = std::array<double, 9>;

inline std::uint64_t le_z_bajtow(const std::string& b, std::size_t poz, int ile) {
  if (poz + static_cast<std::size_t>(ile) > b.size())
    throw std::out_of_range("beyond the end of the file");
  std::uint64_t v = 0;
  for (int i = ile - 1; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(b[poz + static_cast<std::size_t>(i)]);
  return v;
}

// Record `nr` (from 1) of aaa.aaa: nine little-endian doubles.
inline Rekord72 rekord_danych(const std::string& aaa, std::int32_t nr) {
  Rekord72 r{};
  const std::size_t poz = 72 * static_cast<std::size_t>(nr - 1);
  for (std::size_t i = 0; i < r.size(); ++i) {
    const std::uint64_t bity = le_z_bajtow(aaa, poz + 8 * i, 8);
    std::memcpy(&r[i], &bity, sizeof bity);
  }
  return r;
}

struct Komorka12 {
  std::int32_t ostatni = 0, nastepny = 0, nr_rekordu = 0;
};

// Record `nr` (from 1) of aaa.aab: three little-endian int32.
inline Komorka12 rekord_komorki(const std::string& aab, std::int32_t nr) {
  const std::size_t poz = 12 * static_cast<std::size_t>(nr - 1);
  return {static_cast<std::int32_t>(le_z_bajtow(aab, poz, 4)),
          static_cast<std::int32_t>(le_z_bajtow(aab, poz + 4, 4)),
          static_cast<std::int32_t>(le_z_bajtow(aab, poz + 8, 4))};
}

// The element numbers of cell `komorka`'s chain, head first.
inline std::vector<std::int32_t> lancuch(const std::string& aab, std::int32_t komorka) {
  std::vector<std::int32_t> w;
  for (std::int32_t c = komorka; c != 0;) {
    const Komorka12 r = rekord_komorki(aab, c);
    if (r.nr_rekordu > 0) w.push_back(r.nr_rekordu);
    c = r.nastepny;
    if (w.size() > 1000) throw std::runtime_error("chain does not end");
  }
  return w;
}

// Cell number of column k and row w, both 1..1000.
constexpr std::int32_t komorka(int kolumna, int wiersz) {
  return wiersz + 1000 * (kolumna - 1);
}

}  // namespace wyrownik::testy
