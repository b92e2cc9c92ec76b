// The scratch files a batch keeps in the scenery directory only while it
// works: the index (aaa.aaa, aaa.aab) and the scratch copy of the file being
// rewritten or restored (aaa.ccc).
#pragma once

#include <array>
#include <string_view>

namespace wyrownik {

inline constexpr std::string_view nazwa_pliku_danych = "aaa.aaa";
inline constexpr std::string_view nazwa_pliku_komorek = "aaa.aab";
inline constexpr std::string_view nazwa_kopii_roboczej = "aaa.ccc";
inline constexpr std::array<std::string_view, 3> pliki_robocze = {
    nazwa_pliku_danych, nazwa_pliku_komorek, nazwa_kopii_roboczej};

}  // namespace wyrownik
