// A test fixture for whole batches of one correction over "main.scn" in a
// temporary scenery directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "app/partia.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/okno_fazowe.hpp"
#include "scenery/kodowanie.hpp"

namespace wyrownik::testy {

class StanowiskoPartii : public ::testing::Test {
 protected:
  explicit StanowiskoPartii(Korekcja korekcja) : korekcja_(std::move(korekcja)) {
    std::filesystem::create_directories(k / "scenery");
    srodowisko.konfiguracja.lista_inc = {"*"};
    srodowisko.konfiguracja.lista_tekstur = {"trawa"};
    srodowisko.tekst_katalogu = (k / "scenery").string() + "/";
    srodowisko.katalog = k / "scenery";
    srodowisko.plik_logu = k / "Log_korekcja.txt";
    okno.pozycje = {"main.scn"};
    okno.zaznaczenie = {true};
  }

  WynikPartii partia() { return uruchom_partie(srodowisko, okno, korekcja_); }
  std::filesystem::path zapisz(const std::string& nazwa, std::string_view tresc) {
    return k.zapisz("scenery/" + nazwa, tresc);
  }
  std::string tresc(const std::string& nazwa) const { return wczytaj(k / "scenery" / nazwa); }
  std::string dziennik() const { return cp1250_na_utf8(wczytaj(srodowisko.plik_logu)); }
  bool jest(const char* roboczy) const { return std::filesystem::exists(k / "scenery" / roboczy); }
  std::string pelna(const std::string& wpis) const { return srodowisko.tekst_katalogu + wpis; }

  KatalogTymczasowy k;
  Srodowisko srodowisko;
  OknoFazowe okno;

 private:
  Korekcja korekcja_;
};

}  // namespace wyrownik::testy
