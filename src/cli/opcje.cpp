#include "cli/opcje.hpp"

#include <cstddef>
#include <string>
#include <string_view>

#include "text/linia.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik::cli {

const char* const tekst_pomocy =
    "usage:\n"
    "  wyrownik-cli height    [--program-dir DIR] [--min TEXT] [--max TEXT] [--dry-run]\n"
    "                         [--no-backup] [--no-report] [--check] [--diff FILE]\n"
    "                         [--explain FILE] [--area X1,Z1,X2,Z2] SCENERY...\n"
    "  wyrownik-cli clearance [--program-dir DIR] [--radius TEXT] [--radius-param TEXT]\n"
    "                         [--dry-run] [--no-backup] [--no-report] [--check] [--diff FILE]\n"
    "                         [--explain FILE] [--area X1,Z1,X2,Z2] SCENERY...\n"
    "  wyrownik-cli undo      [--program-dir DIR] [--list]\n"
    "  wyrownik-cli config    [--program-dir DIR] --simulator DIR\n"
    "\n"
    "Corrects the object coordinates of the named scenery files (*.scn names as found in the\n"
    "scenery directory), one batch, in the order given; the log Log_korekcja.txt is written\n"
    "to the program directory, which also holds wyrownik.ini.\n"
    "\n"
    "  --program-dir DIR   directory of wyrownik.ini and the log (default: the program's own)\n"
    "  --min, --max        height band: lines whose height differs by less or more are kept\n"
    "                      (defaults 0.5 and 11)\n"
    "  --radius            largest expected object radius (default 40)\n"
    "  --radius-param      number of the include parameter holding the radius (default 7)\n"
    "  --dry-run           do everything but replace scenery files (and keep no backup)\n"
    "  --no-backup         keep no copy of the replaced files under kopie/ in the program\n"
    "                      directory (for sceneries under version control)\n"
    "  --no-report         write no map report Log_korekcja.html beside the log (by default\n"
    "                      it is written, and its path printed on stdout)\n"
    "  --check             a dry run whose exit status says whether anything would change\n"
    "                      (0 nothing, 3 changes found)\n"
    "  --diff FILE         write every change as a unified diff to FILE (\"-\": stdout, then\n"
    "                      without the report's path), paths relative to the scenery\n"
    "                      directory: patch -p1 there applies it\n"
    "  --explain FILE      write a tab-separated table (UTF-8) of every selected object left\n"
    "                      as it is, and why (no-ground, below-band, zero-radius, ...;\n"
    "                      \"-\": stdout, then without the report's path)\n"
    "  --area X1,Z1,X2,Z2  correct only the objects standing in this rectangle (metres)\n"
    "  A comment line \"// wyrownik: pomin\" keeps the next non-empty line as it is.\n"
    "  undo                give the files of the last batch back their content from before\n"
    "                      it, inside the scenery directory wyrownik.ini names; a file\n"
    "                      changed since is left alone and reported\n"
    "  --list              with undo: list the kept batches (the last 10), undo nothing\n"
    "  config --simulator  write DIR into wyrownik.ini as the simulator's folder (the one\n"
    "                      holding the scenery folder); every other byte of the ini stays\n"
    "\n"
    "exit status: 0 batch done, 1 batch stopped on a failure, 2 start-up failed, 64 wrong usage,\n"
    "3 --check found changes;\n"
    "undo: 0 everything restored (or nothing to undo), 1 a file left alone, a refusal or a\n"
    "failure, 2 start-up failed; config: 0 written, 1 the ini cannot be written, 2 DIR refused\n";

namespace {

// A name the scenery's own files end with.
bool plik_scenerii(std::string_view nazwa) {
  for (const std::string_view koncowka : {".scn", ".scm", ".inc", ".ini"}) {
    if (nazwa.size() >= koncowka.size() &&
        rowne_bez_wielkosci(nazwa.substr(nazwa.size() - koncowka.size()), koncowka)) {
      return true;
    }
  }
  return false;
}

// The commands an option belongs to.
enum Dla : unsigned {
  dla_wysokosci = 1,
  dla_skrajni = 2,
  dla_cofniecia = 4,
  dla_konfiguracji = 8,
  dla_partii = dla_wysokosci | dla_skrajni,
  dla_kazdego = dla_partii | dla_cofniecia | dla_konfiguracji,
};

struct Przelacznik {
  std::string_view nazwa;
  unsigned dla;
  bool Opcje::*pole;
};

struct Wartosc {
  std::string_view nazwa;
  unsigned dla;
  std::string& (*pole)(Opcje&);  // where the next argument goes
};

constexpr Przelacznik przelaczniki[] = {
    {"--dry-run", dla_partii, &Opcje::na_sucho},
    {"--no-backup", dla_partii, &Opcje::bez_kopii},
    {"--no-report", dla_partii, &Opcje::bez_raportu},
    {"--list", dla_cofniecia, &Opcje::tylko_lista},
    {"--check", dla_partii, &Opcje::sprawdzenie},
};

constexpr Wartosc wartosci[] = {
    {"--program-dir", dla_kazdego,
     [](Opcje& o) -> std::string& { return o.katalog_programu.emplace(); }},
    {"--min", dla_wysokosci, [](Opcje& o) -> std::string& { return o.min; }},
    {"--max", dla_wysokosci, [](Opcje& o) -> std::string& { return o.max; }},
    {"--radius", dla_skrajni, [](Opcje& o) -> std::string& { return o.promien; }},
    {"--radius-param", dla_skrajni, [](Opcje& o) -> std::string& { return o.nr_parametru; }},
    {"--simulator", dla_konfiguracji, [](Opcje& o) -> std::string& { return o.symulator; }},
    {"--diff", dla_partii, [](Opcje& o) -> std::string& { return o.latka.emplace(); }},
    {"--explain", dla_partii, [](Opcje& o) -> std::string& { return o.wyjasnienie.emplace(); }},
    {"--area", dla_partii, [](Opcje& o) -> std::string& { return o.obszar.emplace(); }},
};

std::optional<Polecenie> polecenie(const std::string& nazwa) {
  if (nazwa == "height") return Polecenie::wysokosc;
  if (nazwa == "clearance") return Polecenie::skrajnia;
  if (nazwa == "undo") return Polecenie::cofnij;
  if (nazwa == "config") return Polecenie::konfiguracja;
  return std::nullopt;
}

unsigned dla(Polecenie p) {
  return p == Polecenie::wysokosc   ? dla_wysokosci
         : p == Polecenie::skrajnia ? dla_skrajni
         : p == Polecenie::cofnij   ? dla_cofniecia
                                    : dla_konfiguracji;
}

// The option of that name for the command, if it has one.
template <class T, std::size_t N>
const T* w_tabeli(const T (&tabela)[N], std::string_view nazwa, Polecenie p) {
  for (const T& t : tabela) {
    if (t.nazwa == nazwa && (t.dla & dla(p)) != 0) return &t;
  }
  return nullptr;
}

// What the command needs besides its options.
bool kompletne(const Opcje& o, std::string& blad) {
  const bool bez_scenerii =
      o.polecenie == Polecenie::cofnij || o.polecenie == Polecenie::konfiguracja;
  if (bez_scenerii && !o.scenerie.empty()) {
    blad = (o.polecenie == Polecenie::cofnij ? "undo" : "config") +
           std::string(" takes no scenery file");
  } else if (!bez_scenerii && o.scenerie.empty()) {
    blad = "no scenery file given";
  } else if (o.polecenie == Polecenie::konfiguracja && o.symulator.empty()) {
    blad = "config needs --simulator DIR";
  } else if (o.obszar && !czytaj_obszar(*o.obszar)) {
    blad = "--area needs four numbers X1,Z1,X2,Z2 (metres): " + *o.obszar;
  } else if (o.latka && o.latka->empty()) {
    blad = "--diff needs a file (\"-\" for standard output)";
  } else if (o.latka && plik_scenerii(*o.latka)) {
    // "--diff main.scn other.scn" forgot the patch's name: never empty a scenery file.
    blad = "--diff would overwrite a scenery file: " + *o.latka;
  } else if (o.wyjasnienie && o.wyjasnienie->empty()) {
    blad = "--explain needs a file (\"-\" for standard output)";
  } else if (o.wyjasnienie && plik_scenerii(*o.wyjasnienie)) {
    blad = "--explain would overwrite a scenery file: " + *o.wyjasnienie;
  } else if (o.wyjasnienie && o.latka && *o.wyjasnienie == *o.latka) {
    blad = "--diff and --explain need files of their own: " + *o.latka;
  }
  return blad.empty();
}

}  // namespace

std::optional<Obszar> czytaj_obszar(std::string_view tekst) {
  double v[4];
  for (std::size_t i = 0; i < 4; ++i) {
    const std::size_t przecinek = tekst.find(',');
    // A comma after each of the first three numbers, none after the last.
    if ((przecinek == std::string_view::npos) != (i == 3)) return std::nullopt;
    std::string czesc(tekst.substr(0, przecinek));
    oczysc_linie(czesc);  // spaces around a number, as the window's boxes allow
    const auto l = liczba(czesc);
    if (!l) return std::nullopt;
    v[i] = *l;
    if (i < 3) tekst.remove_prefix(przecinek + 1);
  }
  return Obszar{v[0], v[1], v[2], v[3]};
}

std::optional<Opcje> parsuj(const std::vector<std::string>& argumenty, std::string& blad) {
  blad.clear();
  Opcje o;
  if (argumenty.empty()) {
    blad = "no command given";
    return std::nullopt;
  }
  const std::string& nazwa = argumenty[0];
  if (nazwa == "--help" || nazwa == "-h" || nazwa == "help") return o;  // Polecenie::pomoc
  const auto p = polecenie(nazwa);
  if (!p) {
    blad = "unknown command: " + nazwa;
    return std::nullopt;
  }
  o.polecenie = *p;
  bool tylko_nazwy = false;  // after "--"
  for (std::size_t i = 1; i < argumenty.size(); ++i) {
    const std::string& a = argumenty[i];
    if (tylko_nazwy || a.empty() || a[0] != '-') {
      o.scenerie.push_back(a);
    } else if (a == "--") {
      tylko_nazwy = true;
    } else if (a == "--help" || a == "-h") {
      o.polecenie = Polecenie::pomoc;
      return o;
    } else if (const auto* s = w_tabeli(przelaczniki, a, *p)) {
      o.*(s->pole) = true;
    } else if (const auto* w = w_tabeli(wartosci, a, *p)) {
      if (i + 1 >= argumenty.size()) {
        blad = "option " + a + " needs a value";
        return std::nullopt;
      }
      w->pole(o) = argumenty[++i];
    } else {
      blad = "unknown option for " + nazwa + ": " + a;
      return std::nullopt;
    }
  }
  if (!kompletne(o, blad)) return std::nullopt;
  return o;
}

}  // namespace wyrownik::cli
