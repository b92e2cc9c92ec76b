#include "platform/plik_odczytu.hpp"

#include "platform/bledy.hpp"

namespace wyrownik {

PlikOdczytu::PlikOdczytu(const std::filesystem::path& sciezka, OperacjeSystemu& operacje)
    : sciezka_(sciezka), operacje_(&operacje) {
  if (const auto blad = operacje_->otworz_do_odczytu(sciezka, uchwyt_)) {
    uchwyt_ = brak_uchwytu;
    throw BladPliku("cannot open", sciezka, blad);
  }
}

PlikOdczytu::~PlikOdczytu() {
  zamknij();
}

void PlikOdczytu::zamknij() noexcept {
  if (uchwyt_ >= 0) operacje_->zamknij(uchwyt_);
  uchwyt_ = brak_uchwytu;
}

std::size_t PlikOdczytu::czytaj(char* dane, std::size_t ile) {
  if (uchwyt_ < 0) return 0;
  std::size_t n = 0;
  if (const auto blad = operacje_->czytaj(uchwyt_, dane, ile, n)) {
    throw BladPliku("cannot read", sciezka_, blad);
  }
  return n;
}

std::string wczytaj_plik(const std::filesystem::path& sciezka, OperacjeSystemu& operacje) {
  PlikOdczytu czytany(sciezka, operacje);
  std::string tresc;
  char bufor[1 << 16];
  for (std::size_t n; (n = czytany.czytaj(bufor, sizeof bufor)) > 0;) tresc.append(bufor, n);
  return tresc;
}

}  // namespace wyrownik
