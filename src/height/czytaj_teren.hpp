// Reading the ground of one scenery file: triangle nodes with a ground
// texture and, when switched on, road and river tracks.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "height/tekstury_pod_obiektami.hpp"
#include "height/trojkat.hpp"
#include "height/ustawienia_wysokosci.hpp"
#include "platform/operacje_systemu.hpp"
#include "run/zdarzenia.hpp"
#include "scenery/skroty.hpp"
#include "scenery/wierzcholki_skanu.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

using OdbiorcaTrojkatow = std::function<void(const Trojkat&)>;

// Reads the file and hands every ground triangle to `dodaj_trojkat`, in file
// order. Throws BladPliku when the file cannot be read. With `rysunek`, the
// ground, the road and river strips and the visible normal tracks are also
// told to it, on the thread that reads. With `pod`, the triangles of nodes
// whose texture is not ground go to it, read from the lines as the file's
// loop reads them (never read ahead, so that they cannot change what the
// run reads): such a node ends at "endtri", at the next node a reader reads
// on, or at the file's end. With `braki`, a road or river the settings take
// for ground that gives no strip goes to it. With `wierzcholki`, the
// vertex lines the scan kept for this file are taken from it rather than
// read. The file is read through `operacje`, with the shortcuts `skroty`
// allows.
void czytaj_teren(const std::filesystem::path& plik, const UstawieniaWysokosci& ustawienia,
                  const OdbiorcaTrojkatow& dodaj_trojkat, Sluchacz* rysunek, const Skroty& skroty,
                  OperacjeSystemu& operacje, TeksturyPodObiektami* pod = nullptr,
                  const OdbiorcaBrakow* braki = nullptr,
                  WierzcholkiSkanu::Kursor* wierzcholki = nullptr);

// Whether a triangle node's texture counts as ground: the name, reduced to
// the part after its last "/" or "\", begins with one of the prefixes
// (without regard to case; the first matching prefix decides).
bool czy_tekstura_terenu(std::string_view tekstura, const std::vector<std::string>& lista_tekstur);

}  // namespace wyrownik
