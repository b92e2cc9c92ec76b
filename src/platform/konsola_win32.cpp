#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <streambuf>

#include "platform/konsola.hpp"
#include "platform/windows.hpp"

namespace wyrownik {

namespace {

std::string utf8(const wchar_t* w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string s(static_cast<std::size_t>(n - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
  return s;
}

// Collects UTF-8 bytes and hands whole characters to the console as UTF-16.
class BuforKonsoli : public std::streambuf {
 public:
  explicit BuforKonsoli(HANDLE konsola) : konsola_(konsola) {}

 protected:
  int_type overflow(int_type znak) override {
    if (traits_type::eq_int_type(znak, traits_type::eof())) return traits_type::not_eof(znak);
    tekst_ += traits_type::to_char_type(znak);
    if (znak == '\n' || tekst_.size() >= 4096) wypisz();
    return znak;
  }
  std::streamsize xsputn(const char* dane, std::streamsize ile) override {
    tekst_.append(dane, static_cast<std::size_t>(ile));
    if (tekst_.find('\n') != std::string::npos || tekst_.size() >= 4096) wypisz();
    return ile;
  }
  int sync() override { return wypisz() ? 0 : -1; }

 private:
  // Writes every whole character held; a character cut at the end of the
  // buffer waits for its other bytes.
  bool wypisz() {
    std::size_t cale = tekst_.size();
    for (std::size_t i = 0; i < 4 && i < tekst_.size(); ++i) {
      const auto b = static_cast<unsigned char>(tekst_[tekst_.size() - 1 - i]);
      if ((b & 0xC0) != 0x80) {  // the lead byte of the last character
        const std::size_t dlugosc = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        if (i + 1 < dlugosc) cale = tekst_.size() - 1 - i;
        break;
      }
    }
    if (cale == 0) return true;
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, tekst_.data(), static_cast<int>(cale), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, tekst_.data(), static_cast<int>(cale), w.data(), n);
    DWORD zapisane = 0;
    const bool ok =
        WriteConsoleW(konsola_, w.data(), static_cast<DWORD>(w.size()), &zapisane, nullptr);
    tekst_.erase(0, cale);
    return ok;
  }

  HANDLE konsola_;
  std::string tekst_;
};

bool konsola(HANDLE h) {
  DWORD tryb = 0;
  return h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &tryb);
}

}  // namespace

std::vector<std::string> argumenty_utf8(int argc, const wchar_t* const* argv) {
  std::vector<std::string> wynik;
  for (int i = 1; i < argc; ++i) wynik.push_back(utf8(argv[i]));
  return wynik;
}

void przygotuj_konsole() {
  // Live as long as the program: the streams use them until its very end.
  static BuforKonsoli wyjscie(GetStdHandle(STD_OUTPUT_HANDLE));
  static BuforKonsoli bledy(GetStdHandle(STD_ERROR_HANDLE));
  if (konsola(GetStdHandle(STD_OUTPUT_HANDLE))) std::cout.rdbuf(&wyjscie);
  if (konsola(GetStdHandle(STD_ERROR_HANDLE))) std::cerr.rdbuf(&bledy);
}

void wyjscie_binarne() {
  std::cout.flush();
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace wyrownik
