#include "platform/sterta.hpp"

namespace wyrownik {

// The Windows heap is left as the system sets it: large pages there need a
// privilege users do not have.
void przygotuj_sterte() {}

}  // namespace wyrownik
