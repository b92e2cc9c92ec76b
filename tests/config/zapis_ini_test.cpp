// The simulator folder written into wyrownik.ini: the path line start-up
// reads is the one replaced, every other byte stays.
#include "config/zapis_ini.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/konfiguracja.hpp"
#include "platform/bledy.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

class BezKomunikatow : public Komunikaty {
 public:
  void pokaz_komunikat(std::string_view tekst) override { ADD_FAILURE() << tekst; }
};

TEST(ZapisIni, ThePathStartUpReadsIsReplacedOrAddedAndEveryOtherByteStays) {
  const std::string_view p = "D:\\Gry\\Symulator \xAF\xF3\xB3w";  // "Żółw" in Windows-1250
  const std::string inne = "[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n";
  struct Przypadek {
    std::string przed, po;
  };
  const Przypadek przypadki[] = {
      // the path line replaced, with the notes before it and a blank line after the header
      {"; notes\r\n[SCIEZKA DOSTEPU] x\r\n\r\n C:\\Stary \r\n" + inne,
       "; notes\r\n[SCIEZKA DOSTEPU] x\r\n\r\n" + std::string(p) + "\r\n" + inne},
      // a later section's path is the one start-up keeps
      {"[Sciezka dostepu]\nC:\\A\n" + inne + "[Sciezka dostepu]\nC:\\B",
       "[Sciezka dostepu]\nC:\\A\n" + inne + "[Sciezka dostepu]\n" + std::string(p) + "\r\n"},
      // a section without its path: added after the header
      {"[Sciezka dostepu]\r\n[inc]\r\n*\r\n",
       "[Sciezka dostepu]\r\n" + std::string(p) + "\r\n[inc]\r\n*\r\n"},
      {inne + "[Sciezka dostepu]", inne + "[Sciezka dostepu]\r\n" + std::string(p) + "\r\n"},
      // no section: before the first one, after the notes
      {"; notes\n" + inne, "; notes\n[Sciezka dostepu]\r\n" + std::string(p) + "\r\n" + inne},
      {"only notes here", "only notes here\r\n[Sciezka dostepu]\r\n" + std::string(p) + "\r\n"},
      // what start-up counts as empty gets the sample's sections
      {"", "[Sciezka dostepu]\r\n" + std::string(p) + "\r\n" + std::string(sekcje_nowego_ini)},
      {"x",
       "x\r\n[Sciezka dostepu]\r\n" + std::string(p) + "\r\n" + std::string(sekcje_nowego_ini)},
  };
  testy::KatalogTymczasowy k;
  for (const Przypadek& c : przypadki) {
    SCOPED_TRACE(c.przed);
    const std::string po = ini_ze_sciezka(c.przed, p);
    EXPECT_EQ(po, c.po);
    k.zapisz("wyrownik.ini", po);
    Konfiguracja konfiguracja;
    BezKomunikatow komunikaty;
    odczyt_ini(k.sciezka(), konfiguracja, komunikaty, operacje_systemowe());
    EXPECT_EQ(konfiguracja.sciezka_scenerii, p);
  }
}

TEST(ZapisIni, TheFileIsCreatedOrReplacedInOneStepAndARefusalChangesNothing) {
  testy::KatalogTymczasowy k;
  zapisz_sciezke_w_ini(k.sciezka(), "C:\\Sym", operacje_systemowe());
  EXPECT_EQ(testy::wczytaj(k / "wyrownik.ini"),
            "[Sciezka dostepu]\r\nC:\\Sym\r\n" + std::string(sekcje_nowego_ini));

  k.zapisz("prog/WYROWNIK.INI", "[inc]\r\n*\r\n");  // the name in any letter case
  zapisz_sciezke_w_ini(k / "prog", "C:\\Sym", operacje_systemowe());
  EXPECT_EQ(testy::wczytaj(k / "prog/WYROWNIK.INI"),
            "[Sciezka dostepu]\r\nC:\\Sym\r\n[inc]\r\n*\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(k / "prog"), {}), 1);

  std::filesystem::permissions(k / "prog/WYROWNIK.INI", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  try {
    zapisz_sciezke_w_ini(k / "prog", "C:\\Inny", operacje_systemowe());
    ADD_FAILURE() << "a read-only ini was replaced";
  } catch (const BladPliku& b) {
    EXPECT_NE(std::string(b.what()).find("read-only"), std::string::npos) << b.what();
  }
  EXPECT_EQ(testy::wczytaj(k / "prog/WYROWNIK.INI"),
            "[Sciezka dostepu]\r\nC:\\Sym\r\n[inc]\r\n*\r\n");
  std::filesystem::permissions(k / "prog/WYROWNIK.INI", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

#ifndef _WIN32  // links are made by the user's own tools there
TEST(ZapisIni, ALinkedIniStaysALinkAndTheFileItNamesGetsThePath) {
  testy::KatalogTymczasowy k;
  k.zapisz("wspolne/moj.ini", "[inc]\r\n*\r\n");
  std::filesystem::create_directories(k / "prog");
  std::filesystem::create_symlink("../wspolne/moj.ini", k / "prog/wyrownik.ini");
  zapisz_sciezke_w_ini(k / "prog", "C:\\Sym", operacje_systemowe());
  EXPECT_TRUE(std::filesystem::is_symlink(k / "prog/wyrownik.ini"));
  EXPECT_EQ(testy::wczytaj(k / "wspolne/moj.ini"),
            "[Sciezka dostepu]\r\nC:\\Sym\r\n[inc]\r\n*\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(k / "wspolne"), {}), 1);

  // A link to a file still to be made: the file is made, the link stays.
  std::filesystem::create_directories(k / "p2");
  std::filesystem::create_symlink(k / "wspolne/nowy.ini", k / "p2/wyrownik.ini");
  zapisz_sciezke_w_ini(k / "p2", "C:\\Sym", operacje_systemowe());
  EXPECT_TRUE(std::filesystem::is_symlink(k / "p2/wyrownik.ini"));
  EXPECT_TRUE(testy::wczytaj(k / "wspolne/nowy.ini").starts_with("[Sciezka dostepu]\r\nC:\\Sym"));

  std::filesystem::create_directories(k / "p3");
  std::filesystem::create_symlink("wyrownik.ini", k / "p3/wyrownik.ini");  // a loop
  EXPECT_THROW(zapisz_sciezke_w_ini(k / "p3", "C:\\Sym", operacje_systemowe()), BladPliku);
  EXPECT_TRUE(std::filesystem::is_symlink(k / "p3/wyrownik.ini"));
}
#endif

}  // namespace
}  // namespace wyrownik
