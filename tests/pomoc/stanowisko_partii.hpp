// A test fixture for whole batches of one correction over "main.scn" in a
// temporary scenery directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "batch/partia.hpp"
#include "pomoc/awarie_systemu.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/okno_fazowe.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik::testy {

class StanowiskoPartii : public ::testing::Test {
 protected:
  using Rodzaj = RodzajPrzebiegu;

  explicit StanowiskoPartii(Rodzaj rodzaj) : rodzaj_(rodzaj) {
    std::filesystem::create_directories(k / "scenery");
    srodowisko.konfiguracja.lista_inc = {"*"};
    srodowisko.konfiguracja.lista_tekstur = {"trawa"};
    srodowisko.tekst_katalogu = (k / "scenery").string() + "/";
    srodowisko.katalog = k / "scenery";
    srodowisko.zapis.plik_logu = k / "Log_korekcja.txt";
    srodowisko.katalog_programu = k.sciezka();
    okno.pozycje = {"main.scn"};
    okno.zaznaczenie = {true};
  }

  // A whole batch as a front end runs it, the correction taking the texts
  // of its boxes at the start.
  WynikPartii partia() {
    const Korekcja korekcja =
        rodzaj_ == Rodzaj::wysokosc
            ? korekcja_wysokosci(srodowisko.konfiguracja, dolna, gorna)
            : korekcja_skrajni(srodowisko.konfiguracja, promien, nr_parametru);
    return wyrownik::partia(srodowisko, okno, korekcja, [] { return 0; });
  }
  std::filesystem::path zapisz(const std::string& nazwa, std::string_view tresc) {
    return k.zapisz("scenery/" + nazwa, tresc);
  }
  std::string tresc(const std::string& nazwa) const { return wczytaj(k / "scenery" / nazwa); }
  std::string dziennik() const { return cp1250_na_utf8(wczytaj(srodowisko.zapis.plik_logu)); }
  bool jest(const char* roboczy) const { return std::filesystem::exists(k / "scenery" / roboczy); }
  std::string pelna(const std::string& wpis) const { return srodowisko.tekst_katalogu + wpis; }

  KatalogTymczasowy k;
  // System calls a test may fail, once it hands them to the batch.
  OperacjeZAwariami operacje_;
  Awarie& awarie_ = operacje_.awarie;
  Srodowisko srodowisko;
  OknoFazowe okno;
  // The texts of the four number boxes.
  std::string dolna = "0.5", gorna = "11", promien = "40", nr_parametru = "7";

 private:
  Rodzaj rodzaj_;
};

}  // namespace wyrownik::testy
