// The command line of wyrownik-cli.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/przepisanie.hpp"

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
  bool na_sucho = false;     // --dry-run: no scenery file is replaced
  bool bez_kopii = false;    // --no-backup: replaced files are not kept
  bool bez_raportu = false;  // --no-report: no Log_korekcja.html
  bool tylko_lista = false;  // undo --list: the kept batches, nothing undone
  bool sprawdzenie = false;  // --check: a dry run whose status says whether anything would change
  std::optional<std::string> latka;  // --diff FILE ("-": stdout): the batch's changes as a patch
  std::optional<std::string> wyjasnienie;  // --explain FILE ("-": stdout): objects left alone
  std::optional<std::string> obszar;       // --area X1,Z1,X2,Z2: only objects inside are corrected
  std::string symulator;                   // config --simulator: the folder to write into the ini
  std::vector<std::string> scenerie;
};

// "X1,Z1,X2,Z2", four numbers; nullopt for anything else.
std::optional<Obszar> czytaj_obszar(std::string_view tekst);

// Parses argv[1..]; nullopt with `blad` set on wrong usage.
std::optional<Opcje> parsuj(const std::vector<std::string>& argumenty, std::string& blad);

extern const char* const tekst_pomocy;

}  // namespace wyrownik::cli
