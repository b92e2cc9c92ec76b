#include "platform/plik_zapisu.hpp"

#include "platform/bledy.hpp"
#include "platform/plik_odczytu.hpp"

namespace wyrownik {

PlikZapisu::PlikZapisu(const std::filesystem::path& sciezka, Tryb tryb, OperacjeSystemu& operacje)
    : sciezka_(sciezka), operacje_(&operacje) {
  if (const auto blad = operacje_->otworz(sciezka, tryb, uchwyt_)) {
    throw BladPliku("cannot open for writing", sciezka, blad);
  }
  otwarty_ = true;
  bufor_.reserve(rozmiar_bufora);
}

PlikZapisu::~PlikZapisu() {
  if (otwarty_) operacje_->zamknij(uchwyt_);
}

void PlikZapisu::zapisz(std::string_view dane) {
  if (!otwarty_) throw BladPliku("write to a closed file", sciezka_);
  if (bufor_.size() + dane.size() > rozmiar_bufora) wypisz_bufor();
  if (dane.size() >= rozmiar_bufora) {
    wypisz(dane);  // straight from the caller's bytes: a line of any length, no copy
    return;
  }
  bufor_.append(dane);
}

void PlikZapisu::zapisz(std::initializer_list<std::string_view> czesci) {
  std::size_t razem = 0;
  for (const std::string_view c : czesci) razem += c.size();
  if (!otwarty_ || bufor_.size() + razem > rozmiar_bufora) {
    for (const std::string_view c : czesci) zapisz(c);
    return;
  }
  for (const std::string_view c : czesci) bufor_.append(c);
}

void PlikZapisu::zapisz_linie(std::string_view linia) {
  zapisz({linia, "\r\n"});
}

void PlikZapisu::wypisz(std::string_view dane) {
  std::size_t wypisane = 0;
  while (wypisane < dane.size()) {
    std::size_t n = 0;
    if (const auto blad =
            operacje_->pisz(uchwyt_, dane.data() + wypisane, dane.size() - wypisane, n)) {
      throw BladPliku("cannot write", sciezka_, blad);
    }
    wypisane += n;
  }
}

void PlikZapisu::wypisz_bufor() {
  wypisz(bufor_);
  bufor_.clear();
}

void PlikZapisu::oproznij(bool na_dysk) {
  wypisz_bufor();
  if (!na_dysk) return;
  if (const auto blad = operacje_->synchronizuj(uchwyt_)) {
    throw BladPliku("cannot flush to disk", sciezka_, blad);
  }
}

void PlikZapisu::zamknij(bool na_dysk) {
  oproznij(na_dysk);
  otwarty_ = false;
  if (const auto blad = operacje_->zamknij(uchwyt_))
    throw BladPliku("cannot close", sciezka_, blad);
}

void utworz_pusty(const std::filesystem::path& sciezka, OperacjeSystemu& operacje,
                  TrybZapisu tryb) {
  PlikZapisu plik(sciezka, tryb, operacje);
  plik.zamknij();
}

void zastap_plik(const std::filesystem::path& kopia, const std::filesystem::path& cel,
                 OperacjeSystemu& operacje) {
  if (const auto blad = operacje.zmien_nazwe(kopia, cel))
    throw BladPliku("cannot replace", cel, blad);
  synchronizuj_katalog(cel.parent_path());
}

void skopiuj_plik(const std::filesystem::path& z, const std::filesystem::path& na,
                  OperacjeSystemu& operacje) {
  try {
    PlikOdczytu zrodlo(z, operacje);
    PlikZapisu cel(na, PlikZapisu::Tryb::nowy, operacje);
    std::string bufor(PlikZapisu::rozmiar_bufora, '\0');
    for (std::size_t n; (n = zrodlo.czytaj(bufor.data(), bufor.size())) > 0;) {
      cel.zapisz(std::string_view(bufor.data(), n));
    }
    cel.zamknij(/*na_dysk=*/true);
  } catch (...) {
    std::error_code blad;
    std::filesystem::remove(na, blad);  // no half copy stays
    throw;
  }
}

bool zachowaj_plik(const std::filesystem::path& plik, const std::filesystem::path& kopia,
                   OperacjeSystemu& operacje) {
  // A link fails across file systems and on those without links; a copy
  // serves then.
  const bool dowiazany = !operacje.dowiaz(plik, kopia);
  if (!dowiazany) skopiuj_plik(plik, kopia, operacje);
  synchronizuj_katalog(kopia.parent_path());
  return dowiazany;
}

void usun_pozostalosc(const std::filesystem::path& sciezka) {
  usun_pozostalosc(sciezka, operacje_systemowe());
}

void usun_pozostalosc(const std::filesystem::path& sciezka, OperacjeSystemu& operacje) {
  std::error_code blad;
  const auto stan = std::filesystem::symlink_status(sciezka, blad);
  if (std::filesystem::is_directory(stan)) return;
  if (const auto kod = operacje.usun(sciezka)) throw BladPliku("cannot remove", sciezka, kod);
}

}  // namespace wyrownik
