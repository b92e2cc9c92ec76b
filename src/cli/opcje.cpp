#include "cli/opcje.hpp"

namespace wyrownik::cli {

const char* const tekst_pomocy =
    "usage:\n"
    "  wyrownik-cli height    [--program-dir DIR] [--min TEXT] [--max TEXT] [--dry-run]\n"
    "                         [--no-backup] [--no-report] SCENERY...\n"
    "  wyrownik-cli clearance [--program-dir DIR] [--radius TEXT] [--radius-param TEXT]\n"
    "                         [--dry-run] [--no-backup] [--no-report] SCENERY...\n"
    "  wyrownik-cli undo      [--program-dir DIR] [--list]\n"
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
    "  undo                give the files of the last batch back their content from before\n"
    "                      it; a file changed since is left alone and reported\n"
    "  --list              with undo: list the kept batches (the last 10), undo nothing\n"
    "\n"
    "exit status: 0 batch done, 1 batch stopped on a failure, 2 start-up failed, 64 wrong usage;\n"
    "undo: 0 everything restored (or nothing to undo), 1 a file left alone or a failure\n";

std::optional<Opcje> parsuj(const std::vector<std::string>& argumenty, std::string& blad) {
  Opcje o;
  if (argumenty.empty()) {
    blad = "no command given";
    return std::nullopt;
  }
  const std::string& polecenie = argumenty[0];
  if (polecenie == "--help" || polecenie == "-h" || polecenie == "help") {
    o.polecenie = Polecenie::pomoc;
    return o;
  }
  if (polecenie == "height") {
    o.polecenie = Polecenie::wysokosc;
  } else if (polecenie == "clearance") {
    o.polecenie = Polecenie::skrajnia;
  } else if (polecenie == "undo") {
    o.polecenie = Polecenie::cofnij;
  } else {
    blad = "unknown command: " + polecenie;
    return std::nullopt;
  }
  bool tylko_nazwy = false;
  for (std::size_t i = 1; i < argumenty.size(); ++i) {
    const std::string& a = argumenty[i];
    if (tylko_nazwy || a.empty() || a[0] != '-') {
      o.scenerie.push_back(a);
      continue;
    }
    if (a == "--") {
      tylko_nazwy = true;
      continue;
    }
    if (a == "--help" || a == "-h") {
      o.polecenie = Polecenie::pomoc;
      return o;
    }
    const bool cofnij = o.polecenie == Polecenie::cofnij;
    if (a == "--dry-run" && !cofnij) {
      o.proba = true;
      continue;
    }
    if (a == "--no-backup" && !cofnij) {
      o.bez_kopii = true;
      continue;
    }
    if (a == "--no-report" && !cofnij) {
      o.bez_raportu = true;
      continue;
    }
    if (a == "--list" && cofnij) {
      o.tylko_lista = true;
      continue;
    }
    std::string* cel = nullptr;
    const bool wysokosc = o.polecenie == Polecenie::wysokosc;
    if (a == "--program-dir") {
      o.katalog_programu.emplace();
      cel = &*o.katalog_programu;
    } else if (cofnij) {
      blad = "unknown option for " + polecenie + ": " + a;
      return std::nullopt;
    } else if (a == "--min" && wysokosc) {
      cel = &o.min;
    } else if (a == "--max" && wysokosc) {
      cel = &o.max;
    } else if (a == "--radius" && !wysokosc) {
      cel = &o.promien;
    } else if (a == "--radius-param" && !wysokosc) {
      cel = &o.nr_parametru;
    } else {
      blad = "unknown option for " + polecenie + ": " + a;
      return std::nullopt;
    }
    if (i + 1 >= argumenty.size()) {
      blad = "option " + a + " needs a value";
      return std::nullopt;
    }
    *cel = argumenty[++i];
  }
  if (o.polecenie == Polecenie::cofnij) {
    if (!o.scenerie.empty()) {
      blad = "undo takes no scenery file";
      return std::nullopt;
    }
    return o;
  }
  if (o.scenerie.empty()) {
    blad = "no scenery file given";
    return std::nullopt;
  }
  return o;
}

}  // namespace wyrownik::cli
