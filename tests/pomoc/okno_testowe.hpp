// A batch window that records what the core asks of it, for tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/partia.hpp"
#include "scenery/kodowanie.hpp"

namespace wyrownik::testy {

class OknoTestowe : public OknoPartii {
 public:
  std::vector<std::string> pozycje;
  std::vector<bool> zaznaczenie;
  std::map<Pole, std::string> teksty{
      {Pole::text1, "0.5"}, {Pole::text2, "11"}, {Pole::text3, "40"}, {Pole::text4, "7"}};
  // Everything asked of the window, in order, as readable UTF-8 lines.
  std::vector<std::string> zdarzenia;
  std::vector<std::string> komunikaty;
  bool zamkniete = false;

  void pokaz(Etykieta e, std::string_view tekst) override {
    const char* nazwa = e == Etykieta::label2   ? "Label2"
                        : e == Etykieta::label3 ? "Label3"
                                                : "Label4";
    zdarzenia.push_back(std::string(nazwa) + "=" + cp1250_na_utf8(tekst));
  }
  void przetworz_zdarzenia() override { zdarzenia.emplace_back("events"); }
  bool przerwac() const override { return zamkniete; }
  void pokaz_komunikat(std::string_view tekst) override {
    komunikaty.push_back(cp1250_na_utf8(tekst));
    zdarzenia.push_back("message=" + cp1250_na_utf8(tekst));
  }
  std::size_t ile_pozycji() const override { return pozycje.size(); }
  bool zaznaczona(std::size_t i) const override { return i < zaznaczenie.size() && zaznaczenie[i]; }
  std::string pozycja(std::size_t i) const override { return pozycje[i]; }
  std::string tekst(Pole pole) const override { return teksty.at(pole); }
  void wlacz(Wejscie w, bool wlaczone) override {
    static const char* nazwy[] = {"Text1", "Text2",    "Text3",   "Text4",
                                  "File1", "Command1", "Command2"};
    zdarzenia.push_back(std::string(wlaczone ? "enable " : "disable ") +
                        nazwy[static_cast<int>(w)]);
  }
  void kursor_zajety(bool zajety) override { zdarzenia.emplace_back(zajety ? "busy" : "normal"); }

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
