// How this system spells paths: what the text layer must know of names
// without asking the system.
#pragma once

namespace wyrownik {

#ifdef _WIN32
// The separator of path components.
inline constexpr char separator_natywny = '\\';
// Whether a "\" separates components too (else it is a letter of a name).
inline constexpr bool odwrotny_ukosnik_rozdziela = true;
// Whether the bytes of a name on disk are UTF-8 (else they were converted
// from the system's UTF-16 into Windows-1250 already).
inline constexpr bool nazwy_na_dysku_w_utf8 = false;
// Whether two names differing in letter case name two files.
inline constexpr bool wielkosc_liter_w_nazwach = false;
#else
inline constexpr char separator_natywny = '/';
inline constexpr bool odwrotny_ukosnik_rozdziela = false;
inline constexpr bool nazwy_na_dysku_w_utf8 = true;
inline constexpr bool wielkosc_liter_w_nazwach = true;
#endif

}  // namespace wyrownik
