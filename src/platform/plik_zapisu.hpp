// Writing files with every result checked, and replacing one file by another
// in one step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/operacje_systemu.hpp"
#include "platform/uchwyt.hpp"

namespace wyrownik {

// A file written through a large buffer. Every failure throws BladPliku; a
// file that was not closed with zamknij() is closed quietly by the destructor
// (the failure path, where the file is abandoned anyway).
class PlikZapisu {
 public:
  using Tryb = TrybZapisu;
  static constexpr std::size_t rozmiar_bufora = 1 << 18;

  PlikZapisu(const std::filesystem::path& sciezka, Tryb tryb, OperacjeSystemu& operacje);
  ~PlikZapisu();
  PlikZapisu(const PlikZapisu&) = delete;
  PlikZapisu& operator=(const PlikZapisu&) = delete;

  void zapisz(std::string_view dane);
  // The pieces one after the other, as so many calls of zapisz() would
  // write them; pieces that fit the buffer together take one call.
  void zapisz(std::initializer_list<std::string_view> czesci);
  // The line followed by CR LF.
  void zapisz_linie(std::string_view linia);
  // Writes out the buffer; with `na_dysk` also waits until the data is on disk.
  void oproznij(bool na_dysk = false);
  // Writes out, optionally syncs, closes; throws when any of it fails.
  void zamknij(bool na_dysk = false);
  bool otwarty() const { return otwarty_; }
  const std::filesystem::path& sciezka() const { return sciezka_; }

 private:
  void wypisz(std::string_view dane);
  void wypisz_bufor();

  std::filesystem::path sciezka_;
  OperacjeSystemu* operacje_;
  Uchwyt uchwyt_ = -1;
  bool otwarty_ = false;
  std::string bufor_;
};

// Creates the file empty, or cuts an existing one to zero length (`tryb`
// nowy or wyczysc).
void utworz_pusty(const std::filesystem::path& sciezka, OperacjeSystemu& operacje, TrybZapisu tryb);

// Puts `kopia` in the place of `cel` in one step: at no moment is `cel`
// missing or partial. The copy must be closed and on disk already; the
// directory is synced afterwards so that the replacement itself survives a
// power cut. On failure `cel` is as it was and BladPliku is thrown.
void zastap_plik(const std::filesystem::path& kopia, const std::filesystem::path& cel,
                 OperacjeSystemu& operacje);

// Copies `z` to the new file `na` and syncs it to disk. Throws BladPliku,
// leaving no `na` behind.
void skopiuj_plik(const std::filesystem::path& z, const std::filesystem::path& na,
                  OperacjeSystemu& operacje);

// Keeps the content `plik` has now under the name `kopia` (a new file): as a
// second name of the same file where the file system allows it (no copy, no
// time; a later rename over `plik` leaves `kopia` holding the old content),
// otherwise as a copy synced to disk. The directory of `kopia` is synced
// either way. Returns true for a link. Throws BladPliku, leaving no `kopia`
// behind.
bool zachowaj_plik(const std::filesystem::path& plik, const std::filesystem::path& kopia,
                   OperacjeSystemu& operacje);

// Makes the directory's entries durable (new names, renames); a failure
// loses nothing already done, so it is not reported.
void synchronizuj_katalog(const std::filesystem::path& katalog);

// Removes a file; throws BladPliku when it exists and cannot be removed.
void usun_plik(const std::filesystem::path& sciezka);

// Removes a file or a link (not what it leads to) left behind by an earlier
// run; a folder of that name is the user's and stays. Throws BladPliku when
// the file exists and cannot be removed.
void usun_pozostalosc(const std::filesystem::path& sciezka);
// The same through `operacje`.
void usun_pozostalosc(const std::filesystem::path& sciezka, OperacjeSystemu& operacje);

}  // namespace wyrownik
