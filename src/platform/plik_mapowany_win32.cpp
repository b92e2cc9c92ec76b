#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "platform/bledy.hpp"
#include "platform/plik_mapowany.hpp"
#include "platform/windows.hpp"

namespace wyrownik {

namespace {

bool ustaw_dlugosc(HANDLE h, std::size_t dlugosc) {
  LARGE_INTEGER pozycja;
  pozycja.QuadPart = static_cast<LONGLONG>(dlugosc);
  return SetFilePointerEx(h, pozycja, nullptr, FILE_BEGIN) && SetEndOfFile(h);
}

}  // namespace

PlikMapowany::PlikMapowany(const std::filesystem::path& sciezka, std::size_t krok_wzrostu,
                           Dostep dostep, OperacjeSystemu& operacje)
    : sciezka_(sciezka),
      krok_wzrostu_(std::max<std::size_t>(krok_wzrostu, 1)),
      dostep_(dostep),
      operacje_(&operacje) {
  const HANDLE h = CreateFileW(
      win32::nazwa_systemowa(sciezka).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw BladPliku("cannot open", sciezka, ostatni_blad_systemu());
  if (win32::dowiazanie(h)) {  // never followed, as on POSIX
    CloseHandle(h);
    throw BladPliku("cannot open a link", sciezka);
  }
  LARGE_INTEGER rozmiar;
  if (!GetFileSizeEx(h, &rozmiar)) {
    const auto kod = ostatni_blad_systemu();
    CloseHandle(h);  // not zwolnij(): the length is unknown, nothing may be cut
    throw BladPliku("cannot read the size of", sciezka, kod);
  }
  uchwyt_ = win32::liczba(h);
  dlugosc_ = static_cast<std::size_t>(rozmiar.QuadPart);
  try {
    if (dlugosc_ > 0) mapuj(dlugosc_);
  } catch (...) {
    zwolnij();
    throw;
  }
}

PlikMapowany PlikMapowany::bez_nazwy(const std::filesystem::path& katalog, std::size_t krok_wzrostu,
                                     Dostep dostep, OperacjeSystemu& operacje) {
  // Windows has no unnamed file: a name of this process alone, the file
  // deleted when its handle closes, even when the process is killed.
  const std::wstring poczatek = L"wyrownik-" + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int n = 0; n < 100; ++n) {
    const auto sciezka = katalog / (poczatek + std::to_wstring(n) + L".tmp");
    const HANDLE h = CreateFileW(
        win32::nazwa_systemowa(sciezka).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
        CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
        nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      return PlikMapowany(win32::liczba(h), sciezka, krok_wzrostu, dostep, operacje);
    }
    const DWORD kod = GetLastError();
    if (kod == ERROR_FILE_EXISTS || kod == ERROR_ALREADY_EXISTS) continue;
    throw BladPliku("cannot make a scratch file in", katalog,
                    std::error_code(static_cast<int>(kod), std::system_category()));
  }
  throw BladPliku("cannot make a scratch file in", katalog,
                  std::make_error_code(std::errc::file_exists));
}

void PlikMapowany::zamknij_widok() noexcept {
  if (mapa_ != nullptr) UnmapViewOfFile(mapa_);
  mapa_ = nullptr;
  if (widok_ != 0) CloseHandle(win32::uchwyt(widok_));
  widok_ = 0;
  pojemnosc_ = 0;
  przygotowane_ = 0;
}

// Pages of a view fault in one by one on Windows; no call brings them in
// for writing.
void PlikMapowany::przygotuj_do_zapisu(std::size_t, std::size_t) {}

// Windows maps no block ahead: the pages fault in one by one.
void PlikMapowany::przygotuj_do(std::size_t nowa) {
  przygotowane_ = std::max(pojemnosc_, nowa);
}

void PlikMapowany::mapuj(std::size_t pojemnosc) {
  zamknij_widok();
  // A mapping larger than the file extends it, blocks allocated: a full disk
  // fails here, never on a later write through the view.
  const auto rozmiar = static_cast<unsigned long long>(pojemnosc);
  const HANDLE m = CreateFileMappingW(win32::uchwyt(uchwyt_), nullptr, PAGE_READWRITE,
                                      static_cast<DWORD>(rozmiar >> 32),
                                      static_cast<DWORD>(rozmiar & 0xFFFFFFFFu), nullptr);
  if (m == nullptr) throw BladPliku("cannot map", sciezka_, ostatni_blad_systemu());
  void* adres = MapViewOfFile(m, FILE_MAP_WRITE, 0, 0, pojemnosc);
  if (adres == nullptr) {
    const auto kod = ostatni_blad_systemu();
    CloseHandle(m);
    throw BladPliku("cannot map", sciezka_, kod);
  }
  widok_ = win32::liczba(m);
  mapa_ = static_cast<char*>(adres);
  pojemnosc_ = pojemnosc;
}

// A view and WriteFile are not promised to agree on Windows: the bytes go
// through the view, and through WriteFile only where no view is left (a
// growth that failed): there is none to disagree with.
void PlikMapowany::wpisz(std::size_t od, const char* bajty, std::size_t n) {
  if (mapa_ == nullptr) {
    while (n > 0) {
      OVERLAPPED miejsce{};
      miejsce.Offset = static_cast<DWORD>(od & 0xFFFFFFFFu);
      miejsce.OffsetHigh = static_cast<DWORD>(od >> 32);
      const auto ile = static_cast<DWORD>(std::min<std::size_t>(n, 1u << 30));
      DWORD zapisane = 0;
      if (!WriteFile(win32::uchwyt(uchwyt_), bajty, ile, &zapisane, &miejsce) || zapisane == 0) {
        throw BladPliku("cannot write to", sciezka_, ostatni_blad_systemu());
      }
      bajty += zapisane;
      od += zapisane;
      n -= zapisane;
    }
    return;
  }
  if (od > pojemnosc_ || n > pojemnosc_ - od) {
    throw BladPliku("cannot write to an unmapped part of", sciezka_);
  }
  std::memcpy(mapa_ + od, bajty, n);
}

void PlikMapowany::rozszerz(std::size_t nowa_pojemnosc) {
  // The view must go before the file can grow under a new one.
  const std::size_t stara = pojemnosc_;
  zamknij_widok();
  if (const auto kod = operacje_->rezerwuj(uchwyt_, stara, nowa_pojemnosc)) {
    if (stara > 0) mapuj(stara);
    throw BladPliku("cannot extend", sciezka_, kod);
  }
  mapuj(nowa_pojemnosc);
}

void PlikMapowany::zamknij() {
  if (uchwyt_ < 0) return;
  std::error_code kod;
  const char* czynnosc = nullptr;
  if (mapa_ != nullptr && !UnmapViewOfFile(mapa_)) {
    kod = ostatni_blad_systemu();
    czynnosc = "cannot unmap";
  }
  mapa_ = nullptr;
  pojemnosc_ = 0;
  if (widok_ != 0) CloseHandle(win32::uchwyt(widok_));
  widok_ = 0;
  if (!ustaw_dlugosc(win32::uchwyt(uchwyt_), dlugosc_) && czynnosc == nullptr) {
    kod = ostatni_blad_systemu();
    czynnosc = "cannot truncate";
  }
  if (!CloseHandle(win32::uchwyt(uchwyt_)) && czynnosc == nullptr) {
    kod = ostatni_blad_systemu();
    czynnosc = "cannot close";
  }
  uchwyt_ = -1;
  if (czynnosc != nullptr) throw BladPliku(czynnosc, sciezka_, kod);
}

void PlikMapowany::zwolnij() noexcept {
  if (uchwyt_ < 0) return;
  zamknij_widok();
  ustaw_dlugosc(win32::uchwyt(uchwyt_), dlugosc_);
  CloseHandle(win32::uchwyt(uchwyt_));
  uchwyt_ = -1;
}

}  // namespace wyrownik
