// System calls that fail on demand: a full disk part-way, a refused sync,
// close or rename, a read error in the middle of a file, a mapping that
// cannot grow, a folder that cannot be made. Each test owns its own.
#pragma once

#include <algorithm>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "platform/operacje_systemu.hpp"

namespace wyrownik::testy {

// What fails; a test sets it, and may look at the calls made.
struct Awarie {
  std::optional<std::size_t> pisz_do;  // bytes accepted in all, then a full disk
  // When set, `pisz_do` and `czytaj_do` count and refuse only the files of
  // this name (say "aaa.ccc"); every other file works normally.
  std::string tylko_plik;
  std::optional<std::size_t> czytaj_do;  // bytes read in all, then a read error
  bool synchronizuj = false;
  bool zamknij = false;  // the handle is closed, the call still fails
  bool zmien_nazwe = false;
  bool dowiaz = false;                       // links refused: another file system
  std::optional<int> rezerwuj_do;            // growths of mapped files allowed, then a full disk
  bool utworz_katalogi = false;              // folders refused
  bool usun = false;                         // removals refused
  std::function<void()> przed_zmiana_nazwy;  // a look at the disk just before a rename
  std::vector<std::string> wywolania;        // names of the writing calls, in order
};

class OperacjeZAwariami : public OperacjeSystemu {
 public:
  Awarie awarie;

  // Nothing fails any more, and the counts start again.
  void od_nowa() {
    std::lock_guard zamek(m_);
    awarie = {};
    zapisane_ = przeczytane_ = 0;
  }

  std::error_code otworz(const std::filesystem::path& sciezka, TrybZapisu tryb,
                         Uchwyt& uchwyt) override {
    std::lock_guard zamek(m_);
    awarie.wywolania.emplace_back("otworz");
    const auto blad = OperacjeSystemu::otworz(sciezka, tryb, uchwyt);
    if (!blad && liczony(sciezka)) wybrane_.insert(uchwyt);
    return blad;
  }

  std::error_code pisz(Uchwyt uchwyt, const char* dane, std::size_t ile,
                       std::size_t& zapisane) override {
    std::lock_guard zamek(m_);
    awarie.wywolania.emplace_back("pisz");
    const bool licz = awarie.pisz_do && wybrane_.count(uchwyt) != 0;
    if (licz && !ogranicz(*awarie.pisz_do, zapisane_, ile)) {
      return std::make_error_code(std::errc::no_space_on_device);
    }
    const auto blad = OperacjeSystemu::pisz(uchwyt, dane, ile, zapisane);
    if (!blad && licz) zapisane_ += zapisane;
    return blad;
  }

  std::error_code synchronizuj(Uchwyt uchwyt) override {
    std::lock_guard zamek(m_);
    awarie.wywolania.emplace_back("synchronizuj");
    if (awarie.synchronizuj) return std::make_error_code(std::errc::io_error);
    return OperacjeSystemu::synchronizuj(uchwyt);
  }

  std::error_code zamknij(Uchwyt uchwyt) override {
    std::lock_guard zamek(m_);
    const bool czytany = czytane_.erase(uchwyt) != 0;
    wybrane_.erase(uchwyt);
    const auto blad = OperacjeSystemu::zamknij(uchwyt);
    if (czytany) return blad;  // a read file's close is not a writing call
    awarie.wywolania.emplace_back("zamknij");
    if (awarie.zamknij) return std::make_error_code(std::errc::io_error);
    return blad;
  }

  std::error_code zmien_nazwe(const std::filesystem::path& z,
                              const std::filesystem::path& na) override {
    std::function<void()> spojrz;
    {
      std::lock_guard zamek(m_);
      awarie.wywolania.emplace_back("zmien_nazwe");
      spojrz = awarie.przed_zmiana_nazwy;
    }
    if (spojrz) spojrz();  // may set zmien_nazwe
    std::lock_guard zamek(m_);
    if (awarie.zmien_nazwe) return std::make_error_code(std::errc::permission_denied);
    return OperacjeSystemu::zmien_nazwe(z, na);
  }

  std::error_code dowiaz(const std::filesystem::path& plik,
                         const std::filesystem::path& nowa) override {
    std::lock_guard zamek(m_);
    awarie.wywolania.emplace_back("dowiaz");
    if (awarie.dowiaz) return std::make_error_code(std::errc::cross_device_link);
    return OperacjeSystemu::dowiaz(plik, nowa);
  }

  std::error_code otworz_do_odczytu(const std::filesystem::path& sciezka, Uchwyt& uchwyt) override {
    std::lock_guard zamek(m_);
    const auto blad = OperacjeSystemu::otworz_do_odczytu(sciezka, uchwyt);
    if (!blad) czytane_.insert(uchwyt);
    if (!blad && liczony(sciezka)) wybrane_.insert(uchwyt);
    return blad;
  }

  std::error_code czytaj(Uchwyt uchwyt, char* dane, std::size_t ile,
                         std::size_t& przeczytane) override {
    std::lock_guard zamek(m_);
    const bool licz = awarie.czytaj_do && wybrane_.count(uchwyt) != 0;
    if (licz && !ogranicz(*awarie.czytaj_do, przeczytane_, ile)) {
      return std::make_error_code(std::errc::io_error);
    }
    const auto blad = OperacjeSystemu::czytaj(uchwyt, dane, ile, przeczytane);
    if (!blad && licz) przeczytane_ += przeczytane;
    return blad;
  }

  std::error_code rezerwuj(Uchwyt uchwyt, std::size_t obecna, std::size_t dlugosc) override {
    {
      std::lock_guard zamek(m_);
      if (awarie.rezerwuj_do && (*awarie.rezerwuj_do)-- <= 0) {
        return std::make_error_code(std::errc::no_space_on_device);
      }
    }
    return OperacjeSystemu::rezerwuj(uchwyt, obecna, dlugosc);
  }

  std::error_code utworz_katalogi(const std::filesystem::path& katalog) override {
    if (awarie.utworz_katalogi) return std::make_error_code(std::errc::permission_denied);
    return OperacjeSystemu::utworz_katalogi(katalog);
  }

  std::error_code usun(const std::filesystem::path& sciezka) override {
    if (awarie.usun) return std::make_error_code(std::errc::permission_denied);
    return OperacjeSystemu::usun(sciezka);
  }

 private:
  // Cuts `ile` to what a limit of `limit` bytes leaves after `juz`; false
  // when nothing is left.
  static bool ogranicz(std::size_t limit, std::size_t juz, std::size_t& ile) {
    const std::size_t zostalo = limit - std::min(limit, juz);
    ile = std::min(ile, zostalo);
    return zostalo > 0;
  }
  bool liczony(const std::filesystem::path& sciezka) const {
    return awarie.tylko_plik.empty() || sciezka.filename() == awarie.tylko_plik;
  }

  std::mutex m_;
  std::set<Uchwyt> wybrane_;  // open handles that count
  std::set<Uchwyt> czytane_;  // open handles of files read
  std::size_t zapisane_ = 0;
  std::size_t przeczytane_ = 0;
};

}  // namespace wyrownik::testy
