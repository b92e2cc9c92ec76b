#include "gui/opcje_okna.hpp"

#include <gtest/gtest.h>

namespace wyrownik {
namespace {

std::optional<OpcjeOkna> parsuj(std::vector<std::string> a, std::string* blad_wyj = nullptr) {
  std::string blad;
  auto wynik = parsuj_opcje_okna(a, blad);
  EXPECT_EQ(wynik.has_value(), blad.empty()) << blad;
  if (blad_wyj) *blad_wyj = blad;
  return wynik;
}

TEST(OpcjeOkna, ProgramDirectory) {
  auto o = parsuj({});
  ASSERT_TRUE(o);
  EXPECT_FALSE(o->katalog_programu);
  EXPECT_FALSE(o->pomoc);

  o = parsuj({"--program-dir", "/tmp/demo dir"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->katalog_programu, "/tmp/demo dir");

  o = parsuj({"--program-dir=rel/x"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->katalog_programu, "rel/x");

  o = parsuj({"--program-dir", "a", "--program-dir", "b"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->katalog_programu, "b");

  o = parsuj({"--help"});
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->pomoc);
}

TEST(OpcjeOkna, WrongUsage) {
  std::string blad;
  EXPECT_FALSE(parsuj({"--program-dir"}, &blad));
  EXPECT_FALSE(parsuj({"--program-dir="}, &blad));
  EXPECT_FALSE(parsuj({"--program-dir", ""}, &blad));
  EXPECT_FALSE(parsuj({"--program-directory", "x"}, &blad));
  EXPECT_FALSE(parsuj({"demo.scn"}, &blad));
  EXPECT_EQ(blad, "unknown argument: demo.scn");
}

}  // namespace
}  // namespace wyrownik
