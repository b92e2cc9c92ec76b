// A file of fixed records worked on in memory: mapped, grown in large steps,
// and cut back to its exact length when closed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "platform/operacje_systemu.hpp"
#include "platform/uchwyt.hpp"

namespace wyrownik {

// The scratch index touches a few bytes at scattered places millions of
// times; a mapping turns each touch into a memory access, and the pages stay
// in the OS page cache rather than in the program's own memory.
class PlikMapowany {
 public:
  // How the records are touched: all of them soon (every page is faulted in
  // when mapped, where the system can), or only some (a page comes in when
  // first touched).
  enum class Dostep { wszystkie, wybrane };

  // Opens an existing file for reading and writing; its length is the file's
  // size. Growth reserves at least `krok_wzrostu` bytes at a time, through
  // `operacje`. Throws BladPliku.
  PlikMapowany(const std::filesystem::path& sciezka, std::size_t krok_wzrostu, Dostep dostep,
               OperacjeSystemu& operacje);
  // Makes a new, empty file in `katalog` that no name leads to once made, and
  // that goes with its handle, however the program ends: records the program
  // needs only while it runs, kept off its own memory. Throws BladPliku.
  static PlikMapowany bez_nazwy(const std::filesystem::path& katalog, std::size_t krok_wzrostu,
                                Dostep dostep, OperacjeSystemu& operacje);
  // Closes as zamknij() does, failures ignored: the failure path, where the
  // file is left behind with exactly its records.
  ~PlikMapowany();
  PlikMapowany(PlikMapowany&& inny) noexcept;
  PlikMapowany& operator=(PlikMapowany&& inny) noexcept;
  PlikMapowany(const PlikMapowany&) = delete;
  PlikMapowany& operator=(const PlikMapowany&) = delete;

  std::size_t dlugosc() const { return dlugosc_; }
  char* dane() { return mapa_; }
  const char* dane() const { return mapa_; }
  bool otwarty() const { return uchwyt_ >= 0; }
  const std::filesystem::path& sciezka() const { return sciezka_; }

  // Makes the file `nowa` bytes long; new bytes are zeros. Disk space is
  // reserved ahead, so a full disk is a BladPliku here rather than a fault
  // on a later memory write.
  void wydluz(std::size_t nowa) {
    // Inline for the common case, a record within the reserve: once per
    // record stored in the scratch index.
    if (otwarty() && nowa <= pojemnosc_) {
      if (nowa > dlugosc_) dlugosc_ = nowa;
      return;
    }
    wydluz_poza_rezerwe(nowa);
  }

  // As wydluz(), for a record appended through the view: the pages ahead are
  // brought in for writing a block at a time, one call rather than a fault
  // a page (which costs twice as much on a virtual machine).
  void wydluz_dopisujac(std::size_t nowa) {
    wydluz(nowa);
    if (nowa > przygotowane_) przygotuj_do(nowa);
  }

  // Only a hint: brings in the view's pages holding bytes [od, od + n) for
  // writing in one call, where the system can, rather than two faults a page
  // (read, then written). Bytes outside the view are passed over.
  void przygotuj_do_zapisu(std::size_t od, std::size_t n);

  // Writes `n` bytes at `od`, inside the length, as a write to the file:
  // seen through dane() like any other byte. A long run of new bytes costs
  // no page fault per page this way. Throws BladPliku, std::out_of_range
  // beyond the length.
  void zapisz(std::size_t od, const char* bajty, std::size_t n);

  // Unmaps, cuts the file to its length and closes. Throws BladPliku when any
  // step fails; the file is closed either way.
  void zamknij();

 private:
  // Takes an open, empty file.
  PlikMapowany(Uchwyt uchwyt, const std::filesystem::path& sciezka, std::size_t krok_wzrostu,
               Dostep dostep, OperacjeSystemu& operacje);
  // wydluz() beyond the reserve, or on a closed file.
  void wydluz_poza_rezerwe(std::size_t nowa);
  // Reserves the file up to `nowa_pojemnosc` bytes and maps all of it.
  void rozszerz(std::size_t nowa_pojemnosc);
  void mapuj(std::size_t pojemnosc);
  // Brings in for writing the block of the view from the page holding byte
  // `nowa - 1` on; the system's part.
  void przygotuj_do(std::size_t nowa);
  // The system's part of zapisz().
  void wpisz(std::size_t od, const char* bajty, std::size_t n);
  void zwolnij() noexcept;
  // Unmaps the view (the pages stay in the system's cache).
  void zamknij_widok() noexcept;

  std::filesystem::path sciezka_;
  std::size_t krok_wzrostu_ = 0;
  Dostep dostep_ = Dostep::wszystkie;
  OperacjeSystemu* operacje_ = nullptr;
  Uchwyt uchwyt_ = brak_uchwytu;  // a descriptor, a handle
  std::intptr_t widok_ = 0;       // Windows: the file mapping object of the view
  char* mapa_ = nullptr;
  std::size_t pojemnosc_ = 0;     // bytes mapped and reserved on disk
  std::size_t dlugosc_ = 0;       // bytes holding records
  std::size_t przygotowane_ = 0;  // the view's bytes wydluz_dopisujac() brought in
};

}  // namespace wyrownik
