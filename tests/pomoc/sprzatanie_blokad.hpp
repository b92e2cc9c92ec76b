// Removes the lock files of a test's program directories afterwards, so test
// runs leave nothing behind in the temporary directory.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <system_error>
#include <vector>

#include "platform/blokada.hpp"

namespace wyrownik::testy {

class SprzatanieBlokad {
 public:
  SprzatanieBlokad(std::initializer_list<std::filesystem::path> katalogi_programu) {
    for (const auto& k : katalogi_programu) pliki_.push_back(plik_blokady(k));
  }
  ~SprzatanieBlokad() {
    std::error_code blad;
    for (const auto& p : pliki_) std::filesystem::remove(p, blad);
  }
  SprzatanieBlokad(const SprzatanieBlokad&) = delete;
  SprzatanieBlokad& operator=(const SprzatanieBlokad&) = delete;

 private:
  std::vector<std::filesystem::path> pliki_;
};

}  // namespace wyrownik::testy
