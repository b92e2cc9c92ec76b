// Failures of the file system. They travel as exceptions to the boundary of a
// phase, where they become the batch's error flag; nothing else catches them.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace wyrownik {

// A file that could not be opened, read, written, closed, renamed or removed.
// `kod` is the system's reason; an empty code where the failure has no
// system reason (a file of the wrong length, say).
class BladPliku : public std::runtime_error {
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
