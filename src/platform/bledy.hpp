// The failures the program expects: one family, each kind a class of its
// own. They travel as exceptions to the batch's boundary, where they become
// its error flag and message, and to each front end's; in between, a failure
// is caught only where it is told or made harmless there (a file that undo
// cannot read is reported and left alone, say), never swallowed.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace wyrownik {

// The base of every failure the program expects: the file system's, the
// scenery data's, a stop on request, another program working alike. Anything
// else that reaches a boundary is a fault of the program.
class Blad : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that could not be opened, read, written, closed, renamed or removed.
// `kod` is the system's reason; an empty code where the failure has no
// system reason (a file of the wrong length, say).
class BladPliku : public Blad {
 public:
  BladPliku(const std::string& czynnosc, const std::filesystem::path& sciezka,
            std::error_code kod = {});
  const std::filesystem::path& sciezka() const { return sciezka_; }
  std::error_code kod() const { return kod_; }

 private:
  std::filesystem::path sciezka_;
  std::error_code kod_;
};

// The reason of the system call that has just failed (errno, or the last
// error of the thread on Windows).
std::error_code ostatni_blad_systemu();

}  // namespace wyrownik
