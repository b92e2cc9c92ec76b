#include "platform/plik_mapowany.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/bledy.hpp"

namespace wyrownik {

void PlikMapowany::wydluz_poza_rezerwe(std::size_t nowa) {
  if (uchwyt_ < 0) throw BladPliku("cannot write to a closed file", sciezka_);
  if (nowa <= pojemnosc_) {
    dlugosc_ = std::max(dlugosc_, nowa);
    return;
  }
  // Grow by half of what is there, at least by the step: few remappings
  // however large the file gets.
  const std::size_t przyrost = std::max(krok_wzrostu_, pojemnosc_ / 2);
  rozszerz(std::max(nowa, pojemnosc_ + przyrost));
  dlugosc_ = nowa;
}

void PlikMapowany::zapisz(std::size_t od, const char* bajty, std::size_t n) {
  if (uchwyt_ < 0) throw BladPliku("cannot write to a closed file", sciezka_);
  if (od > dlugosc_ || n > dlugosc_ - od) throw std::out_of_range("a write beyond the file's end");
  if (n > 0) wpisz(od, bajty, n);
}

PlikMapowany::PlikMapowany(Uchwyt uchwyt, const std::filesystem::path& sciezka,
                           std::size_t krok_wzrostu, Dostep dostep, OperacjeSystemu& operacje)
    : sciezka_(sciezka),
      krok_wzrostu_(std::max<std::size_t>(krok_wzrostu, 1)),
      dostep_(dostep),
      operacje_(&operacje),
      uchwyt_(uchwyt) {}

PlikMapowany::~PlikMapowany() {
  zwolnij();
}

PlikMapowany::PlikMapowany(PlikMapowany&& inny) noexcept
    : sciezka_(std::move(inny.sciezka_)),
      krok_wzrostu_(inny.krok_wzrostu_),
      dostep_(inny.dostep_),
      operacje_(inny.operacje_),
      uchwyt_(std::exchange(inny.uchwyt_, -1)),
      widok_(std::exchange(inny.widok_, 0)),
      mapa_(std::exchange(inny.mapa_, nullptr)),
      pojemnosc_(std::exchange(inny.pojemnosc_, 0)),
      dlugosc_(std::exchange(inny.dlugosc_, 0)),
      przygotowane_(std::exchange(inny.przygotowane_, 0)) {}

PlikMapowany& PlikMapowany::operator=(PlikMapowany&& inny) noexcept {
  if (this != &inny) {
    zwolnij();
    sciezka_ = std::move(inny.sciezka_);
    krok_wzrostu_ = inny.krok_wzrostu_;
    dostep_ = inny.dostep_;
    operacje_ = inny.operacje_;
    uchwyt_ = std::exchange(inny.uchwyt_, -1);
    widok_ = std::exchange(inny.widok_, 0);
    mapa_ = std::exchange(inny.mapa_, nullptr);
    pojemnosc_ = std::exchange(inny.pojemnosc_, 0);
    dlugosc_ = std::exchange(inny.dlugosc_, 0);
    przygotowane_ = std::exchange(inny.przygotowane_, 0);
  }
  return *this;
}

}  // namespace wyrownik
