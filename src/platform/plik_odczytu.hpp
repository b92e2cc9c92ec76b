// A file opened for reading from start to end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/operacje_systemu.hpp"
#include "platform/uchwyt.hpp"

namespace wyrownik {

// Readers never block other programs, and tell the system the file is read
// in order (see OperacjeSystemu::otworz_do_odczytu).
class PlikOdczytu {
 public:
  // Throws BladPliku when the file cannot be opened.
  PlikOdczytu(const std::filesystem::path& sciezka, OperacjeSystemu& operacje);
  ~PlikOdczytu();
  PlikOdczytu(const PlikOdczytu&) = delete;
  PlikOdczytu& operator=(const PlikOdczytu&) = delete;

  // Reads up to `ile` bytes into `dane`; 0 at the end of the file. Throws
  // BladPliku when the read fails.
  std::size_t czytaj(char* dane, std::size_t ile);

  // Closes now; nothing can be lost closing a file only read.
  void zamknij() noexcept;
  bool otwarty() const { return uchwyt_ >= 0; }
  const std::filesystem::path& sciezka() const { return sciezka_; }

 private:
  std::filesystem::path sciezka_;
  OperacjeSystemu* operacje_;
  Uchwyt uchwyt_ = brak_uchwytu;
};

// The whole of a small file (a manifest, the ini). Throws BladPliku.
std::string wczytaj_plik(const std::filesystem::path& sciezka, OperacjeSystemu& operacje);

}  // namespace wyrownik
