// Reads a text file as raw lines of bytes, in large blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/plik_odczytu.hpp"

namespace wyrownik {

// CR LF ends a line, and so does a lone LF; a lone CR stays in the line. A
// last line without a line end is still a line; a zero-byte file has no
// lines. Lines of any length are handled.
class CzytnikLinii {
 public:
  static constexpr std::size_t rozmiar_bloku = 1 << 18;

  // Throws BladPliku when the file cannot be opened.
  CzytnikLinii(const std::filesystem::path& sciezka, OperacjeSystemu& operacje);
  ~CzytnikLinii();
  CzytnikLinii(const CzytnikLinii&) = delete;
  CzytnikLinii& operator=(const CzytnikLinii&) = delete;

  // The next line without its line end, valid until the next call that
  // returns true (at the end of the file the last line stays in place);
  // false at the end of the file. Throws BladPliku when a read fails.
  bool czytaj(std::string_view& linia);

  // The line end of the line czytaj() gave last: "\r\n", "\n", or "" for a
  // last line without one.
  std::string_view koniec_linii() const { return koniec_linii_; }

  // The number of the line czytaj() gave last, from 1; 0 before the first.
  std::uint64_t nr_linii() const { return nr_linii_; }

  // Where in the file the line czytaj() gave last begins, in bytes.
  std::uint64_t pozycja_linii() const { return przesuniecie_ + poczatek_linii_; }

  // Makes the next czytaj() give the line that begins `pozycja` bytes into
  // the file, numbered `nr`: lines already read are passed over without
  // being looked at. `pozycja` must be the start of a line not before the
  // next one; one past the end of the file leaves nothing to read. Throws
  // BladPliku when a read fails.
  void przeskocz(std::uint64_t pozycja, std::uint64_t nr);

  // Closes the file now; later calls of czytaj() return false.
  void zamknij() noexcept;

 private:
  bool dolej();

  PlikOdczytu plik_;
  // Not zero-filled: a scenery of many small files opens a reader per file
  // and pass, and only the bytes read are ever looked at.
  // malloc'd, so that it grows by realloc: a large block is remapped in
  // place, not copied while the old one still holds the line.
  std::unique_ptr<char, void (*)(void*)> bufor_;
  std::size_t rozmiar_bufora_ = 0;
  std::size_t poczatek_ = 0;        // first unread byte
  std::size_t koniec_ = 0;          // one past the last byte read
  std::uint64_t przesuniecie_ = 0;  // where in the file the buffer begins
  std::size_t poczatek_linii_ = 0;  // the line given last, in the buffer
  bool eof_ = false;
  std::string_view koniec_linii_;
  std::uint64_t nr_linii_ = 0;
};

}  // namespace wyrownik
