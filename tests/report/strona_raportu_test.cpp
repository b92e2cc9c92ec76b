#include "report/strona_raportu.hpp"

#include <gtest/gtest.h>

namespace wyrownik {
namespace {

TEST(StronaRaportu, TableTextIsEscapedUtf8OfTheWindows1250Bytes) {
  Raport r(RodzajPrzebiegu::wysokosc, true);
  MapaZmian& m = r.nowa_sceneria("\xA5\xBF.scn", Zakres{0, 0, 10, 10});
  // "ą", "ż", a byte the code page leaves undefined, and markup characters.
  m.zmiana(RodzajZmiany::wysokosc, "p.scm", 1, "include <a&b>.inc 1 \"2\" 3 \xB9\xBF\x81",
           "include a.inc 1 3 3");
  const std::string s = strona_raportu(r);
  EXPECT_NE(s.find("include &lt;a&amp;b&gt;.inc 1 &quot;2&quot; 3 ą\xC5\xBC\xEF\xBF\xBD</td>"),
            std::string::npos);
  EXPECT_NE(s.find("Sceneria: Ąż.scn"), std::string::npos);
  EXPECT_NE(s.find("Tylko podgląd"), std::string::npos);  // a dry run says so
}

TEST(Raport, TableRowsAreSharedByTheSceneriesOfABatch) {
  Raport r(RodzajPrzebiegu::skrajnia, false);
  MapaZmian& a = r.nowa_sceneria("a.scn", Zakres{0, 0, 10, 10});
  for (std::size_t i = 0; i < Raport::limit_wierszy - 1; ++i) {
    a.zmiana(RodzajZmiany::usuniecie, "a.scm", i + 1, "include a.inc 1 0 1 end", "");
  }
  MapaZmian& b = r.nowa_sceneria("b.scn", Zakres{0, 0, 10, 10});
  for (int i = 0; i < 3; ++i)
    b.zmiana(RodzajZmiany::usuniecie, "b.scm", 1, "include a.inc 1 0 1 end", "");
  EXPECT_EQ(b.wiersze().size(), 1u);
  EXPECT_EQ(b.zmiany().size(), 3u);
  EXPECT_NE(strona_raportu(r).find("Pominięto w tabeli 2 zmian"), std::string::npos);
}

// The counts are always complete, the rows stop where the table does, and
// with objects that have no ground the textures not taken for it are named.
TEST(StronaRaportu, ObjectsLeftAloneAreCountedByReasonWithTheTexturesThatAreNoGround) {
  Raport r(RodzajPrzebiegu::wysokosc, false);
  MapaZmian& m = r.nowa_sceneria("a.scn", Zakres{0, 0, 10, 10});
  m.tekstura_poza_terenem("skala.dds");
  m.tekstura_poza_terenem("skala.dds");
  m.tekstura_poza_terenem("beton\xB9.dds");
  LicznikiPrzebiegu l;
  for (std::size_t i = 0; i < Raport::limit_wierszy + 5; ++i) {
    m.pozostawiona("a.scm", i + 1, "include a.inc 1 0 1 end", {Powod::brak_terenu, {}});
  }
  m.pozostawiona("a.scm", 1, "include a.inc 1 7.2 1 end", {Powod::ponizej_pasma, -0.2});
  l.pozostawione[static_cast<std::size_t>(Powod::brak_terenu)] = Raport::limit_wierszy + 5;
  l.pozostawione[static_cast<std::size_t>(Powod::ponizej_pasma)] = 1;
  m.podsumowanie(l);
  EXPECT_EQ(m.wiersze_pozostawionych().size(), Raport::limit_wierszy);
  EXPECT_EQ(m.pozostawione().size(), Raport::limit_wierszy + 6);  // every ring drawn
  const std::string s = strona_raportu(r);
  EXPECT_NE(s.find("<td>no-ground</td><td>3005</td>"), std::string::npos);
  EXPECT_NE(s.find("<td>below-band</td><td>1</td>"), std::string::npos);
  EXPECT_NE(s.find("betoną.dds (1), skala.dds (2)"), std::string::npos);
  EXPECT_NE(s.find("Pominięto w tabeli 6 obiektów"), std::string::npos);
}

}  // namespace
}  // namespace wyrownik
