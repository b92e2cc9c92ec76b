// The texts of the status lines.
#pragma once

#include <string_view>

namespace wyrownik::status {

inline constexpr std::string_view sprawdzana_sceneria = "Aktualnie sprawdzana sceneria:";
inline constexpr std::string_view faza_i = "FAZA I";
inline constexpr std::string_view faza_ii = "FAZA II";
inline constexpr std::string_view faza_iii = "FAZA III";
inline constexpr std::string_view faza_iv = "FAZA IV";
inline constexpr std::string_view czytam_plik = "Czytam plik: ";

}  // namespace wyrownik::status
