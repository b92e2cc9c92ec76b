// The separator of path components on this system.
#pragma once

namespace wyrownik {

#ifdef _WIN32
inline constexpr char separator_natywny = '\\';
#else
inline constexpr char separator_natywny = '/';
#endif

}  // namespace wyrownik
