// What differs on Windows: a file held by another program for a moment, the
// read-only attribute, names outside the ANSI code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/bledy.hpp"
#include "platform/konsola.hpp"
#include "platform/nazwy.hpp"
#include "platform/plik_zapisu.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

// Opens the file as a program that shares nothing (an indexer, say) would.
HANDLE trzymaj(const std::filesystem::path& p) {
  return CreateFileW(p.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

TEST(PlikZapisuWindows, AFileHeldForAMomentIsReplacedOnceItIsFree) {
  testy::KatalogTymczasowy k;
  const auto cel = k.zapisz("a.scm", "old");
  const auto kopia = k.zapisz("aaa.ccc", "new");
  const HANDLE h = trzymaj(cel);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::thread zwolnij([h] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    CloseHandle(h);
  });
  EXPECT_NO_THROW(zastap_plik(kopia, cel, operacje_systemowe()));
  zwolnij.join();
  EXPECT_EQ(testy::wczytaj(cel), "new");
}

TEST(PlikZapisuWindows, AFileHeldLongerIsAFailureAndStaysAsItWas) {
  testy::KatalogTymczasowy k;
  const auto cel = k.zapisz("a.scm", "old");
  const auto kopia = k.zapisz("aaa.ccc", "new");
  const HANDLE h = trzymaj(cel);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_THROW(zastap_plik(kopia, cel, operacje_systemowe()), BladPliku);
  CloseHandle(h);
  EXPECT_EQ(testy::wczytaj(cel), "old");
}

TEST(PlikZapisuWindows, AReadOnlyFileIsReplacedByAWritableOne) {
  testy::KatalogTymczasowy k;
  const auto cel = k.zapisz("a.scm", "old");
  const auto kopia = k.zapisz("aaa.ccc", "new");
  ASSERT_TRUE(SetFileAttributesW(cel.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  zastap_plik(kopia, cel, operacje_systemowe());
  EXPECT_EQ(testy::wczytaj(cel), "new");
  const DWORD atrybuty = GetFileAttributesW(cel.c_str());
  EXPECT_EQ(atrybuty & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
}

TEST(PlikZapisuWindows, NamesAreWindows1250AndArgumentsUtf8WhateverTheCodePage) {
  testy::KatalogTymczasowy k;
  const auto p = k.sciezka() / sciezka_z_bajtow("\xA3\xB9ka.scm");  // "Łąka.scm"
  utworz_pusty(p, operacje_systemowe(), TrybZapisu::nowy);
  EXPECT_TRUE(std::filesystem::exists(k.sciezka() / std::filesystem::path(u8"Łąka.scm")));
  EXPECT_EQ(bajty_sciezki(p.filename()), "\xA3\xB9ka.scm");
  const wchar_t* argv[] = {L"wyrownik-cli.exe", L"height", L"\u0141\u0105ka.scn"};
  EXPECT_EQ(argumenty_utf8(3, argv), (std::vector<std::string>{"height", "Łąka.scn"}));
}

TEST(PlikZapisuWindows, LongPathsWork) {
  testy::KatalogTymczasowy k;
  std::filesystem::path p = k.sciezka();
  for (int i = 0; i < 12; ++i) p /= std::string(30, static_cast<char>('a' + i));
  ASSERT_GT(p.native().size(), 300u);
  std::filesystem::create_directories(L"\\\\?\\" + p.native());
  PlikZapisu plik(p / "dlugi.scm", PlikZapisu::Tryb::nowy, operacje_systemowe());
  plik.zapisz_linie("include a.inc 1 2 3");
  plik.zamknij(true);
  zastap_plik(p / "dlugi.scm", p / "dlugi2.scm", operacje_systemowe());
  EXPECT_TRUE(std::filesystem::exists(L"\\\\?\\" + (p / "dlugi2.scm").native()));
}

}  // namespace
}  // namespace wyrownik
