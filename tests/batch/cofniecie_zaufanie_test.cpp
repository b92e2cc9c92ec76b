// The way back when its own records cannot be trusted whole: a manifest torn
// by a full disk or a crash, entries changed by another program, a kept copy
// edited through another link, a replacement that never happened, an old
// backup that cannot be removed.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "backup/spis_kopii.hpp"
#include "batch/cofniecie.hpp"
#include "pomoc/awarie_systemu.hpp"
#include "pomoc/stanowisko_partii.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

// Ground at height 3; b.scm and c.scm each hold an object 2 above it.
const std::string teren =
    "node -1 0 t1 triangles trawa.dds\r\n-20 3 -20 0 1 0 0 0\r\n40 3 -20\r\n-20 3 40\r\nendtri\r\n";
const std::string b_przed = "include x.inc 1 5 1 end\n", c_przed = "include y.inc 2 5.5 2 end\n";
const std::string b_po = "include x.inc 1 3 1 end\r\n", c_po = "include y.inc 2 3 2 end\r\n";

class ZaufanieCofania : public testy::StanowiskoPartii {
 protected:
  ZaufanieCofania() : StanowiskoPartii(Rodzaj::wysokosc) { wypelnij(); }

  void wypelnij() {
    operacje_.od_nowa();
    fs::remove_all(k / "kopie");
    zapisz("main.scn", teren + "include b.scm end\r\ninclude c.scm end\r\n");
    zapisz("b.scm", b_przed);
    zapisz("c.scm", c_przed);
  }
  fs::path najnowsza() const { return foldery_kopii(k.sciezka()).back(); }
  fs::path spis() const { return najnowsza() / "spis.txt"; }
  WynikCofniecia cofnij() {
    return cofnij_partie(k.sciezka(), srodowisko.katalog, operacje_systemowe());
  }
};

TEST_F(ZaufanieCofania, ATornNewestManifestCostsOnlyItsLastRecordNeverTheBatch) {
  // A full disk while the manifest takes c.scm's record: the batch stops
  // before c.scm is replaced, and the undo gives b.scm back.
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  const std::string pelny = testy::wczytaj(spis());
  const std::size_t ostatni = pelny.rfind("\r\n", pelny.size() - 3) + 2;
  for (std::size_t ile = ostatni; ile < pelny.size(); ile += 7) {
    wypelnij();
    srodowisko.zapis.operacje = &operacje_;
    awarie_.tylko_plik = "spis.txt";
    awarie_.pisz_do = ile;
    ASSERT_EQ(partia(), WynikPartii::blad) << ile;
    ASSERT_EQ(tresc("b.scm"), b_po);
    ASSERT_EQ(tresc("c.scm"), c_przed);
    const WynikCofniecia w = cofnij();
    EXPECT_TRUE(w.w_calosci()) << ile;
    EXPECT_EQ(w.przywrocone.size(), 1u) << ile;
    EXPECT_EQ(tresc("b.scm"), b_przed) << ile;
  }

  // Two batches, the newest manifest cut anywhere in its last record: the
  // newest is listed and undone first, the older stays as it was.
  for (std::size_t cut = 1; cut <= pelny.size() - ostatni; ++cut) {
    wypelnij();
    srodowisko.zapis.operacje = &operacje_systemowe();
    ASSERT_EQ(partia(), WynikPartii::zakonczona);
    zapisz("b.scm", b_przed);  // the second batch changes b.scm again, then c.scm
    zapisz("c.scm", "include y.inc 2 9 2 end\n");
    ASSERT_EQ(partia(), WynikPartii::zakonczona);
    fs::resize_file(spis(), fs::file_size(spis()) - cut);
    const auto kopie = lista_kopii(k.sciezka(), operacje_systemowe());
    ASSERT_EQ(kopie.size(), 2u);
    const WynikCofniecia w = cofnij();
    EXPECT_EQ(w.czas, kopie.back().czas);
    EXPECT_EQ(tresc("b.scm"), b_przed) << cut;  // the newest batch undone, not the older
    // Its own record lost only where more than the line end was cut.
    EXPECT_EQ(tresc("c.scm"), cut <= 2 ? "include y.inc 2 9 2 end\n" : c_po) << cut;
    EXPECT_EQ(w.uszkodzone, 0u) << cut;
    EXPECT_EQ(foldery_kopii(k.sciezka()).size(), 1u) << cut;
  }
}

TEST_F(ZaufanieCofania, ATamperedManifestWritesNothingOutsideTheSceneryDirectory) {
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  const auto ofiara = k.zapisz("out/victim.txt", "victim");
  const OdciskPliku odcisk = odcisk_pliku(ofiara, operacje_systemowe());
  // A link out of the scenery, where the system lets a test make one.
  std::error_code bez_linku;
  fs::create_directory_symlink(k / "out", k / "scenery/link", bez_linku);
  // Forged records, each passing its own check and each with a kept copy
  // that matches it, so that only the place refuses them; and one record
  // garbled.
  const auto podrobiona = k.zapisz("podrobiona", "forged");
  std::string dopisane;
  std::vector<std::string> podrobione = {"../out/victim.txt", ofiara.string()};
  if (!bez_linku) podrobione.emplace_back("link/victim.txt");
  for (const std::string& nazwa : podrobione) {
    const fs::path kopia = najnowsza() / "pliki" / nazwa;
    fs::create_directories(kopia.parent_path());
    if (!fs::exists(kopia)) fs::copy_file(podrobiona, kopia);
    dopisane +=
        rekord_pliku(odcisk_pliku(podrobiona, operacje_systemowe()), odcisk, nazwa) + "\r\n";
  }
  dopisane += "0000000000000000 plik: 1 1 1 1 b.scm\r\n";
  std::ofstream(spis(), std::ios::binary | std::ios::app) << dopisane;

  const WynikCofniecia w = cofnij();
  EXPECT_EQ(testy::wczytaj(ofiara), "victim");
  EXPECT_EQ(tresc("b.scm"), b_przed);
  EXPECT_EQ(tresc("c.scm"), c_przed);
  ASSERT_EQ(w.pominiete.size(), podrobione.size());
  for (const auto& p : w.pominiete) EXPECT_EQ(p.powod, Pominiecie::poza_scenerie) << p.nazwa;
  EXPECT_EQ(w.uszkodzone, 1u);
  EXPECT_FALSE(w.w_calosci());
  EXPECT_NE(dziennik().find("Nie cofnięto, ścieżka spoza katalogu scenerii: "), std::string::npos);
  EXPECT_EQ(foldery_kopii(k.sciezka()).size(), 1u);  // kept: not wholly undone

  // A batch of another scenery directory is refused whole, both named.
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  std::string tresc_spisu = testy::wczytaj(spis());
  const std::size_t pole = tresc_spisu.find("katalog: ");
  const std::size_t poczatek = tresc_spisu.rfind("\r\n", pole) + 2;
  const std::string inny = poczatek_spisu("", "", (k / "out").string());
  tresc_spisu.replace(poczatek, tresc_spisu.find("\r\n", pole) - poczatek,
                      inny.substr(inny.rfind("\r\n") + 2));
  std::ofstream(spis(), std::ios::binary) << tresc_spisu;
  const WynikCofniecia odmowa = cofnij();
  EXPECT_EQ(odmowa.odmowa, Odmowa::inny_katalog);
  EXPECT_EQ(odmowa.katalog_partii, k / "out");
  EXPECT_EQ(testy::wczytaj(ofiara), "victim");
}

TEST_F(ZaufanieCofania, AKeptCopyEditedSinceAndAFileNeverReplacedAreToldApart) {
  // c.scm's replacement is refused after its record is on disk: it still
  // holds its old content, which counts as restored.
  srodowisko.zapis.operacje = &operacje_;
  int zmiany_nazw = 0;
  awarie_.przed_zmiana_nazwy = [this, &zmiany_nazw] {
    if (++zmiany_nazw == 2) awarie_.zmien_nazwe = true;
  };
  ASSERT_EQ(partia(), WynikPartii::blad);
  ASSERT_EQ(tresc("c.scm"), c_przed);
  // b.scm's kept copy is a hard link to the old file: edited through it (as
  // through a snapshot made with cp -al), it no longer holds the old bytes.
  std::ofstream(najnowsza() / "pliki/b.scm", std::ios::binary) << "snapshot edit\n";
  const WynikCofniecia w = cofnij();
  EXPECT_EQ(tresc("b.scm"), b_po);
  EXPECT_EQ(w.przywrocone.size(), 1u);
  ASSERT_EQ(w.pominiete.size(), 1u);
  EXPECT_EQ(w.pominiete[0].powod, Pominiecie::zmieniona_kopia);
  EXPECT_NE(dziennik().find("Nie cofnięto, kopia zapasowa różni się od pliku sprzed korekty: "),
            std::string::npos);

  wypelnij();
  srodowisko.zapis.operacje = &operacje_;
  awarie_.zmien_nazwe = true;  // no file is ever replaced
  ASSERT_EQ(partia(), WynikPartii::blad);
  ASSERT_EQ(tresc("b.scm"), b_przed);
  const WynikCofniecia nic = cofnij();
  EXPECT_TRUE(nic.w_calosci());
  EXPECT_EQ(nic.przywrocone.size(), 1u);
  EXPECT_TRUE(foldery_kopii(k.sciezka()).empty());
}

TEST_F(ZaufanieCofania, ManifestsOfTheFirstFormatAreStillUndoneTheirTornLastLinePassedOver) {
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  // The first format: the same records without their hashes.
  std::string pierwszy, linia;
  std::istringstream drugi(testy::wczytaj(spis()));
  while (std::getline(drugi, linia)) pierwszy += linia.substr(17) + "\n";
  std::ofstream(spis(), std::ios::binary) << pierwszy.substr(0, pierwszy.size() - 4);
  const WynikCofniecia w = cofnij();
  EXPECT_TRUE(w.w_calosci());
  EXPECT_EQ(tresc("b.scm"), b_przed);
  EXPECT_EQ(tresc("c.scm"), c_po);  // its record torn: not known to this undo
}

TEST_F(ZaufanieCofania, ATornRecordIsCutBeforeMarksFollowItAndATornHeaderIsNoBatch) {
  // The disk fills inside c.scm's record; b.scm is edited since: the first
  // undo leaves b.scm alone and finds c.scm as it was; a second one finds
  // no damaged record (the marks were not glued to the torn one).
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  const std::string pelny = testy::wczytaj(spis());
  wypelnij();
  srodowisko.zapis.operacje = &operacje_;
  awarie_.tylko_plik = "spis.txt";
  awarie_.pisz_do = pelny.size() - 5;
  ASSERT_EQ(partia(), WynikPartii::blad);
  zapisz("b.scm", "edited\n");
  EXPECT_EQ(cofnij().pominiete.size(), 1u);
  const WynikCofniecia drugi = cofnij();
  EXPECT_EQ(drugi.uszkodzone, 0u);
  EXPECT_EQ(drugi.pominiete.size(), 1u);

  // A batch stopped inside its first records replaced nothing: the undo
  // goes on to the batch before it.
  wypelnij();
  srodowisko.zapis.operacje = &operacje_systemowe();
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  zapisz("b.scm", b_przed);
  zapisz("c.scm", c_przed);
  srodowisko.zapis.operacje = &operacje_;
  operacje_.od_nowa();
  awarie_.tylko_plik = "spis.txt";
  awarie_.pisz_do = 60;
  ASSERT_EQ(partia(), WynikPartii::blad);
  ASSERT_EQ(lista_kopii(k.sciezka(), operacje_systemowe()).size(), 1u);
  zapisz("b.scm", b_po);
  zapisz("c.scm", c_po);
  EXPECT_TRUE(cofnij().w_calosci());
  EXPECT_EQ(tresc("b.scm"), b_przed);
}

TEST_F(ZaufanieCofania, NewFoldersSortLastAndOneUnreadableFileStopsOnlyItself) {
  // A batch folder from a clock set ahead, numbered 999 within its second.
  const auto z_przyszlosci = k.sciezka() / "kopie/2099-01-01_00-00-00_999";
  fs::create_directories(z_przyszlosci);
  std::ofstream(z_przyszlosci / "spis.txt", std::ios::binary)
      << poczatek_spisu("2099-01-01 00:00:00", "height", srodowisko.katalog.string()) << "\r\n";
  fs::create_directories(k.sciezka() / "kopie/desktop.ini");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  zapisz("c.scm", "include y.inc 2 9 2 end\n");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  const auto foldery = foldery_kopii(k.sciezka());
  ASSERT_EQ(foldery.size(), 3u);
  EXPECT_EQ(foldery[1].filename(), "2099-01-01_00-00-00_1000");
  EXPECT_EQ(foldery[2].filename(), "2099-01-01_00-00-00_1001");
  EXPECT_EQ(cofnij().przywrocone.size(), 1u);  // the newest: c.scm only
  EXPECT_EQ(tresc("c.scm"), "include y.inc 2 9 2 end\n");

#ifndef _WIN32
  // b.scm turned into a link to itself: only its own restore is stopped.
  fs::remove(k / "scenery/b.scm");
  fs::create_symlink("b.scm", k / "scenery/b.scm");
  zapisz("c.scm", c_po);  // as the older batch wrote it
  const WynikCofniecia w = cofnij();
  EXPECT_EQ(tresc("c.scm"), c_przed);
  ASSERT_EQ(w.pominiete.size(), 1u);
  EXPECT_EQ(w.pominiete[0].powod, Pominiecie::blad_odczytu);
#endif
}

#ifndef _WIN32
TEST_F(ZaufanieCofania, ABackslashIsALetterOfALinuxFileName) {
  zapisz("x\\b.scm", b_przed);
  fs::create_symlink("x\\b.scm", k / "scenery/lnk.scm");
  zapisz("main.scn", teren + "include lnk.scm end\r\n");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  ASSERT_EQ(tresc("x\\b.scm"), b_po);
  EXPECT_TRUE(cofnij().w_calosci());
  EXPECT_EQ(tresc("x\\b.scm"), b_przed);
}

#endif

// A file that cannot be removed while this lives: held open without delete
// sharing on Windows; immutable on Linux, where root removes anything else
// (dziala() false where the system does not allow it).
class Nieusuwalny {
 public:
  explicit Nieusuwalny(const fs::path& plik) : plik_(plik) {
#ifdef _WIN32
    uchwyt_ = CreateFileW(plik.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                          nullptr);
    dziala_ = uchwyt_ != INVALID_HANDLE_VALUE;
#else
    dziala_ = std::system(("chattr +i '" + plik.string() + "' 2>/dev/null").c_str()) == 0;
#endif
  }
  ~Nieusuwalny() {
#ifdef _WIN32
    if (dziala_) CloseHandle(uchwyt_);
#else
    if (dziala_) std::system(("chattr -i '" + plik_.string() + "'").c_str());
#endif
  }
  Nieusuwalny(const Nieusuwalny&) = delete;
  Nieusuwalny& operator=(const Nieusuwalny&) = delete;
  bool dziala() const {
    return dziala_;
  }

 private:
  fs::path plik_;
  bool dziala_ = false;
#ifdef _WIN32
  HANDLE uchwyt_ = INVALID_HANDLE_VALUE;
#endif
};

TEST_F(ZaufanieCofania, AnOldBackupThatCannotBeRemovedIsLeftForLaterWithAWarning) {
  for (int i = 0; i < 10; ++i) {
    zapisz("c.scm", "include y.inc 2 4." + std::to_string(i) + " 2 end\n");
    ASSERT_EQ(partia(), WynikPartii::zakonczona);
  }
  const fs::path najstarsza = foldery_kopii(k.sciezka()).front();
  WynikPartii wynik;
  {
    const Nieusuwalny trzymany(najstarsza / "pliki/c.scm");
    if (!trzymany.dziala()) GTEST_SKIP() << "no file can be kept from removal here";
    zapisz("c.scm", "include y.inc 2 6 2 end\n");
    wynik = partia();
  }
  EXPECT_EQ(wynik, WynikPartii::zakonczona);
  EXPECT_EQ(tresc("c.scm"), c_po);
  ASSERT_EQ(okno.ostrzezenia.size(), 1u);
  EXPECT_NE(okno.ostrzezenia[0].find("cannot remove the old backup"), std::string::npos);
  // The next batch removes what is left of it.
  zapisz("c.scm", "include y.inc 2 7 2 end\n");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_FALSE(fs::exists(najstarsza / "pliki"));
  EXPECT_EQ(foldery_kopii(k.sciezka()).size(), 10u);
  // Its freed name went to no later batch: the newest still sorts last.
  cofnij();
  EXPECT_EQ(tresc("c.scm"), "include y.inc 2 7 2 end\n");
}

}  // namespace
}  // namespace wyrownik
