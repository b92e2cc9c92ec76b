#include "platform/katalog_programu.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "pomoc/katalog_tymczasowy.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

TEST(KatalogProgramu, IsTheDirectoryOfTheRunningExecutable) {
  EXPECT_EQ(katalog_programu("whatever"), fs::canonical(WYROWNIK_KATALOG_TESTU));
}

#ifndef _WIN32
TEST(KatalogProgramu, ABareNameIsFoundInPathAsTheShellWouldFindIt) {
  testy::KatalogTymczasowy a, b;
  b.zapisz("prog", "#!/bin/sh\n");
  a.zapisz("prog", "not executable");
  fs::permissions(b / "prog", fs::perms::owner_all);
  const std::string path = a.sciezka().string() + "::" + b.sciezka().string();
  EXPECT_EQ(szukaj_w_path("prog", path), fs::canonical(b / "prog"));
  // Nowhere to be found: no guess, least of all the current directory.
  EXPECT_EQ(szukaj_w_path("prog", a.sciezka().string()), std::nullopt);
  EXPECT_EQ(szukaj_w_path("brak", path), std::nullopt);
}
#endif

}  // namespace
}  // namespace wyrownik
