// Writing text files with every result checked.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace wyrownik {

// The system calls a written file goes through. Tests hand in versions that
// fail on demand (a full disk, a refused close) to prove nothing is lost.
struct OperacjeZapisu {
  int (*otworz)(const char* sciezka, int flagi, mode_t tryb);
  ssize_t (*pisz)(int fd, const void* dane, std::size_t ile);
  int (*synchronizuj)(int fd);
  int (*zamknij)(int fd);
  int (*zmien_nazwe)(const char* z, const char* na);
};

const OperacjeZapisu& operacje_systemowe();

// A file written through a large buffer. Every failure throws BladPliku; a
// file that was not closed with zamknij() is closed quietly by the destructor
// (the failure path, where the file is abandoned anyway).
class PlikZapisu {
 public:
  enum class Tryb { nowy, dopisz };
  static constexpr std::size_t rozmiar_bufora = 1 << 20;

  PlikZapisu(const std::filesystem::path& sciezka, Tryb tryb,
             const OperacjeZapisu& operacje = operacje_systemowe());
  ~PlikZapisu();
  PlikZapisu(const PlikZapisu&) = delete;
  PlikZapisu& operator=(const PlikZapisu&) = delete;

  void zapisz(std::string_view dane);
  // The line followed by CR LF.
  void zapisz_linie(std::string_view linia);
  // Writes out the buffer; with `na_dysk` also waits until the data is on disk.
  void oproznij(bool na_dysk = false);
  // Writes out, optionally syncs, closes; throws when any of it fails.
  void zamknij(bool na_dysk = false);
  bool otwarty() const { return fd_ >= 0; }
  const std::filesystem::path& sciezka() const { return sciezka_; }

 private:
  void wypisz_bufor();

  std::filesystem::path sciezka_;
  const OperacjeZapisu* operacje_;
  int fd_ = -1;
  std::string bufor_;
};

// Creates the file empty, or cuts an existing one to zero length.
void utworz_pusty(const std::filesystem::path& sciezka,
                  const OperacjeZapisu& operacje = operacje_systemowe());

// Puts `kopia` in the place of `cel` in one step: at no moment is `cel`
// missing or partial. The copy must be closed and on disk already. On failure
// `cel` is as it was and BladPliku is thrown.
void zastap_plik(const std::filesystem::path& kopia, const std::filesystem::path& cel,
                 const OperacjeZapisu& operacje = operacje_systemowe());

// Removes a file; throws BladPliku when it exists and cannot be removed.
void usun_plik(const std::filesystem::path& sciezka);

}  // namespace wyrownik
