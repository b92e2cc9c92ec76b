// A batch window that records what the core asks of it, for tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "batch/partia.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik::testy {

class OknoTestowe : public OknoPartii {
 public:
  std::vector<std::string> pozycje;
  std::vector<bool> zaznaczenie;
  // Everything asked of the window, in order, as readable UTF-8 lines; the
  // status lines under the names of the main window's labels.
  std::vector<std::string> zdarzenia;
  std::vector<std::string> komunikaty;
  std::vector<std::string> szczegoly;
  std::vector<std::string> ostrzezenia;
  bool zamkniete = false;

  void pokaz_status(WierszStatusu w, std::string_view tekst) override {
    const char* nazwa = w == WierszStatusu::sceneria ? "Label2"
                        : w == WierszStatusu::faza   ? "Label3"
                                                     : "Label4";
    zdarzenia.push_back(std::string(nazwa) + "=" + cp1250_na_utf8(tekst));
  }
  void przetworz_zdarzenia() override { zdarzenia.emplace_back("events"); }
  bool przerwac() const override { return zamkniete; }
  void pokaz_komunikat(std::string_view tekst) override {
    komunikaty.push_back(cp1250_na_utf8(tekst));
    zdarzenia.push_back("message=" + cp1250_na_utf8(tekst));
  }
  void szczegoly_bledu(std::string_view opis) override { szczegoly.emplace_back(opis); }
  void ostrzezenie(std::string_view tekst) override { ostrzezenia.emplace_back(tekst); }
  void brak_raportu(std::string_view powod) override {
    zdarzenia.push_back("no report=" + std::string(powod));
  }
  std::size_t ile_pozycji() const override { return pozycje.size(); }
  bool zaznaczona(std::size_t i) const override { return i < zaznaczenie.size() && zaznaczenie[i]; }
  std::string pozycja(std::size_t i) const override { return pozycje[i]; }

  // Only the events whose text starts with `poczatek`.
  std::vector<std::string> tylko(const std::string& poczatek) const {
    std::vector<std::string> w;
    for (const auto& z : zdarzenia) {
      if (z.rfind(poczatek, 0) == 0) w.push_back(z);
    }
    return w;
  }
};

}  // namespace wyrownik::testy
