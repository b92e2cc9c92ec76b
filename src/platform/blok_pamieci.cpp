#include "platform/blok_pamieci.hpp"

#include <utility>

namespace wyrownik {

BlokPamieci::BlokPamieci(BlokPamieci&& inny) noexcept
    : dane_(std::exchange(inny.dane_, nullptr)),
      rozmiar_(std::exchange(inny.rozmiar_, 0)),
      zmapowane_(std::exchange(inny.zmapowane_, 0)) {}

BlokPamieci& BlokPamieci::operator=(BlokPamieci&& inny) noexcept {
  if (this != &inny) {
    zwolnij();
    dane_ = std::exchange(inny.dane_, nullptr);
    rozmiar_ = std::exchange(inny.rozmiar_, 0);
    zmapowane_ = std::exchange(inny.zmapowane_, 0);
  }
  return *this;
}

}  // namespace wyrownik
