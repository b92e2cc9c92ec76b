// The shortcuts of a batch: work skipped, moved to a second thread, or done
// a faster way. Each may save work, never change a byte of the outcome; a
// shortcut switched off does the same work the long way. Users never see
// these switches: the differential test turns them off to prove that they
// change nothing, and the benchmark to measure what each one buys.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/wielkosc_liter.hpp"

namespace wyrownik {

struct Skroty {
  // The rewrite does not read again a file in which the scan found no line
  // it would offer a run (a file the scan did not read is always read).
  bool pomin_pliki_bez_kandydatow = true;
  // "FAZA III" does not read a file in which the scan found no line the
  // run's reader begins at: a node for the height run, a normal track's
  // header for the clearance run (a file the scan did not read is always
  // read).
  bool pomin_pliki_bez_wezlow = true;
  // A file's copy is begun at its first change, the lines before it read
  // again; the long way keeps the lines in memory from the file's start.
  bool kopia_od_pierwszej_zmiany = true;
  // The scan reads a large file on a second thread beside the one before it.
  bool skan_na_dwoch_watkach = true;
  // "FAZA III": the height run parses a large file on a second thread, the
  // clearance run reads a large next file ahead.
  bool odczyt_na_dwoch_watkach = true;
  // The rewrite of a large file has a second thread judge half its lines.
  bool ocena_na_dwoch_watkach = true;
  // Keywords are looked for 16 bytes at a time rather than byte by byte.
  Szukanie szukanie = Szukanie::szerokie;
  // The last few triangle node headers are remembered with what they said:
  // a header of the same bytes is not searched for keywords again by the
  // scan, nor split for its texture again by the height run.
  bool naglowki_z_pamieci = true;
  // The height run's "FAZA III" takes the vertices of a triangle node's
  // first vertex lines from the scan, and passes over those lines but the
  // last, rather than read and parse them again.
  bool wierzcholki_ze_skanu = true;
  // The height run's verdicts on a block of candidate lines walk the cells
  // under all their objects at once, interleaved, rather than one after the
  // other.
  bool teren_blokami = true;
  // A directory listed to find a name in another letter case is kept for
  // the batch rather than listed again at each look-up.
  bool pamiec_katalogow = true;
  // The map report's page is written on a second thread once the batch's
  // last run has told its end, while that run deletes its scratch index;
  // the long way writes it at the batch's end. Replaced there either way.
  bool raport_z_wyprzedzeniem = true;
  // Bytes from which a file is worth a second thread: for the scan and
  // "FAZA III", and for the rewrite's judging. Tests lower them so that small
  // files take the threaded paths too.
  std::uintmax_t duzy_plik_odczytu = 1 << 20;
  std::uintmax_t duzy_plik_oceny = 256 << 10;

  // Every shortcut off: the long way everywhere.
  static constexpr Skroty zadne() {
    return {.pomin_pliki_bez_kandydatow = false,
            .pomin_pliki_bez_wezlow = false,
            .kopia_od_pierwszej_zmiany = false,
            .skan_na_dwoch_watkach = false,
            .odczyt_na_dwoch_watkach = false,
            .ocena_na_dwoch_watkach = false,
            .szukanie = Szukanie::zwykle,
            .naglowki_z_pamieci = false,
            .wierzcholki_ze_skanu = false,
            .teren_blokami = false,
            .pamiec_katalogow = false,
            .raport_z_wyprzedzeniem = false};
  }
};

// Each shortcut by name, with how to switch it off alone: the one list the
// differential test and the benchmark go through, so that a new switch is
// tested and measured once it is listed here.
struct WylaczenieSkrotu {
  std::string_view nazwa;
  void (*wylacz)(Skroty&);
};
inline constexpr WylaczenieSkrotu wylaczenia_skrotow[] = {
    {"files without candidates read", [](Skroty& s) { s.pomin_pliki_bez_kandydatow = false; }},
    {"files without nodes read", [](Skroty& s) { s.pomin_pliki_bez_wezlow = false; }},
    {"copy from the start", [](Skroty& s) { s.kopia_od_pierwszej_zmiany = false; }},
    {"scan on one thread", [](Skroty& s) { s.skan_na_dwoch_watkach = false; }},
    {"reading on one thread", [](Skroty& s) { s.odczyt_na_dwoch_watkach = false; }},
    {"judging on one thread", [](Skroty& s) { s.ocena_na_dwoch_watkach = false; }},
    {"plain keyword search", [](Skroty& s) { s.szukanie = Szukanie::zwykle; }},
    {"every header split", [](Skroty& s) { s.naglowki_z_pamieci = false; }},
    {"vertices read again", [](Skroty& s) { s.wierzcholki_ze_skanu = false; }},
    {"ground one object at a time", [](Skroty& s) { s.teren_blokami = false; }},
    {"no directory cache", [](Skroty& s) { s.pamiec_katalogow = false; }},
    {"report written at the end", [](Skroty& s) { s.raport_z_wyprzedzeniem = false; }},
};

}  // namespace wyrownik
