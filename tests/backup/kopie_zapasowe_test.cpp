// Backups and undo on their own, without a batch: what is kept before a
// replacement comes back, and only while nothing else has changed it.
#include "backup/kopie_zapasowe.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "backup/przywracanie.hpp"
#include "platform/bledy.hpp"
#include "platform/plik_zapisu.hpp"
#include "pomoc/awarie_systemu.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

namespace fs = std::filesystem;

class KopieZapasowe : public ::testing::Test {
 protected:
  // Keeps `nazwa` in the backup, then puts `nowa` in its place as a batch does.
  void zastap(KopiaZapasowa& kopia, const std::string& nazwa, const std::string& nowa) {
    const fs::path nowy = k.zapisz("scenery/nowy.tmp", nowa);
    kopia.zachowaj(k / "scenery", "main.scn", k / ("scenery/" + nazwa), nowy);
    zastap_plik(nowy, k / ("scenery/" + nazwa), operacje_);
  }
  WynikCofniecia cofnij() {
    return cofnij_ostatnia_partie(
        k.sciezka(), k / "scenery", [](const fs::path&, std::optional<Pominiecie>) { return true; },
        operacje_);
  }

  testy::KatalogTymczasowy k;
  testy::OperacjeZAwariami operacje_;
};

TEST_F(KopieZapasowe, AnUndoGivesBackWhatWasKeptAndLeavesAFileEditedSinceAlone) {
  k.zapisz("scenery/a.scm", "a przed");
  k.zapisz("scenery/sub/b.scm", "b przed");
  {
    KopiaZapasowa kopia(k.sciezka(), "height 0.5 11", operacje_);
    zastap(kopia, "a.scm", "a po");
    operacje_.awarie.dowiaz = true;  // another file system: a copy instead of a link
    zastap(kopia, "sub/b.scm", "b po");
    zastap(kopia, "a.scm", "a po raz drugi");  // the first old content stays kept
  }
  ASSERT_EQ(lista_kopii(k.sciezka(), operacje_).size(), 1u);
  EXPECT_EQ(lista_kopii(k.sciezka(), operacje_).back().ile_plikow, 2u);
  k.zapisz("scenery/sub/b.scm", "b zmieniony przez uzytkownika");

  const WynikCofniecia w = cofnij();
  EXPECT_TRUE(w.bylo_co_cofac);
  EXPECT_EQ(w.przywrocone, std::vector<fs::path>{k / "scenery/a.scm"});
  ASSERT_EQ(w.pominiete.size(), 1u);
  EXPECT_EQ(w.pominiete[0].powod, Pominiecie::zmieniony);
  EXPECT_EQ(testy::wczytaj(k / "scenery/a.scm"), "a przed");
  EXPECT_EQ(testy::wczytaj(k / "scenery/sub/b.scm"), "b zmieniony przez uzytkownika");
  EXPECT_FALSE(fs::exists(k / "scenery" / "aaa.ccc"));

  // What was given back is marked: a second undo restores nothing twice.
  k.zapisz("scenery/a.scm", "a przed, potem edytowany");
  const WynikCofniecia drugi = cofnij();
  EXPECT_TRUE(drugi.przywrocone.empty());
  EXPECT_EQ(testy::wczytaj(k / "scenery/a.scm"), "a przed, potem edytowany");
}

TEST_F(KopieZapasowe, AKeptCopyThatCannotBeMadeThrowsBeforeTheFileIsTouched) {
  k.zapisz("scenery/a.scm", "a przed");
  KopiaZapasowa kopia(k.sciezka(), "height 0.5 11", operacje_);
  operacje_.awarie.dowiaz = true;
  operacje_.awarie.tylko_plik = "a.scm";
  operacje_.awarie.pisz_do = 3;  // the copy's disk fills up
  EXPECT_THROW(zastap(kopia, "a.scm", "a po"), BladPliku);
  EXPECT_EQ(testy::wczytaj(k / "scenery/a.scm"), "a przed");
  EXPECT_TRUE(cofnij().przywrocone.empty());
  EXPECT_EQ(testy::wczytaj(k / "scenery/a.scm"), "a przed");
}

}  // namespace
}  // namespace wyrownik
