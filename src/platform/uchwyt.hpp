// What the system hands out for an open file, mapping or lock: a descriptor
// on POSIX, a HANDLE on Windows, kept as one integer type so that no header
// outside the system halves needs the system's own.
#pragma once

#include <cstdint>

namespace wyrownik {

using Uchwyt = std::intptr_t;
inline constexpr Uchwyt brak_uchwytu = -1;

}  // namespace wyrownik
