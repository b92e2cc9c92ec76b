// Written files whose system calls fail on demand: a full disk part-way, a
// refused sync, close or rename. The settings are reset by each test.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "scenery/plik_zapisu.hpp"

namespace wyrownik::testy {

struct Awarie {
  std::optional<std::size_t> pisz_do;  // bytes accepted in all, then ENOSPC
  // When set, `pisz_do` counts and refuses only writes to files of this name
  // (say "aaa.ccc"); every other file is written normally.
  std::string tylko_plik;
  std::set<int> deskryptory_pliku;  // open descriptors of that file
  bool synchronizuj = false;
  bool zamknij = false;  // the descriptor is closed, the call still fails
  bool zmien_nazwe = false;
  std::function<void()> przed_zmiana_nazwy;  // a look at the disk just before a rename
  std::size_t zapisane = 0;
  std::vector<std::string> wywolania;  // names of the calls, in order
};

inline Awarie& awarie() {
  static Awarie stan;
  return stan;
}

inline const OperacjeZapisu& operacje_z_awariami() {
  static constexpr OperacjeZapisu operacje{
      [](const char* sciezka, int flagi, mode_t tryb) {
        auto& a = awarie();
        a.wywolania.emplace_back("otworz");
        const int fd = operacje_systemowe().otworz(sciezka, flagi, tryb);
        if (fd >= 0 && !a.tylko_plik.empty() &&
            std::filesystem::path(sciezka).filename() == a.tylko_plik) {
          a.deskryptory_pliku.insert(fd);
        }
        return fd;
      },
      [](int fd, const void* dane, std::size_t ile) -> ssize_t {
        auto& a = awarie();
        a.wywolania.emplace_back("pisz");
        const bool liczony = a.tylko_plik.empty() || a.deskryptory_pliku.count(fd) != 0;
        if (a.pisz_do && liczony) {
          const std::size_t zostalo = *a.pisz_do - std::min(*a.pisz_do, a.zapisane);
          if (zostalo == 0) {
            errno = ENOSPC;
            return -1;
          }
          ile = std::min(ile, zostalo);
        }
        const ssize_t n = ::write(fd, dane, ile);
        if (n > 0 && liczony) a.zapisane += static_cast<std::size_t>(n);
        return n;
      },
      [](int fd) {
        awarie().wywolania.emplace_back("synchronizuj");
        if (awarie().synchronizuj) {
          errno = EIO;
          return -1;
        }
        return ::fsync(fd);
      },
      [](int fd) {
        awarie().wywolania.emplace_back("zamknij");
        awarie().deskryptory_pliku.erase(fd);
        const int wynik = ::close(fd);
        if (awarie().zamknij) {
          errno = EIO;
          return -1;
        }
        return wynik;
      },
      [](const char* z, const char* na) {
        awarie().wywolania.emplace_back("zmien_nazwe");
        if (awarie().przed_zmiana_nazwy) awarie().przed_zmiana_nazwy();
        if (awarie().zmien_nazwe) {
          errno = EACCES;
          return -1;
        }
        return std::rename(z, na);
      },
  };
  return operacje;
}

}  // namespace wyrownik::testy
