// Failures inside the core. They travel as exceptions to the boundary of a
// phase, where they become the batch's error flag; nothing else catches them.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace wyrownik {

// A file that could not be opened, read, written, closed, renamed or removed.
class BladPliku : public std::runtime_error {
 public:
  BladPliku(const std::string& czynnosc, const std::filesystem::path& sciezka, int errno_kod);
  const std::filesystem::path& sciezka() const { return sciezka_; }
  int kod() const { return kod_; }

 private:
  std::filesystem::path sciezka_;
  int kod_;
};

// Scenery text that the run cannot go on with (a track point that is not a
// number, a list of files that overflows, ...).
class BladDanych : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace wyrownik
