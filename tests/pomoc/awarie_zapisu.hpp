// Written files whose system calls fail on demand: a full disk part-way, a
// refused sync, close or rename. The settings are reset by each test.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scenery/plik_zapisu.hpp"

namespace wyrownik::testy {

struct Awarie {
  std::optional<std::size_t> pisz_do;  // bytes accepted in all, then ENOSPC
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
        awarie().wywolania.emplace_back("otworz");
        return operacje_systemowe().otworz(sciezka, flagi, tryb);
      },
      [](int fd, const void* dane, std::size_t ile) -> ssize_t {
        auto& a = awarie();
        a.wywolania.emplace_back("pisz");
        if (a.pisz_do) {
          const std::size_t zostalo = *a.pisz_do - std::min(*a.pisz_do, a.zapisane);
          if (zostalo == 0) {
            errno = ENOSPC;
            return -1;
          }
          ile = std::min(ile, zostalo);
        }
        const ssize_t n = ::write(fd, dane, ile);
        if (n > 0) a.zapisane += static_cast<std::size_t>(n);
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
