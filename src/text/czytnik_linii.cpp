#include "text/czytnik_linii.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace wyrownik {

CzytnikLinii::CzytnikLinii(const std::filesystem::path& sciezka, OperacjeSystemu& operacje)
    : plik_(sciezka, operacje),
      bufor_(static_cast<char*>(std::malloc(rozmiar_bloku)), std::free),
      rozmiar_bufora_(rozmiar_bloku) {
  if (!bufor_) throw std::bad_alloc();
}

CzytnikLinii::~CzytnikLinii() {
  zamknij();
}

void CzytnikLinii::zamknij() noexcept {
  plik_.zamknij();
  eof_ = true;
  poczatek_ = koniec_ = 0;
}

bool CzytnikLinii::dolej() {
  if (eof_) return false;
  // Keep the unfinished line at the front; grow only for a line longer than
  // the buffer.
  if (poczatek_ > 0) {
    std::memmove(bufor_.get(), bufor_.get() + poczatek_, koniec_ - poczatek_);
    koniec_ -= poczatek_;
    przesuniecie_ += poczatek_;
    poczatek_linii_ = poczatek_linii_ >= poczatek_ ? poczatek_linii_ - poczatek_ : 0;
    poczatek_ = 0;
  }
  if (koniec_ == rozmiar_bufora_) {
    char* wiekszy = static_cast<char*>(std::realloc(bufor_.get(), rozmiar_bufora_ * 2));
    if (wiekszy == nullptr) throw std::bad_alloc();
    bufor_.release();
    bufor_.reset(wiekszy);
    rozmiar_bufora_ *= 2;
  }
  const std::size_t n = plik_.czytaj(bufor_.get() + koniec_, rozmiar_bufora_ - koniec_);
  if (n == 0) {
    eof_ = true;
    return false;
  }
  koniec_ += n;
  return true;
}

bool CzytnikLinii::czytaj(std::string_view& linia) {
  std::size_t szukaj_od = poczatek_;
  for (;;) {
    const void* lf = std::memchr(bufor_.get() + szukaj_od, '\n', koniec_ - szukaj_od);
    if (lf != nullptr) {
      const auto poz = static_cast<std::size_t>(static_cast<const char*>(lf) - bufor_.get());
      std::size_t dl = poz - poczatek_;
      koniec_linii_ = "\n";
      if (dl > 0 && bufor_.get()[poz - 1] == '\r') {
        --dl;
        koniec_linii_ = "\r\n";
      }
      linia = std::string_view(bufor_.get() + poczatek_, dl);
      poczatek_linii_ = poczatek_;
      poczatek_ = poz + 1;
      ++nr_linii_;
      return true;
    }
    const std::size_t przeszukane = koniec_ - poczatek_;
    if (!dolej()) {
      if (poczatek_ == koniec_) return false;
      linia = std::string_view(bufor_.get() + poczatek_, koniec_ - poczatek_);
      poczatek_linii_ = poczatek_;
      koniec_linii_ = {};
      poczatek_ = koniec_;
      ++nr_linii_;
      return true;
    }
    szukaj_od = poczatek_ + przeszukane;
  }
}

void CzytnikLinii::przeskocz(std::uint64_t pozycja, std::uint64_t nr) {
  // Bytes beyond the buffer are read and let go, a block at a time.
  while (pozycja > przesuniecie_ + koniec_) {
    poczatek_ = koniec_;
    if (!dolej()) break;
  }
  poczatek_ = static_cast<std::size_t>(std::min<std::uint64_t>(pozycja - przesuniecie_, koniec_));
  nr_linii_ = nr - 1;
}

}  // namespace wyrownik
