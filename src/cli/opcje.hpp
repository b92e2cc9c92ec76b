// The command line of wyrownik-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wyrownik::cli {

enum class Polecenie { wysokosc, skrajnia, cofnij, konfiguracja, pomoc };

struct Opcje {
  Polecenie polecenie = Polecenie::pomoc;
  std::optional<std::string> katalog_programu;  // default: the executable's directory
  // The texts of the four number boxes, read exactly as the window's boxes are.
  std::string min = "0.5";
  std::string max = "11";
  std::string promien = "40";
  std::string nr_parametru = "7";
  bool proba = false;        // --dry-run: no scenery file is replaced
  bool bez_kopii = false;    // --no-backup: replaced files are not kept
  bool bez_raportu = false;  // --no-report: no Log_korekcja.html
  bool tylko_lista = false;  // undo --list: the kept batches, nothing undone
  std::string symulator;     // config --simulator: the folder to write into the ini
  std::vector<std::string> scenerie;
};

// Parses argv[1..]; nullopt with `blad` set on wrong usage.
std::optional<Opcje> parsuj(const std::vector<std::string>& argumenty, std::string& blad);

extern const char* const tekst_pomocy;

}  // namespace wyrownik::cli
