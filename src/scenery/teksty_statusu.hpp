// The status lines the phases show, and the one helper that joins a label's
// prefix with a name.
#pragma once

#include <string>
#include <string_view>

namespace wyrownik::status {

inline constexpr std::string_view sprawdzana_sceneria = "Aktualnie sprawdzana sceneria:";
inline constexpr std::string_view faza_i = "FAZA I";
inline constexpr std::string_view faza_ii = "FAZA II";
inline constexpr std::string_view faza_iii = "FAZA III";
inline constexpr std::string_view faza_iv = "FAZA IV";
inline constexpr std::string_view czytam_plik = "Czytam plik: ";

// The prefix immediately followed by the name (no space is added).
inline std::string z_nazwa(std::string_view przedrostek, std::string_view nazwa) {
  std::string tekst;
  tekst.reserve(przedrostek.size() + nazwa.size());
  tekst.append(przedrostek).append(nazwa);
  return tekst;
}

}  // namespace wyrownik::status
