// Little-endian numbers in byte buffers: the scratch files have one layout on
// every host.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace wyrownik {

namespace detail {
constexpr std::uint32_t odwroc(std::uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) | (v << 24);
}
constexpr std::uint64_t odwroc(std::uint64_t v) {
  return (std::uint64_t{odwroc(static_cast<std::uint32_t>(v))} << 32) |
         odwroc(static_cast<std::uint32_t>(v >> 32));
}
template <class T>
constexpr T na_le(T v) {
  if constexpr (std::endian::native == std::endian::little) {
    return v;
  } else {
    return odwroc(v);
  }
}
}  // namespace detail

inline std::int32_t czytaj_i32_le(const char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return static_cast<std::int32_t>(detail::na_le(v));
}

inline void zapisz_i32_le(char* p, std::int32_t wartosc) {
  const std::uint32_t v = detail::na_le(static_cast<std::uint32_t>(wartosc));
  std::memcpy(p, &v, sizeof v);
}

inline double czytaj_f64_le(const char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return std::bit_cast<double>(detail::na_le(v));
}

inline void zapisz_f64_le(char* p, double wartosc) {
  const std::uint64_t v = detail::na_le(std::bit_cast<std::uint64_t>(wartosc));
  std::memcpy(p, &v, sizeof v);
}

}  // namespace wyrownik
