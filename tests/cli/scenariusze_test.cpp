// Whole batches through the command line: each folder of
// tests/dane/scenariusze holds an input scenery (wejscie/), the scenery
// expected afterwards (oczekiwane/), the expected log and the command. The
// ini and the log name the temporary root as @KORZEN@ and the scenery
// directory as @KATALOG@; the command names its patch file @LATKA@, whose
// expected bytes are oczekiwana.patch; where oczekiwane_wyjasnienie.tsv is
// present, the batch writes --explain and its table must be those bytes;
// oczekiwane_tekstury.tsv and oczekiwane_tory_bez_odcinka.tsv, where present,
// are the rows of the report's tables of textures under objects without
// ground and of tracks that give no segment.
// `kod`, where present, holds the expected exit status, `ostrzezenia` the
// expected warnings.
#include <gtest/gtest.h>
#ifdef WYROWNIK_LIBXML2
#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#endif

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "cli/uruchom.hpp"
#include "platform/separator.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "text/kodowanie.hpp"
#include "text/linia.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

// No request to stop comes in these runs.
const std::atomic<int> nigdy{0};

fs::path katalog_danych() {
  return fs::path(WYROWNIK_DANE) / "scenariusze";
}

std::string zamien(std::string tekst, const std::string& co, const std::string& na) {
  for (std::size_t p = tekst.find(co); p != std::string::npos; p = tekst.find(co, p + na.size())) {
    tekst.replace(p, co.size(), na);
  }
  return tekst;
}

std::vector<std::string> slowa(const std::string& tekst) {
  std::istringstream s(tekst);
  std::vector<std::string> w;
  for (std::string slowo; s >> slowo;) w.push_back(slowo);
  return w;
}

#ifdef WYROWNIK_LIBXML2
// One entry of the log: the line as read and, unless it was removed, as written.
struct WpisLogu {
  std::string przed, po;
  bool usuniety = false;
};

std::vector<WpisLogu> wpisy_logu(const std::string& log) {
  std::vector<std::string> linie;
  std::istringstream s(log);
  for (std::string l; std::getline(s, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    linie.push_back(l);
  }
  const std::string usunieto = *utf8_na_cp1250("Usunięto:");
  std::vector<WpisLogu> wpisy;
  for (std::size_t i = 0; i + 1 < linie.size(); ++i) {
    if (linie[i] == "Przed zmiana:" && i + 3 < linie.size()) {
      wpisy.push_back({linie[i + 1], linie[i + 3], false});
    } else if (linie[i] == usunieto) {
      wpisy.push_back({linie[i + 1], "", true});
    }
  }
  return wpisy;
}

Trojka polozenie(std::string linia) {
  oczysc_linie(linia);
  return znajdz_trojke_w_linii(linia).value();
}

using Dokument = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;
using Wynik = std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)>;

std::vector<xmlNodePtr> wezly(xmlDocPtr dok, const char* sciezka) {
  std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> k(xmlXPathNewContext(dok),
                                                                     xmlXPathFreeContext);
  xmlXPathRegisterNs(k.get(), BAD_CAST "s", BAD_CAST "http://www.w3.org/2000/svg");
  Wynik w(xmlXPathEvalExpression(BAD_CAST sciezka, k.get()), xmlXPathFreeObject);
  std::vector<xmlNodePtr> wynik;
  if (w && w->nodesetval) {
    for (int i = 0; i < w->nodesetval->nodeNr; ++i) wynik.push_back(w->nodesetval->nodeTab[i]);
  }
  return wynik;
}

std::string atrybut(xmlNodePtr w, const char* nazwa) {
  std::unique_ptr<xmlChar, decltype(xmlFree)> v(xmlGetProp(w, BAD_CAST nazwa), xmlFree);
  return v ? reinterpret_cast<const char*>(v.get()) : "";
}

std::string tekst(xmlNodePtr w) {
  std::unique_ptr<xmlChar, decltype(xmlFree)> v(xmlNodeGetContent(w), xmlFree);
  return v ? reinterpret_cast<const char*>(v.get()) : "";
}

// The rows of the report's tables at `sciezka`: cells joined by tabs, a
// line each.
std::string wiersze_tabeli(const std::string& strona, const char* sciezka) {
  Dokument html(htmlReadMemory(strona.data(), static_cast<int>(strona.size()), nullptr, "UTF-8",
                               HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET),
                xmlFreeDoc);
  std::string wynik;
  for (xmlNodePtr w : wezly(html.get(), sciezka)) {
    const char* miedzy = "";
    for (xmlNodePtr k = w->children; k != nullptr; k = k->next) {
      if (k->type != XML_ELEMENT_NODE) continue;
      wynik.append(miedzy).append(tekst(k));
      miedzy = "\t";
    }
    wynik += "\n";
  }
  return wynik;
}

// The report holds one marker per entry of the log, of its kind and at its
// place, and a table row per entry with the log's texts; its plan is
// well-formed XML and the page parses as HTML.
void sprawdz_raport(const std::string& strona, const std::string& log, bool skrajnia) {
  const auto wpisy = wpisy_logu(log);
  Dokument html(htmlReadMemory(strona.data(), static_cast<int>(strona.size()), nullptr, "UTF-8",
                               HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET),
                xmlFreeDoc);
  ASSERT_TRUE(html);
  // Lines a marker kept have rows and grey markers of their own, not entries.
  const char* zmienione =
      "//div[contains(@class, 'zmian')]//tbody/tr[td[4] != 'pominięty (oznaczony)']";
  const auto wiersze = wezly(html.get(), zmienione);
  ASSERT_EQ(wiersze.size(), wpisy.size());
  for (std::size_t i = 0; i < wpisy.size(); ++i) {
    const auto komorki =
        wezly(html.get(), (std::string(zmienione) + "[" + std::to_string(i + 1) + "]/td").c_str());
    ASSERT_EQ(komorki.size(), 6u);
    EXPECT_EQ(tekst(komorki[4]), cp1250_na_utf8(wpisy[i].przed));
    EXPECT_EQ(tekst(komorki[5]), cp1250_na_utf8(wpisy[i].po));
  }

  const std::size_t od = strona.find("<svg"), koniec = strona.find("</svg>");
  ASSERT_NE(od, std::string::npos);
  ASSERT_NE(koniec, std::string::npos);
  const std::string svg = strona.substr(od, koniec + 6 - od);
  Dokument plan(xmlReadMemory(svg.data(), static_cast<int>(svg.size()), nullptr, "UTF-8",
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
                xmlFreeDoc);
  ASSERT_TRUE(plan) << "the plan is not well-formed XML";
  const auto znaczniki = wezly(plan.get(), "//s:g[@class='zmiany']/*[not(@class='p')]");
  ASSERT_EQ(znaczniki.size(), wpisy.size());
  const auto blisko = [](const std::string& tekst, double v) {
    return std::abs(std::stod(tekst) - v) < 0.01;
  };
  for (std::size_t i = 0; i < wpisy.size(); ++i) {
    const Trojka p = polozenie(wpisy[i].przed);
    xmlNodePtr z = znaczniki[i];
    const std::string nazwa = reinterpret_cast<const char*>(z->name);
    if (wpisy[i].usuniety) {
      EXPECT_EQ(nazwa, "use");
      EXPECT_TRUE(blisko(atrybut(z, "x"), p.x) && blisko(atrybut(z, "y"), -p.z)) << i;
    } else if (skrajnia) {
      const Trojka n = polozenie(wpisy[i].po);
      EXPECT_EQ(nazwa, "path");
      std::istringstream d(atrybut(z, "d"));
      char m = 0, l = 0;
      double x1, y1, x2, y2;
      d >> m >> x1 >> y1 >> l >> x2 >> y2;
      EXPECT_EQ(std::string() + m + l, "ML") << i;
      EXPECT_TRUE(std::abs(x1 - p.x) < 0.01 && std::abs(y1 + p.z) < 0.01) << i;
      EXPECT_TRUE(std::abs(x2 - n.x) < 0.01 && std::abs(y2 + n.z) < 0.01) << i;
    } else {
      const Trojka n = polozenie(wpisy[i].po);
      EXPECT_EQ(nazwa, "circle");
      EXPECT_TRUE(blisko(atrybut(z, "cx"), p.x) && blisko(atrybut(z, "cy"), -p.z)) << i;
      EXPECT_EQ(atrybut(z, "class").substr(0, 1), n.y >= p.y ? "w" : "n") << i;
    }
  }
}

#endif

// The expected log and tables name files with "/"; the program writes the
// system's own separator. A line ends at LF (CR LF in the log).
std::string sciezki_natywnie(std::string log) {
  for (std::size_t p = log.find("@KATALOG@"); p != std::string::npos;
       p = log.find("@KATALOG@", p + 1)) {
    const std::size_t koniec = std::min(log.find('\n', p), log.size());
    std::replace(log.begin() + static_cast<std::ptrdiff_t>(p),
                 log.begin() + static_cast<std::ptrdiff_t>(koniec), '/', separator_natywny);
  }
  return log;
}

// The patch of a real run, applied by `patch -p1` to the input, gives what
// the run wrote (where the system has `patch`).
void sprawdz_latke(const fs::path& dane, const fs::path& latka, const fs::path& po_partii) {
#ifdef _WIN32
  (void)dane, (void)latka, (void)po_partii;
#else
  if (std::system("command -v patch >/dev/null 2>&1") != 0) return;
  testy::KatalogTymczasowy kopia;
  fs::copy(dane / "wejscie", kopia.sciezka(), fs::copy_options::recursive);
  const std::string polecenie =
      "cd '" + kopia.sciezka().string() + "' && patch -p1 -s < '" + latka.string() + "'";
  ASSERT_EQ(std::system(polecenie.c_str()), 0) << polecenie;
  for (const auto& wpis : fs::recursive_directory_iterator(po_partii)) {
    if (!wpis.is_regular_file()) continue;
    const auto wzgledna = fs::relative(wpis.path(), po_partii);
    EXPECT_EQ(testy::wczytaj(kopia / wzgledna.string()), testy::wczytaj(wpis.path())) << wzgledna;
  }
#endif
}

// The warnings on stderr, one a line without the program's prefix; the
// expected ones (`ostrzezenia`, none where it is missing) name the scenery
// directory @KATALOG@ and separate components with "/".
std::string ostrzezenia(const std::string& bledy) {
  const std::string przedrostek = "wyrownik-cli: warning: ";
  std::istringstream s(bledy);
  std::string wynik;
  for (std::string l; std::getline(s, l);) {
    if (l.starts_with(przedrostek)) wynik += l.substr(przedrostek.size()) + "\n";
  }
  return wynik;
}

std::string oczekiwane_ostrzezenia(const fs::path& dane, const std::string& katalog) {
  if (!fs::exists(dane / "ostrzezenia")) return "";
  std::istringstream s(testy::wczytaj(dane / "ostrzezenia"));
  std::string wynik;
  for (std::string l; std::getline(s, l);) {
    const std::size_t p = l.find("@KATALOG@");
    if (p != std::string::npos) {
      const std::size_t koniec = l.find(' ', p);
      std::replace(l.begin() + static_cast<std::ptrdiff_t>(p),
                   l.begin() + static_cast<std::ptrdiff_t>(koniec), '/', separator_natywny);
    }
    wynik += zamien(l, "@KATALOG@", katalog) + "\n";
  }
  return wynik;
}

class Scenariusz : public ::testing::TestWithParam<std::string> {};

TEST_P(Scenariusz, ProducesTheExpectedFilesAndLog) {
  const fs::path dane = katalog_danych() / GetParam();
  testy::KatalogTymczasowy k;
  const std::string korzen = (k / "sim").string();
  const std::string katalog = korzen + separator_natywny + "scenery" + separator_natywny;
  fs::create_directories(k / "sim");
  fs::copy(dane / "wejscie", k / "sim/scenery", fs::copy_options::recursive);
  k.zapisz("program/wyrownik.ini",
           zamien(testy::wczytaj(dane / "wyrownik.ini"), "@KORZEN@", korzen));

  std::ostringstream wyjscie, bledy;
  const fs::path latka = k / "latka.patch";
  auto argumenty = slowa(zamien(testy::wczytaj(dane / "polecenie"), "@LATKA@", latka.string()));
  argumenty.insert(argumenty.begin() + 1, {"--program-dir", (k / "program").string()});
  const fs::path wyjasnienie = k / "wyjasnienie.tsv";
  const bool z_wyjasnieniem = fs::exists(dane / "oczekiwane_wyjasnienie.tsv");
  if (z_wyjasnieniem) argumenty.insert(argumenty.begin() + 1, {"--explain", wyjasnienie.string()});
  const int kod = fs::exists(dane / "kod") ? std::stoi(testy::wczytaj(dane / "kod")) : cli::kod_ok;
  ASSERT_EQ(cli::uruchom(argumenty, k / "nowhere", wyjscie, bledy, nigdy), kod) << bledy.str();
  const fs::path raport = k / "program" / "Log_korekcja.html";
  EXPECT_EQ(wyjscie.str(), raport.string() + "\n");
  EXPECT_EQ(ostrzezenia(bledy.str()), oczekiwane_ostrzezenia(dane, katalog));
  wyjscie.str("");

  std::size_t porownane = 0;
  for (const auto& wpis : fs::recursive_directory_iterator(dane / "oczekiwane")) {
    if (!wpis.is_regular_file()) continue;
    const auto wzgledna = fs::relative(wpis.path(), dane / "oczekiwane");
    EXPECT_EQ(testy::wczytaj(k / "sim/scenery" / wzgledna), testy::wczytaj(wpis.path()))
        << wzgledna;
    ++porownane;
  }
  EXPECT_GT(porownane, 0u);
  EXPECT_EQ(
      testy::wczytaj(k / "program/Log_korekcja.txt"),
      zamien(sciezki_natywnie(testy::wczytaj(dane / "Log_korekcja.txt")), "@KATALOG@", katalog));
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
    EXPECT_FALSE(fs::exists(k / "sim/scenery" / roboczy)) << roboczy;
  }
  if (z_wyjasnieniem) {
    EXPECT_EQ(testy::wczytaj(wyjasnienie), testy::wczytaj(dane / "oczekiwane_wyjasnienie.tsv"));
  }
  if (fs::exists(dane / "oczekiwana.patch")) {
    EXPECT_EQ(testy::wczytaj(latka), testy::wczytaj(dane / "oczekiwana.patch"));
    if (kod == cli::kod_ok) sprawdz_latke(dane, latka, k / "sim/scenery");
  }
#ifdef WYROWNIK_LIBXML2
  sprawdz_raport(testy::wczytaj(raport), testy::wczytaj(k / "program/Log_korekcja.txt"),
                 argumenty[0] == "clearance");
  for (const auto& [plik, sciezka] :
       {std::pair{"oczekiwane_tekstury.tsv", "//table[@class='tekstury']//tr[td]"},
        std::pair{"oczekiwane_tory_bez_odcinka.tsv",
                  "//div[contains(@class, 'bez-odcinka')]//tr[td]"}}) {
    if (!fs::exists(dane / plik)) continue;
    EXPECT_EQ(wiersze_tabeli(testy::wczytaj(raport), sciezka),
              zamien(sciezki_natywnie(testy::wczytaj(dane / plik)), "@KATALOG@", katalog))
        << plik;
  }
  // A marker that protects nothing is listed in the report too.
  EXPECT_EQ(testy::wczytaj(raport).find("<li>") != std::string::npos,
            ostrzezenia(bledy.str()).find("the marker in line") != std::string::npos);
#endif

  // The undo gives every file back its bytes from before the batch, and a
  // second undo finds nothing more to do.
  const std::vector<std::string> cofnij = {"undo", "--program-dir", (k / "program").string()};
  ASSERT_EQ(cli::uruchom(cofnij, k / "nowhere", wyjscie, bledy, nigdy), cli::kod_ok) << bledy.str();
  for (const auto& wpis : fs::recursive_directory_iterator(dane / "wejscie")) {
    // A scratch file left by a crash is not the user's: the batch removed it.
    if (!wpis.is_regular_file() || wpis.path().filename() == "aaa.ccc") continue;
    const auto wzgledna = fs::relative(wpis.path(), dane / "wejscie");
    EXPECT_EQ(testy::wczytaj(k / "sim/scenery" / wzgledna), testy::wczytaj(wpis.path()))
        << wzgledna;
  }
  EXPECT_FALSE(fs::exists(k / "sim/scenery/aaa.ccc"));
  bledy.str("");
  ASSERT_EQ(cli::uruchom(cofnij, k / "nowhere", wyjscie, bledy, nigdy), cli::kod_ok);
  EXPECT_EQ(bledy.str(), "wyrownik-cli: nothing to undo\n");
  EXPECT_EQ(wyjscie.str(), "");
}

std::vector<std::string> scenariusze() {
  std::vector<std::string> nazwy;
  for (const auto& wpis : fs::directory_iterator(katalog_danych()))
    nazwy.push_back(wpis.path().filename().string());
  std::sort(nazwy.begin(), nazwy.end());
  return nazwy;
}

INSTANTIATE_TEST_SUITE_P(Cli, Scenariusz, ::testing::ValuesIn(scenariusze()),
                         [](const auto& parametr) { return parametr.param; });

}  // namespace
}  // namespace wyrownik
