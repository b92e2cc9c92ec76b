// wyrownik-cli as scripts see it: exit status, stdout and stderr, and what a
// run leaves in the scenery and the log.
#include "cli/uruchom.hpp"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <atomic>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/opcje.hpp"
#include "platform/blokada.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "text/kodowanie.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

using A = std::vector<std::string>;

std::string crlf(std::initializer_list<std::string_view> linie) {
  std::string w;
  for (const auto l : linie) w.append(l).append("\r\n");
  return w;
}

const std::string komunikat_bledu = "Wystąpił błąd. Dalsze działanie prgramu zostało przerwane.";

// Flat ground at 7.125 under X, Z 0..100.
const std::string teren =
    crlf({"node -1 0 t triangles trawa.dds", "0 7.125 0", "100 7.125 0", "0 7.125 100", "endtri"});

// A normal track of width 2 along Z 0 from X 0 to 100; `z1` is the text of
// its first end point's Z.
std::string tor(std::string_view z1 = "0") {
  return crlf({"node 1 0 t track normal 100 1 0.25 25 20 0 flat vis", "rail 4 tex 0.2 0.5 1.1",
               "0 0.2 " + std::string(z1) + " 0", "0 0 0", "0 0 0", "100 0.2 0 0", "0",
               "endtrack"});
}

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(k / "program");
    fs::create_directories(k / "sim/scenery");
    ini("[Sciezka dostepu]\r\n" + (k / "sim").string() +
        "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
  }

  void ini(const std::string& tresc) { k.zapisz("program/wyrownik.ini", tresc); }
  fs::path zapisz(const std::string& nazwa, std::string_view tresc) {
    return k.zapisz("sim/scenery/" + nazwa, tresc);
  }
  std::string tresc(const std::string& nazwa) const {
    return testy::wczytaj(k / "sim/scenery" / nazwa);
  }
  fs::path log() const { return k / "program/Log_korekcja.txt"; }
  std::string dziennik() const { return cp1250_na_utf8(testy::wczytaj(log())); }
  std::string program() const { return (k / "program").string(); }
  // What a batch prints on stdout: the path of its report.
  std::string raport() const { return (k / "program" / "Log_korekcja.html").string() + "\n"; }

  // Runs in-process; the default program directory is one that holds nothing.
  int uruchom(const A& argumenty, const fs::path& domyslny = {}) {
    std::ostringstream o, e;
    const int kod =
        cli::uruchom(argumenty, domyslny.empty() ? k / "nowhere" : domyslny, o, e, przerwanie);
    wyjscie = o.str();
    bledy = e.str();
    return kod;
  }
  // The command, then --program-dir, then the rest.
  int uruchom_w_programie(const std::string& polecenie, A reszta) {
    reszta.insert(reszta.begin(), {polecenie, "--program-dir", program()});
    return uruchom(reszta);
  }

  // Twenty files of 2000 objects each under main.scn: batches long enough
  // to be stopped from outside.
  struct DwadziesciaPlikow {
    std::vector<std::string> nazwy;
    std::string glowny = teren, przed;
  };
  static DwadziesciaPlikow dwadziescia_plikow() {
    DwadziesciaPlikow d;
    for (int i = 0; i < 20; ++i) {
      d.nazwy.push_back("f" + std::to_string(i) + ".scm");
      d.glowny += "include " + d.nazwy.back() + " end\r\n";
    }
    for (int j = 0; j < 2000; ++j) d.przed += "include a.inc 10 5 20 end\r\n// x\r\n";
    return d;
  }
  // Written afresh, no backup kept.
  void wypelnij_dwadziescia(const DwadziesciaPlikow& d) {
    fs::remove_all(k / "program/kopie");
    zapisz("main.scn", d.glowny);
    for (const auto& n : d.nazwy) zapisz(n, d.przed);
  }

  testy::KatalogTymczasowy k;
  std::string wyjscie, bledy;
  std::atomic<int> przerwanie{0};  // a request to stop, as the program's handlers note it
};

TEST_F(Cli, WrongUsageIs64WithTheUsageOnStderrAndNothingDone) {
  const std::string glowny = teren + crlf({"include a.inc 10 5 20 end"});
  zapisz("main.scn", glowny);
  const std::string p = program();
  for (const A& argumenty : std::vector<A>{
           {},                                                     // no command
           {"repair", "--program-dir", p, "main.scn"},             // unknown command
           {"height", "--program-dir", p, "--bogus", "main.scn"},  // unknown option
           {"height", "--program-dir", p, "--radius", "5",
            "main.scn"},  // the other command's options
           {"height", "--program-dir", p, "--radius-param", "5", "main.scn"},
           {"clearance", "--program-dir", p, "--min", "1", "main.scn"},
           {"clearance", "--program-dir", p, "--max", "1", "main.scn"},
           {"height", "--program-dir", p, "main.scn", "--max"},  // an option without its value
           {"clearance", "main.scn", "--program-dir"},
           {"height", "--program-dir", p},  // no scenery
           {"clearance", "--program-dir", p, "--dry-run"},
       }) {
    std::string opis;
    for (const auto& a : argumenty) opis += a + " ";
    SCOPED_TRACE(opis);
    EXPECT_EQ(uruchom(argumenty), cli::kod_uzycie);
    EXPECT_EQ(wyjscie, "");
    EXPECT_EQ(bledy.rfind("wyrownik-cli: ", 0), 0u) << bledy;
    EXPECT_NE(bledy.find(cli::tekst_pomocy), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(log()));
  EXPECT_EQ(tresc("main.scn"), glowny);
}

TEST_F(Cli, SceneryNameThatDoesNotExistIs64BeforeAnythingRuns) {
  const std::string glowny = teren + crlf({"include a.inc 10 5 20 end"});
  zapisz("main.scn", glowny);
  fs::create_directory(k / "sim/scenery/katalog.scn");
  // Files that exist but are no scenery the file list would show.
  zapisz("b.scm", glowny);
  zapisz("sub/c.scn", glowny);
  for (const char* nazwa :
       {"nope.scn", "katalog.scn", "../scenery/main.scn", "b.scm", "sub/c.scn"}) {
    SCOPED_TRACE(nazwa);
    EXPECT_EQ(uruchom_w_programie("height", {"main.scn", nazwa}), cli::kod_uzycie);
    EXPECT_EQ(wyjscie, "");
    EXPECT_NE(bledy.find(nazwa), std::string::npos) << bledy;
  }
  // The batch never began: the first, existing scenery is untouched and no log was made.
  EXPECT_EQ(tresc("main.scn"), glowny);
  EXPECT_FALSE(fs::exists(log()));
}

TEST_F(Cli, StartUpFaultsAre2WithEveryStartUpMessageInOrder) {
  zapisz("main.scn", teren + crlf({"include a.inc 10 5 20 end"}));
  {
    SCOPED_TRACE("no ini");
    fs::remove(k / "program/wyrownik.ini");
    EXPECT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_blad_startu);
    const auto brak_ini = bledy.find("Brak pliku wyrownik.ini\n");
    const auto brak_sciezki = bledy.find("Brak podanej ścieżki dostępu\n");
    ASSERT_NE(brak_ini, std::string::npos) << bledy;
    ASSERT_NE(brak_sciezki, std::string::npos) << bledy;
    EXPECT_LT(brak_ini, brak_sciezki);
    EXPECT_EQ(wyjscie, "");
  }
  {
    SCOPED_TRACE("no scenery folder under the root");
    fs::create_directory(k / "pusty");
    ini("[Sciezka dostepu]\r\n" + (k / "pusty").string() +
        "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
    EXPECT_EQ(uruchom_w_programie("clearance", {"main.scn"}), cli::kod_blad_startu);
    EXPECT_NE(bledy.find("Brak podkatalogu SCENERY.\n"), std::string::npos) << bledy;
    EXPECT_EQ(wyjscie, "");
  }
  for (const std::string listy : {"[inc]\r\n*\r\n", "[tekstury]\r\ntrawa\r\n"}) {
    SCOPED_TRACE("an empty list");
    ini("[Sciezka dostepu]\r\n" + (k / "sim").string() + "\r\n" + listy);
    EXPECT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_blad_startu);
    EXPECT_NE(bledy.find("Lista plików inc lub lista tekstur jest pusta.\n"), std::string::npos)
        << bledy;
    EXPECT_EQ(wyjscie, "");
  }
  EXPECT_FALSE(fs::exists(log()));
  EXPECT_EQ(tresc("main.scn"), teren + crlf({"include a.inc 10 5 20 end"}));
}

TEST_F(Cli, AnotherCopyHoldingTheLockIs2) {
  const std::string glowny = teren + crlf({"include a.inc 10 5 20 end"});
  zapisz("main.scn", glowny);
  {
    const auto inna_kopia = Blokada::zajmij(k / "program");
    ASSERT_TRUE(inna_kopia);
    EXPECT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_blad_startu);
    EXPECT_FALSE(bledy.empty());
    EXPECT_EQ(wyjscie, "");
    EXPECT_EQ(tresc("main.scn"), glowny);
    EXPECT_FALSE(fs::exists(log()));
  }
  // Once it has gone, the same command works, and gives the lock back.
  EXPECT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_ok) << bledy;
  EXPECT_EQ(tresc("main.scn"), teren + crlf({"include a.inc 10 7.12 20 end"}));
  EXPECT_TRUE(Blokada::zajmij(k / "program"));
}

TEST_F(Cli, AnotherCopyWorkingInTheSameSceneryDirectoryStopsTheBatchWith1) {
  // Another installation, with a program directory of its own, is in the
  // middle of a batch on the same simulator root.
  const std::string glowny = teren + crlf({"include a.inc 10 5 20 end"});
  zapisz("main.scn", glowny);
  const auto inna_kopia = Blokada::zajmij_katalog(k / "sim/scenery");
  ASSERT_TRUE(inna_kopia);
  EXPECT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_blad_partii);
  EXPECT_NE(bledy.find(komunikat_bledu + "\n"), std::string::npos) << bledy;
  EXPECT_NE(bledy.find("another copy"), std::string::npos) << bledy;
  EXPECT_EQ(wyjscie, raport());
  EXPECT_EQ(tresc("main.scn"), glowny);
  EXPECT_EQ(dziennik(), "");
}

TEST_F(Cli, FailedBatchIs1WithTheBatchMessage) {
  const std::string glowny = tor() + crlf({"include obj.inc 50 0 3 1 2 3 5 end"}) + tor("abc");
  zapisz("main.scn", glowny);
  EXPECT_EQ(uruchom_w_programie("clearance", {"main.scn"}), cli::kod_blad_partii);
  const auto komunikat = bledy.find(komunikat_bledu + "\n");
  ASSERT_NE(komunikat, std::string::npos) << bledy;
  // The reason follows the fixed message.
  const auto powod = bledy.find("\"abc\"");
  ASSERT_NE(powod, std::string::npos) << bledy;
  EXPECT_LT(komunikat, powod) << bledy;
  EXPECT_EQ(wyjscie, raport());
  EXPECT_EQ(tresc("main.scn"), glowny);
  EXPECT_EQ(dziennik(), "");
}

TEST_F(Cli, CheckAreaAndPatchOptionsAtTheirEdges) {
  const std::string glowny = teren + crlf({"include a.inc 10 5 20 end"});
  zapisz("main.scn", glowny);
  // A failure wins over changes found.
  zapisz("zly.scn", tor() + crlf({"include obj.inc 50 0 3 1 2 3 5 end"}) + tor("abc"));
  EXPECT_EQ(uruchom_w_programie("clearance", {"--check", "zly.scn"}), cli::kod_blad_partii);
  // An area beside the scenery: nothing to do.
  EXPECT_EQ(uruchom_w_programie("height", {"--check", "--area", "500,500,600,600", "main.scn"}),
            cli::kod_ok);
  EXPECT_EQ(bledy.substr(bledy.rfind("wyrownik-cli: ")),
            "wyrownik-cli: would change 0, would remove 0, kept by markers 0; left alone 1 "
            "(outside the area 1)\n");
  for (const char* zle : {"1,2,3", "1,2,3,4,", "1,2,x,4", "1;2;3;4"}) {
    EXPECT_EQ(uruchom_w_programie("height", {"--area", zle, "main.scn"}), cli::kod_uzycie) << zle;
  }
  EXPECT_EQ(uruchom_w_programie("height", {"--check", "--area", "0, 0, 50, 50", "main.scn"}),
            cli::kod_zmiany);
  // A forgotten patch name never empties a scenery file.
  EXPECT_EQ(uruchom_w_programie("height", {"--diff", "main.scn", "main.scn"}), cli::kod_uzycie);
  EXPECT_EQ(tresc("main.scn"), glowny);
  // A name with a space ends with a TAB, as `patch` needs it.
  zapisz("Nowa sceneria.scn", glowny);
  EXPECT_EQ(uruchom_w_programie("height", {"--check", "--diff", "-", "Nowa sceneria.scn"}),
            cli::kod_zmiany);
  EXPECT_EQ(wyjscie.rfind("--- a/Nowa sceneria.scn\t\n+++ b/Nowa sceneria.scn\t\n", 0), 0u);
  // The patch on stdout, and then no report's path there.
  EXPECT_EQ(uruchom_w_programie("height", {"--check", "--diff", "-", "main.scn"}), cli::kod_zmiany);
  EXPECT_EQ(wyjscie.rfind("--- a/main.scn\n+++ b/main.scn\n@@ -", 0), 0u) << wyjscie;
  EXPECT_NE(wyjscie.find("-include a.inc 10 5 20 end\r\n+include a.inc 10 7.12 20 end\r\n"),
            std::string::npos)
      << wyjscie;
  EXPECT_EQ(tresc("main.scn"), glowny);
}

TEST_F(Cli, APatchGoesOnlyWhereNothingOfTheBatchLives) {
  const std::string glowny = teren + crlf({"include a.inc 10 5 20 end", "include notatki.txt end",
                                           "include brak.txt end"});
  zapisz("main.scn", glowny);
  zapisz("notatki.txt", "// notes\r\n");
  fs::create_directories(k / "sim/scenery/obiekty");
  ASSERT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_ok) << bledy;  // a backup
  zapisz("main.scn", glowny);
  fs::path spis;
  for (const auto& w : fs::recursive_directory_iterator(k / "program/kopie")) {
    if (w.path().filename() == "spis.txt") spis = w.path();
  }
  ASSERT_FALSE(spis.empty());
  fs::create_hard_link(k / "sim/scenery/notatki.txt", k / "druga_nazwa.txt");
  fs::create_hard_link(spis, k / "spis_link.txt");
  const std::vector<fs::path> zajete = {
      k / "sim/scenery/notatki.txt",               // included under any name
      k / "sim/scenery/obiekty/.././notatki.txt",  // spelt otherwise
      k / "druga_nazwa.txt",                       // a hard link outside
      k / "sim/scenery/Brak.txt",                  // the batch would find it once made
      k / "sim/scenery/aaa.ccc",                   // a scratch file
      k / "program/Log_korekcja.txt",              // the log
      k / "program/./Log_korekcja.html",           // the report
      k / "program/wyrownik.ini",                  // the ini
      spis,                                        // a backup's manifest
      k / "spis_link.txt",                         // ... by another name
      k / "program/kopie/nowy.patch",              // anything under kopie/
      k / "sim/scenery",                           // a folder
  };
  // The explanation's table goes only where a patch may go.
  for (const std::string opcja : {"--diff", "--explain"}) {
    for (const fs::path& p : zajete) {
      const bool byl = fs::is_regular_file(p);
      const std::string przed = byl ? testy::wczytaj(p) : "";
      EXPECT_EQ(uruchom_w_programie("height", {"--dry-run", opcja, p.string(), "main.scn"}),
                cli::kod_uzycie)
          << p;
      EXPECT_NE(bledy.find(opcja + " would overwrite "), std::string::npos) << p << bledy;
      EXPECT_EQ(fs::is_regular_file(p), byl) << p;
      if (byl) {
        EXPECT_EQ(testy::wczytaj(p), przed) << p;
      }
    }
  }
  EXPECT_EQ(
      uruchom_w_programie("height", {"--dry-run", "--diff", "-", "--explain", "-", "main.scn"}),
      cli::kod_uzycie);
  EXPECT_EQ(tresc("main.scn"), glowny);
  // A new file in the scenery directory, or an unrelated one, takes the patch.
  k.zapisz("inny.txt", "old\n");
  for (const fs::path& p : {k / "sim/scenery/zmiany.patch", k / "inny.txt"}) {
    EXPECT_EQ(uruchom_w_programie("height", {"--dry-run", "--diff", p.string(), "main.scn"}),
              cli::kod_ok)
        << p << bledy;
    EXPECT_TRUE(testy::wczytaj(p).starts_with("--- a/main.scn")) << p;
  }
#ifndef _WIN32
  fs::create_symlink(k / "sim/scenery/main.scn", k / "dowiazanie.patch");
  EXPECT_EQ(
      uruchom_w_programie("height", {"--diff", (k / "dowiazanie.patch").string(), "main.scn"}),
      cli::kod_uzycie);
  EXPECT_EQ(tresc("main.scn"), glowny);
#endif
}

TEST_F(Cli, ReadOnlyScratchFilesOfACrashedBatchAreNoObstacle) {
  zapisz("main.scn", teren + crlf({"include a.inc 10 5 20 end"}));
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
    fs::permissions(zapisz(roboczy, "left by a crash"), fs::perms::owner_write,
                    fs::perm_options::remove);
  }
  EXPECT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_ok) << bledy;
  EXPECT_EQ(tresc("main.scn"), teren + crlf({"include a.inc 10 7.12 20 end"}));
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
    EXPECT_FALSE(fs::exists(k / "sim/scenery" / roboczy)) << roboczy;
  }
}

TEST_F(Cli, LogThatCannotBeCreatedIs1AndRunsNothing) {
  const std::string glowny = teren + crlf({"include a.inc 10 5 20 end"});
  zapisz("main.scn", glowny);
  fs::create_directory(log());  // the name is taken by a folder
  EXPECT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_blad_partii);
  EXPECT_NE(bledy.find("Nie można utworzyć pliku Log_korekcja.txt.\n"), std::string::npos) << bledy;
  EXPECT_EQ(wyjscie, "");
  EXPECT_EQ(tresc("main.scn"), glowny);
}

TEST_F(Cli, DryRunLeavesEverySceneryFileAndWritesTheLog) {
  const std::string wysoki = teren + crlf({"include a.inc 10 5 20 end", "include sub/b.scm end"});
  const std::string podrzedny = "include a.inc 50  0 50 end\n";
  const std::string skrajny =
      tor() + crlf({"include obj.inc 50 0 3 1 2 3 5 end", "", "", "koniec"});
  zapisz("main.scn", wysoki);
  zapisz("sub/b.scm", podrzedny);
  zapisz("tory.scn", skrajny);

  const std::vector<A> polecenia = {{"height", "main.scn"}, {"clearance", "tory.scn"}};
  std::vector<std::string> logi_na_sucho;
  for (const A& p : polecenia) {
    SCOPED_TRACE(p[0]);
    ASSERT_EQ(uruchom_w_programie(p[0], {"--dry-run", p[1]}), cli::kod_ok) << bledy;
    EXPECT_EQ(wyjscie, raport());
    EXPECT_EQ(tresc("main.scn"), wysoki);
    EXPECT_EQ(tresc("sub/b.scm"), podrzedny);
    EXPECT_EQ(tresc("tory.scn"), skrajny);
    for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
      EXPECT_FALSE(fs::exists(k / "sim/scenery" / roboczy)) << roboczy;
    }
    logi_na_sucho.push_back(dziennik());
    EXPECT_NE(logi_na_sucho.back().find("Po zmianie:"), std::string::npos) << logi_na_sucho.back();
  }
  // The real runs log exactly what the dry runs said they would do.
  for (std::size_t i = 0; i < polecenia.size(); ++i) {
    SCOPED_TRACE(polecenia[i][0]);
    ASSERT_EQ(uruchom_w_programie(polecenia[i][0], {polecenia[i][1]}), cli::kod_ok) << bledy;
    EXPECT_EQ(dziennik(), logi_na_sucho[i]);
  }
  EXPECT_EQ(tresc("main.scn"),
            teren + crlf({"include a.inc 10 7.12 20 end", "include sub/b.scm end"}));
  EXPECT_EQ(tresc("sub/b.scm"), crlf({"include a.inc 50 7.12 50 end"}));
  EXPECT_EQ(tresc("tory.scn"), tor() + crlf({"include obj.inc 50 0 6 1 2 3 5 end", "", "koniec"}));
}

TEST_F(Cli, ConfigWritesTheSimulatorFolderOrRefusesOneWithoutSceneriesWith2) {
  ini("; notes\r\n[Sciezka dostepu]\r\nC:\\Nowhere\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
  zapisz("main.scn", teren);
  EXPECT_EQ(uruchom_w_programie("config", {"--simulator", (k / "program").string()}),
            cli::kod_blad_startu);
  EXPECT_EQ(bledy, "Brak podkatalogu SCENERY.\n");
  EXPECT_NE(testy::wczytaj(k / "program/wyrownik.ini").find("Nowhere"), std::string::npos);
  EXPECT_EQ(uruchom_w_programie("config", {"--simulator", (k / "sim").string()}), cli::kod_ok)
      << bledy;
  EXPECT_EQ(testy::wczytaj(k / "program/wyrownik.ini"),
            "; notes\r\n[Sciezka dostepu]\r\n" + (k / "sim").string() +
                "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
  EXPECT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_ok) << bledy;
  // A Polish folder, its sceneries in another letter case: Windows-1250 in the
  // ini, found again at start-up. A ";" in a path no ini line gives back.
  k.zapisz("Symulator Żółw/SCENERY/b.scn", teren);
  k.zapisz("srednik;/scenery/b.scn", teren);
  EXPECT_EQ(uruchom_w_programie("config", {"--simulator", (k / "srednik;").string()}),
            cli::kod_blad_startu);
  EXPECT_NE(bledy.find("Tej ścieżki nie da się zapisać"), std::string::npos) << bledy;
  const std::u8string u8 = (k / "Symulator Żółw").u8string();  // arguments are UTF-8
  const std::string polski(u8.begin(), u8.end());
  EXPECT_EQ(uruchom_w_programie("config", {"--simulator", polski}), cli::kod_ok) << bledy;
  EXPECT_NE(testy::wczytaj(k / "program/wyrownik.ini").find("Symulator \xAF\xF3\xB3w\r\n"),
            std::string::npos);
  EXPECT_EQ(uruchom_w_programie("height", {"b.scn"}), cli::kod_ok) << bledy;
  for (const A& zle : std::vector<A>{{"config", "--program-dir", program()},
                                     {"config", "--simulator", "x", "main.scn"},
                                     {"height", "--simulator", "x", "main.scn"}}) {
    EXPECT_EQ(uruchom(zle), cli::kod_uzycie) << zle.back();
  }
}

TEST_F(Cli, HelpGoesToStdoutWithStatus0) {
  for (const A& argumenty : std::vector<A>{
           {"--help"}, {"-h"}, {"help"}, {"height", "--help"}, {"clearance", "main.scn", "-h"}}) {
    SCOPED_TRACE(argumenty.back());
    EXPECT_EQ(uruchom(argumenty), cli::kod_ok);
    EXPECT_EQ(wyjscie, cli::tekst_pomocy);
    EXPECT_EQ(bledy, "");
  }
  EXPECT_NE(wyjscie.find("wyrownik-cli height"), std::string::npos);
  EXPECT_NE(wyjscie.find("wyrownik-cli clearance"), std::string::npos);
  EXPECT_FALSE(fs::exists(k / "nowhere"));
}

TEST_F(Cli, BandOptionsAreTheTextsOfTheHeightRun) {
  // "abc" reads as 0 and "2.5x" as 2.5: differences 0 and 2.5 are corrected,
  // 2.625 is not.
  zapisz("main.scn", teren + crlf({"include a.inc 10 7.125 20 end", "include a.inc 10 4.625 20 end",
                                   "include a.inc 10 4.5 20 end"}));
  ASSERT_EQ(uruchom_w_programie("height", {"--min", "abc", "--max", "2.5x", "main.scn"}),
            cli::kod_ok)
      << bledy;
  EXPECT_EQ(wyjscie, raport());
  EXPECT_EQ(tresc("main.scn"),
            teren + crlf({"include a.inc 10 7.12 20 end", "include a.inc 10 7.12 20 end",
                          "include a.inc 10 4.5 20 end"}));
}

TEST_F(Cli, SceneryTypedInAnotherCaseRunsUnderTheDirectorysName) {
  zapisz("Main.scn", teren + crlf({"include a.inc 10 5 20 end"}));
  ASSERT_EQ(uruchom_w_programie("height", {"MAIN.SCN"}), cli::kod_ok) << bledy;
  EXPECT_NE(dziennik().find("Sceneria: Main.scn  Plik: "), std::string::npos) << dziennik();
  EXPECT_NE(dziennik().find("Sceneria: Main.scn\r\nIlość zmian: 1"), std::string::npos)
      << dziennik();
}

TEST_F(Cli, RadiusOptionsAreTheTextsOfTheClearanceRun) {
  const std::string glowny = tor() + crlf({"include obj.inc 50 0 10 1 2 3 5 end"});
  zapisz("main.scn", glowny);
  // Radius 5 from parameter 7 does not reach the track.
  ASSERT_EQ(uruchom_w_programie("clearance", {"--radius", "25x", "main.scn"}), cli::kod_ok)
      << bledy;
  EXPECT_EQ(tresc("main.scn"), glowny);
  // Without a radius parameter every object has the maximum radius, 25.
  ASSERT_EQ(
      uruchom_w_programie("clearance", {"--radius", "25x", "--radius-param", "0", "main.scn"}),
      cli::kod_ok)
      << bledy;
  EXPECT_EQ(wyjscie, raport());
  EXPECT_EQ(tresc("main.scn"), tor() + crlf({"include obj.inc 50 0 26 1 2 3 5 end"}));
}

TEST_F(Cli, DefaultProgramDirectoryIsTheOneGiven) {
  zapisz("main.scn", teren + crlf({"include a.inc 10 5 20 end"}));
  ASSERT_EQ(uruchom({"height", "main.scn"}, k / "program"), cli::kod_ok) << bledy;
  EXPECT_EQ(wyjscie, raport());
  EXPECT_EQ(tresc("main.scn"), teren + crlf({"include a.inc 10 7.12 20 end"}));
  EXPECT_TRUE(dziennik().ends_with("Sceneria: main.scn\r\nIlość zmian: 1\r\n"));
}

TEST_F(Cli, AReportThatCannotBeWrittenLeavesTheBatchDoneAndSaysWhy) {
  zapisz("main.scn", teren + crlf({"include a.inc 10 5 20 end"}));
  // A directory where the report's new file would be made.
  fs::create_directories(k / "program/Log_korekcja.html.nowy/x");
  EXPECT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_ok) << bledy;
  EXPECT_EQ(tresc("main.scn"), teren + crlf({"include a.inc 10 7.12 20 end"}));
  EXPECT_EQ(wyjscie, "");
  EXPECT_NE(bledy.find("the report was not written"), std::string::npos) << bledy;
  EXPECT_FALSE(fs::exists(k / "program/Log_korekcja.html"));

  fs::remove_all(k / "program/Log_korekcja.html.nowy");
  EXPECT_EQ(uruchom_w_programie("height", {"--no-report", "main.scn"}), cli::kod_ok) << bledy;
  EXPECT_EQ(wyjscie, "");
  EXPECT_FALSE(fs::exists(k / "program/Log_korekcja.html"));
}

#ifndef _WIN32  // processes started with fork, signals and limits
// The built program itself, as a separate process: `przygotuj` runs in the
// child before exec (redirections, limits). Returns the wait status.
// `polecenie` replaces "height" and "main.scn" after the program directory.
// `zuzycie`, when given, gets what the process used (its peak memory);
// `zabij_po`, when given, sends it `sygnal` after so many microseconds.
template <typename F>
int w_procesie(const std::string& program, F przygotuj,
               std::vector<std::string> polecenie = {"height", "main.scn"},
               rusage* zuzycie = nullptr, std::optional<useconds_t> zabij_po = std::nullopt,
               int sygnal = SIGKILL) {
  polecenie.insert(polecenie.begin() + 1, {"--program-dir", program});
  std::vector<char*> argv = {const_cast<char*>(WYROWNIK_CLI)};
  for (auto& a : polecenie) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    przygotuj();
    ::execv(WYROWNIK_CLI, argv.data());
    ::_exit(127);
  }
  if (zabij_po) {
    ::usleep(*zabij_po);
    ::kill(pid, sygnal);
  }
  int stan = 0;
  rusage r{};
  ::wait4(pid, &stan, 0, &r);
  if (zuzycie != nullptr) *zuzycie = r;
  return stan;
}

TEST_F(Cli, BuiltProgramCorrectsASceneryAndExitsWith0) {
  zapisz("main.scn", teren + crlf({"include a.inc 10 5 20 end"}));
  const fs::path out = k / "stdout", err = k / "stderr";
  const int stan = w_procesie(program(), [&] {
    const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0) ::_exit(126);
  });
  ASSERT_TRUE(WIFEXITED(stan));
  EXPECT_EQ(WEXITSTATUS(stan), 0) << testy::wczytaj(err);
  EXPECT_EQ(testy::wczytaj(out), raport());
  EXPECT_EQ(tresc("main.scn"), teren + crlf({"include a.inc 10 7.12 20 end"}));
  EXPECT_TRUE(dziennik().ends_with("Sceneria: main.scn\r\nIlość zmian: 1\r\n"));
}

TEST_F(Cli, SignalsOfTheSystemBecomeOrdinaryOutcomes) {
  // Progress into a pipe whose reader has gone: the batch goes on to its end.
  zapisz("main.scn", teren + crlf({"include a.inc 10 5 20 end"}));
  int stan = w_procesie(program(), [] {
    int potok[2];
    if (::pipe(potok) != 0 || ::dup2(potok[1], 2) < 0) ::_exit(126);
    ::close(potok[0]);
  });
  ASSERT_TRUE(WIFEXITED(stan)) << "killed by signal " << WTERMSIG(stan);
  EXPECT_EQ(WEXITSTATUS(stan), 0);
  EXPECT_EQ(tresc("main.scn"), teren + crlf({"include a.inc 10 7.12 20 end"}));

  // A file-size limit below the scratch index: a failed write, the failure
  // path, the scenery as it was.
  const std::string przed = teren + crlf({"include a.inc 10 5 20 end"});
  zapisz("main.scn", przed);
  const fs::path err = k / "stderr";
  stan = w_procesie(program(), [&] {
    const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const rlimit granica{1 << 20, 1 << 20};
    if (e < 0 || ::dup2(e, 2) < 0 || ::setrlimit(RLIMIT_FSIZE, &granica) != 0) ::_exit(126);
  });
  ASSERT_TRUE(WIFEXITED(stan)) << "killed by signal " << WTERMSIG(stan);
  EXPECT_EQ(WEXITSTATUS(stan), 1);
  EXPECT_NE(testy::wczytaj(err).find("Wystąpił błąd"), std::string::npos);
  EXPECT_EQ(tresc("main.scn"), przed);
}

TEST_F(Cli, StdoutThatCannotBeWrittenLeavesABatchItsStatusAndFailsAnAnswer) {
  // Closed (no file opened later may take its number), full, its reader gone.
  const std::vector<std::function<void()>> wyjscia = {
      [] { ::close(1); },
      [] {
        const int f = ::open("/dev/full", O_WRONLY);
        if (f < 0 || ::dup2(f, 1) < 0) ::_exit(126);
      },
      [] {
        int potok[2];
        if (::pipe(potok) != 0 || ::dup2(potok[1], 1) < 0) ::_exit(126);
        ::close(potok[0]);
      },
  };
  for (std::size_t i = 0; i < wyjscia.size(); ++i) {
    zapisz("main.scn", teren + crlf({"include a.inc 10 5 20 end"}));
    int stan = w_procesie(program(), wyjscia[i]);
    ASSERT_TRUE(WIFEXITED(stan)) << i;
    EXPECT_EQ(WEXITSTATUS(stan), 0) << i;
    EXPECT_EQ(tresc("main.scn"), teren + crlf({"include a.inc 10 7.12 20 end"})) << i;
    EXPECT_TRUE(dziennik().starts_with("Sceneria: main.scn")) << i;
    for (const auto& odpowiedz :
         {std::vector<std::string>{"undo", "--list"}, std::vector<std::string>{"--help"}}) {
      stan = w_procesie(program(), wyjscia[i], odpowiedz);
      ASSERT_TRUE(WIFEXITED(stan)) << i;
      EXPECT_EQ(WEXITSTATUS(stan), 1) << i << odpowiedz[0];
    }
  }
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST_F(Cli, OneChangedLineOfAnyLengthCostsAboutThreeTimesItsSize) {
  // 40 MB of one object line, corrected in both runs: the program's peak
  // memory stays under three times the line and some 40 MB to start with
  // (before: twelve times the line).
  const std::string tor =
      "node 1 0 t track normal 100 1.6 0.25 25 20 0 flat vis\r\n Rail 4 tex 0.2 0.5 1.1\r\n"
      "0 0.2 0 0\r\n0 0 0\r\n0 0 0\r\n100 0.2 0 0\r\n0\r\nendtrack\r\n";
  std::string dluga = "include a.inc 10 5 1";
  for (int i = 0; i < 20'000'000; ++i) dluga += " 1";
  dluga += " end\r\n";
  for (const char* przebieg : {"height", "clearance"}) {
    zapisz("main.scn", teren + tor + dluga);
    rusage zuzycie{};
    const int stan = w_procesie(
        program(),
        [] {
          const int nic = ::open("/dev/null", O_WRONLY);
          if (nic < 0 || ::dup2(nic, 2) < 0) ::_exit(126);
        },
        {przebieg, "--no-backup", "main.scn"}, &zuzycie);
    ASSERT_TRUE(WIFEXITED(stan)) << przebieg << " killed by signal " << WTERMSIG(stan);
    EXPECT_EQ(WEXITSTATUS(stan), 0) << przebieg;
    EXPECT_TRUE(tresc("main.scn") != teren + tor + dluga) << przebieg;
    const double mib = static_cast<double>(zuzycie.ru_maxrss) / 1024;  // kB on Linux
    EXPECT_LT(mib, (3.0 * static_cast<double>(dluga.size()) + (40 << 20)) / (1 << 20)) << przebieg;
  }
}
#endif

TEST_F(Cli, AKillAtAnyMomentLeavesEachFileAsBeforeOrAsAfter) {
  // Twenty files with changes; the expected end from an uninterrupted run.
  std::vector<std::string> nazwy;
  std::string glowny = teren;
  for (int i = 0; i < 20; ++i) {
    nazwy.push_back("f" + std::to_string(i) + ".scm");
    glowny += "include " + nazwy.back() + " end\r\n";
  }
  const auto wypelnij = [&] {
    zapisz("main.scn", glowny);
    for (const auto& n : nazwy) {
      std::string tresc;
      for (int j = 0; j < 2000; ++j) tresc += "include a.inc 10 5 20 end\r\n// x\r\n";
      zapisz(n, tresc);
    }
  };
  wypelnij();
  const std::string przed = tresc(nazwy[0]);
  ASSERT_EQ(w_procesie(program(), [] {}), 0);
  const std::string po = tresc(nazwy[0]);
  ASSERT_NE(przed, po);

  std::mt19937 los(5);
  int w_trakcie = 0;
  for (int proba = 0; proba < 12; ++proba) {
    wypelnij();
    const pid_t pid = ::fork();
    if (pid == 0) {
      const int nic = ::open("/dev/null", O_WRONLY);
      ::dup2(nic, 2);
      ::execl(WYROWNIK_CLI, WYROWNIK_CLI, "height", "--program-dir", program().c_str(),
              "--no-backup", "main.scn", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::usleep(static_cast<useconds_t>(los() % 60000));
    ::kill(pid, SIGKILL);
    int stan = 0;
    ::waitpid(pid, &stan, 0);
    int zmienione = 0;
    for (const auto& n : nazwy) {
      const std::string teraz = tresc(n);
      ASSERT_TRUE(teraz == przed || teraz == po) << n << " is neither as before nor as after";
      zmienione += teraz == po;
    }
    w_trakcie += zmienione > 0 && zmienione < 20;
  }
  RecordProperty("killed_mid_rewrite", w_trakcie);
}

TEST_F(Cli, KillsDuringTheBackupAndTheUndoLoseNoOriginal) {
  const DwadziesciaPlikow d = dwadziescia_plikow();
  const std::vector<std::string>& nazwy = d.nazwy;
  const std::string& przed = d.przed;
  const auto wypelnij = [&] { wypelnij_dwadziescia(d); };
  const auto w_tle = [&](const std::vector<std::string>& polecenie, useconds_t po) {
    w_procesie(
        program(),
        [] {
          const int nic = ::open("/dev/null", O_WRONLY);
          ::dup2(nic, 2);
        },
        polecenie, nullptr, po);
  };
  const auto kazdy_przed_albo_po = [&](const std::string& po) {
    for (const auto& n : nazwy) {
      const std::string teraz = tresc(n);
      if (teraz != przed && teraz != po) return false;
    }
    return true;
  };
  wypelnij();
  ASSERT_EQ(w_procesie(program(), [] {}), 0);
  const std::string po = tresc(nazwy[0]);

  std::mt19937 los(7);
  for (int proba = 0; proba < 10; ++proba) {
    // A kill during the batch, its backups being made: each file as before
    // or as after; a whole undo then gives every original back.
    wypelnij();
    w_tle({"height", "main.scn"}, static_cast<useconds_t>(los() % 80000));
    ASSERT_TRUE(kazdy_przed_albo_po(po)) << proba;
    ASSERT_EQ(w_procesie(program(), [] {}, {"undo"}), 0) << proba;
    for (const auto& n : nazwy) ASSERT_EQ(tresc(n), przed) << proba << " " << n;

    // A kill during the undo: the same, and the next undo finishes the job
    // without ever putting older content over newer.
    wypelnij();
    ASSERT_EQ(w_procesie(program(), [] {}), 0);
    w_tle({"undo"}, static_cast<useconds_t>(los() % 30000));
    ASSERT_TRUE(kazdy_przed_albo_po(po)) << proba;
    zapisz(nazwy[0], "newer\r\n");  // an edit made after the kill is kept
    w_procesie(program(), [] {}, {"undo"});
    EXPECT_EQ(tresc(nazwy[0]), "newer\r\n") << proba;
    for (std::size_t i = 1; i < nazwy.size(); ++i) ASSERT_EQ(tresc(nazwy[i]), przed) << proba;
  }
}

TEST_F(Cli, AStopRequestedAtAnyMomentLeavesNoScratchFileAndUndoGivesEveryOriginalBack) {
  const DwadziesciaPlikow d = dwadziescia_plikow();
  const std::vector<std::string>& nazwy = d.nazwy;
  const std::string& przed = d.przed;
  const auto wypelnij = [&] { wypelnij_dwadziescia(d); };
  wypelnij();
  ASSERT_EQ(w_procesie(program(), [] {}), 0);
  const std::string po = tresc(nazwy[0]);
  const fs::path err = k / "stderr";
  const auto do_pliku = [&] {
    const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (e < 0 || ::dup2(e, 2) < 0) ::_exit(126);
  };

  // The request comes once the batch has begun (before it the program has
  // no handler yet: a slow start under a sanitizer would end it by the
  // signal), after `zwloka` microseconds more.
  const auto po_starcie = [&](int sygnal, useconds_t zwloka) {
    fs::remove(err);  // the last run's lines must not pass for this one's
    const pid_t pid = ::fork();
    if (pid == 0) {
      do_pliku();
      ::execl(WYROWNIK_CLI, WYROWNIK_CLI, "height", "--program-dir", program().c_str(), "main.scn",
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    const auto zaczeta = [&] {
      return fs::exists(err) && testy::wczytaj(err).find("FAZA I") != std::string::npos;
    };
    for (int i = 0; i < 20000 && !zaczeta(); ++i) ::usleep(500);
    ::usleep(zwloka);
    ::kill(pid, sygnal);
    int stan = 0;
    ::waitpid(pid, &stan, 0);
    return stan;
  };

  std::mt19937 los(11);
  int przerwane = 0;
  for (int proba = 0; proba < 12; ++proba) {
    const int sygnal = proba % 2 == 0 ? SIGINT : SIGTERM;
    wypelnij();
    const int stan = po_starcie(sygnal, static_cast<useconds_t>(los() % 60000));
    ASSERT_TRUE(WIFEXITED(stan)) << proba << " ended by signal " << WTERMSIG(stan);
    const int kod = WEXITSTATUS(stan);
    const std::string bledy_procesu = testy::wczytaj(err);
    ASSERT_TRUE(kod == 0 || kod == 128 + sygnal) << proba << " " << kod << bledy_procesu;
    std::size_t zmienione = 0;
    for (const auto& n : nazwy) zmienione += tresc(n) == po;
    if (kod != 0) {
      ++przerwane;
      // What it had changed: 2000 lines a file replaced.
      EXPECT_NE(bledy_procesu.find("wyrownik-cli: interrupted: "), std::string::npos)
          << bledy_procesu;
      EXPECT_NE(bledy_procesu.find("; changed " + std::to_string(2000 * zmienione) + ", "),
                std::string::npos)
          << bledy_procesu;
    }
    for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
      ASSERT_FALSE(fs::exists(k / "sim/scenery" / roboczy)) << proba << roboczy;
    }
    for (const auto& n : nazwy) {
      const std::string teraz = tresc(n);
      ASSERT_TRUE(teraz == przed || teraz == po) << proba << " " << n;
    }
    ASSERT_EQ(w_procesie(program(), [] {}, {"undo"}), 0) << proba;
    for (const auto& n : nazwy) ASSERT_EQ(tresc(n), przed) << proba << " " << n;
  }
  RecordProperty("interrupted", przerwane);
  EXPECT_GT(przerwane, 0);

  // A dry run's patch cut short does not stay; a second request ends the
  // program at once, every file still whole.
  wypelnij();
  const fs::path latka = k / "zmiany.patch";
  int stan = w_procesie(
      program(), [] {}, {"height", "--dry-run", "--diff", latka.string(), "main.scn"}, nullptr,
      20000, SIGINT);
  if (WIFEXITED(stan) && WEXITSTATUS(stan) == 130) {
    EXPECT_FALSE(fs::exists(latka));
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execl(WYROWNIK_CLI, WYROWNIK_CLI, "height", "--program-dir", program().c_str(), "main.scn",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::usleep(30000);
  ::kill(pid, SIGTERM);
  ::kill(pid, SIGTERM);
  ::waitpid(pid, &stan, 0);
  for (const auto& n : nazwy) {
    const std::string teraz = tresc(n);
    ASSERT_TRUE(teraz == przed || teraz == po) << n;
  }
}

#endif

TEST_F(Cli, ARequestToStopEndsABatchAnUndoAndAConfigCleanly) {
  std::string glowny = teren;
  for (const char* n : {"a.scm", "b.scm"}) {
    glowny += std::string("include ") + n + " end\r\n";
    zapisz(n, crlf({"include a.inc 10 5 20 end"}));
  }
  zapisz("main.scn", glowny);
  ASSERT_EQ(uruchom_w_programie("height", {"main.scn"}), cli::kod_ok);
  const std::string po = tresc("a.scm");
  ASSERT_NE(po, crlf({"include a.inc 10 5 20 end"}));

  // Asked before its first event point: nothing done, no patch left.
  przerwanie = 130;
  const fs::path latka = k / "zmiany.patch";
  EXPECT_EQ(uruchom_w_programie("height", {"--dry-run", "--diff", latka.string(), "main.scn"}),
            130);
  EXPECT_FALSE(fs::exists(latka));
  EXPECT_NE(bledy.find("wyrownik-cli: interrupted: the batch stopped before its end"),
            std::string::npos)
      << bledy;
  // The undo stops after its first file; the next one restores the rest.
  przerwanie = 143;
  EXPECT_EQ(uruchom_w_programie("undo", {}), 143);
  EXPECT_NE(bledy.find("undo again"), std::string::npos) << bledy;
  EXPECT_EQ((tresc("a.scm") == po) + (tresc("b.scm") == po), 1);
  przerwanie = 0;
  EXPECT_EQ(uruchom_w_programie("undo", {}), cli::kod_ok) << bledy;
  EXPECT_EQ(tresc("a.scm"), crlf({"include a.inc 10 5 20 end"}));
  EXPECT_EQ(tresc("b.scm"), crlf({"include a.inc 10 5 20 end"}));
  // config writes nothing once asked to stop.
  const std::string ini = testy::wczytaj(k / "program/wyrownik.ini");
  przerwanie = 130;
  EXPECT_EQ(uruchom_w_programie("config", {"--simulator", (k / "sim").string()}), 130);
  EXPECT_EQ(testy::wczytaj(k / "program/wyrownik.ini"), ini);
}

}  // namespace
}  // namespace wyrownik
