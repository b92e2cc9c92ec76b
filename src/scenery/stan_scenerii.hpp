// What the phases of one scenery share: the directory, the file list and the
// extents.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "geometry/zakres.hpp"
#include "scenery/polozenia_obiektow.hpp"
#include "scenery/skroty.hpp"
#include "scenery/wierzcholki_skanu.hpp"
#include "text/sciezki.hpp"

namespace wyrownik {

// A line this long (bytes) makes a file one to rewrite on one thread.
inline constexpr std::size_t dluga_linia = 1 << 20;

struct StanScenerii {
  // The scenery directory as text (`sciezka_scenerii`: root, separator,
  // "scenery", separator), used for the full paths in the log.
  std::string tekst_katalogu;
  // The same directory as found on disk (letter case resolved).
  std::filesystem::path katalog;
  // The main file as the file list shows it.
  std::string nazwa_scenerii;
  // Every file of the scenery relative to the directory, "\" between
  // components, main file first, at most 65536 names, none empty.
  std::vector<std::string> lista_plikow;
  Zakres zakres;
  // Per entry of the list, as the scan found it: whether the file holds a
  // line the rewrite offers the run (not "//" at its start, "include" in it)
  // or a marker, which the rewrite checks.
  // A file without one cannot change and is not read again. A file the scan
  // did not read (hidden, missing) counts as holding one. Empty, or shorter
  // than the list: every file is read.
  std::vector<char> ma_kandydatow;
  // Per entry, as the scan found it: whether the file holds a line longer
  // than dluga_linia. Such a file is rewritten on one thread: a second
  // reader would hold the line too, and judging its few lines on two
  // threads gains nothing. Shorter than the list: not known, not long.
  std::vector<char> ma_dluga_linie;
  // With szukaj_torow, per entry as the scan found it: whether the file holds
  // a line (not "//" at its start) with "node", "track" and "normal" in it,
  // the only lines the clearance run reads in "FAZA III". A file the scan
  // did not read counts as holding one. Shorter than the list: not known.
  bool szukaj_torow = false;
  std::vector<char> ma_tory;
  // Per entry, as the scan found it: whether the file holds a line (not "//"
  // at its start) with "node" in it, where every reader of the height run
  // begins. A file the scan did not read counts as holding one. Shorter
  // than the list: not known.
  std::vector<char> ma_wezly;
  // The directories listed to find names in another letter case, each once
  // per batch (a cache; the phases only read names through it).
  mutable PamiecKatalogow katalogi;
  Skroty skroty;
  // With zbieraj_polozenia, the scan keeps where every object line it reads
  // places its object, so that the height run can tell what lies under an
  // object the ground does not reach. Off, it stays empty. Files read on two
  // threads add theirs in blocks as they come: the order is not the files'.
  bool zbieraj_polozenia = false;
  PolozeniaObiektow polozenia;
  // With zbieraj_wierzcholki, the scan keeps the vertex lines it parsed at
  // the start of each triangle node, for the height run to take rather than
  // read again. Like the other facts of the scan, they hold while no file
  // changes during the run.
  bool zbieraj_wierzcholki = false;
  WierzcholkiSkanu wierzcholki;

  // Where look-ups keep their listings: none with that shortcut off.
  PamiecKatalogow* pamiec_katalogow() const {
    return skroty.pamiec_katalogow ? &katalogi : nullptr;
  }
};

}  // namespace wyrownik
