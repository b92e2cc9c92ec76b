// A Postep that records the status lines and event passes, in order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scenery/kodowanie.hpp"
#include "scenery/postep.hpp"

namespace wyrownik::testy {

class PostepNagrywajacy : public Postep {
 public:
  // "Label2=text" (UTF-8) for each status change, "events" for each pass.
  std::vector<std::string> zdarzenia;

  void pokaz(Etykieta e, std::string_view tekst) override {
    const char* nazwa = e == Etykieta::label2   ? "Label2"
                        : e == Etykieta::label3 ? "Label3"
                                                : "Label4";
    zdarzenia.push_back(std::string(nazwa) + "=" + cp1250_na_utf8(tekst));
  }
  void przetworz_zdarzenia() override { zdarzenia.emplace_back("events"); }
};

}  // namespace wyrownik::testy
