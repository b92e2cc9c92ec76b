// Written files whose system calls fail on demand: a full disk part-way, a
// refused sync, close or rename. The settings are reset by each test.
#pragma once

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "platform/plik_zapisu.hpp"

namespace wyrownik::testy {

struct Awarie {
  std::optional<std::size_t> pisz_do;  // bytes accepted in all, then a full disk
  // When set, `pisz_do` counts and refuses only writes to files of this name
  // (say "aaa.ccc"); every other file is written normally.
  std::string tylko_plik;
  std::set<Uchwyt> uchwyty_pliku;  // open handles of that file
  bool synchronizuj = false;
  bool zamknij = false;  // the handle is closed, the call still fails
  bool zmien_nazwe = false;
  bool dowiaz = false;                       // links refused: another file system
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
      [](const std::filesystem::path& sciezka, TrybZapisu tryb, Uchwyt& uchwyt) {
        auto& a = awarie();
        a.wywolania.emplace_back("otworz");
        const auto blad = operacje_systemowe().otworz(sciezka, tryb, uchwyt);
        if (!blad && !a.tylko_plik.empty() && sciezka.filename() == a.tylko_plik) {
          a.uchwyty_pliku.insert(uchwyt);
        }
        return blad;
      },
      [](Uchwyt uchwyt, const char* dane, std::size_t ile, std::size_t& zapisane) {
        auto& a = awarie();
        a.wywolania.emplace_back("pisz");
        const bool liczony = a.tylko_plik.empty() || a.uchwyty_pliku.count(uchwyt) != 0;
        if (a.pisz_do && liczony) {
          const std::size_t zostalo = *a.pisz_do - std::min(*a.pisz_do, a.zapisane);
          if (zostalo == 0) return std::make_error_code(std::errc::no_space_on_device);
          ile = std::min(ile, zostalo);
        }
        const auto blad = operacje_systemowe().pisz(uchwyt, dane, ile, zapisane);
        if (!blad && liczony) a.zapisane += zapisane;
        return blad;
      },
      [](Uchwyt uchwyt) {
        awarie().wywolania.emplace_back("synchronizuj");
        if (awarie().synchronizuj) return std::make_error_code(std::errc::io_error);
        return operacje_systemowe().synchronizuj(uchwyt);
      },
      [](Uchwyt uchwyt) {
        awarie().wywolania.emplace_back("zamknij");
        awarie().uchwyty_pliku.erase(uchwyt);
        const auto blad = operacje_systemowe().zamknij(uchwyt);
        if (awarie().zamknij) return std::make_error_code(std::errc::io_error);
        return blad;
      },
      [](const std::filesystem::path& z, const std::filesystem::path& na) {
        awarie().wywolania.emplace_back("zmien_nazwe");
        if (awarie().przed_zmiana_nazwy) awarie().przed_zmiana_nazwy();
        if (awarie().zmien_nazwe) return std::make_error_code(std::errc::permission_denied);
        return operacje_systemowe().zmien_nazwe(z, na);
      },
      [](const std::filesystem::path& plik, const std::filesystem::path& nowa) {
        awarie().wywolania.emplace_back("dowiaz");
        if (awarie().dowiaz) return std::make_error_code(std::errc::cross_device_link);
        return operacje_systemowe().dowiaz(plik, nowa);
      },
  };
  return operacje;
}

}  // namespace wyrownik::testy
