#include "platform/blokada.hpp"

#include <utility>

namespace wyrownik {

Blokada::Blokada(Blokada&& inna) noexcept : uchwyt_(std::exchange(inna.uchwyt_, -1)) {}

Blokada& Blokada::operator=(Blokada&& inna) noexcept {
  if (this != &inna) {
    zwolnij();
    uchwyt_ = std::exchange(inna.uchwyt_, -1);
  }
  return *this;
}

Blokada::~Blokada() {
  zwolnij();
}

}  // namespace wyrownik
