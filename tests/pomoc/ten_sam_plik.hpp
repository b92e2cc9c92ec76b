// Comparing a found path with the file a test expects.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <system_error>

namespace wyrownik::testy {

// Whether `znaleziony` is the file `oczekiwany`: the same path where the file
// system tells letter case apart; the same file where it does not (a path
// found there keeps the case it was asked in).
inline ::testing::AssertionResult ten_sam_plik(
    const std::optional<std::filesystem::path>& znaleziony,
    const std::filesystem::path& oczekiwany) {
  if (!znaleziony) return ::testing::AssertionFailure() << "nothing found";
#ifdef _WIN32
  std::error_code blad;
  if (std::filesystem::equivalent(*znaleziony, oczekiwany, blad)) {
    return ::testing::AssertionSuccess();
  }
#else
  if (*znaleziony == oczekiwany) return ::testing::AssertionSuccess();
#endif
  return ::testing::AssertionFailure() << znaleziony->string() << " is not " << oczekiwany.string();
}

}  // namespace wyrownik::testy
