#include "platform/plik_mapowany.hpp"

#include <utility>

namespace wyrownik {

PlikMapowany::~PlikMapowany() {
  zwolnij();
}

PlikMapowany::PlikMapowany(PlikMapowany&& inny) noexcept
    : sciezka_(std::move(inny.sciezka_)),
      krok_wzrostu_(inny.krok_wzrostu_),
      dostep_(inny.dostep_),
      uchwyt_(std::exchange(inny.uchwyt_, -1)),
      widok_(std::exchange(inny.widok_, 0)),
      mapa_(std::exchange(inny.mapa_, nullptr)),
      pojemnosc_(std::exchange(inny.pojemnosc_, 0)),
      dlugosc_(std::exchange(inny.dlugosc_, 0)) {}

PlikMapowany& PlikMapowany::operator=(PlikMapowany&& inny) noexcept {
  if (this != &inny) {
    zwolnij();
    sciezka_ = std::move(inny.sciezka_);
    krok_wzrostu_ = inny.krok_wzrostu_;
    dostep_ = inny.dostep_;
    uchwyt_ = std::exchange(inny.uchwyt_, -1);
    widok_ = std::exchange(inny.widok_, 0);
    mapa_ = std::exchange(inny.mapa_, nullptr);
    pojemnosc_ = std::exchange(inny.pojemnosc_, 0);
    dlugosc_ = std::exchange(inny.dlugosc_, 0);
  }
  return *this;
}

}  // namespace wyrownik
