// A Postep that records what a run tells, in order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scenery/postep.hpp"

namespace wyrownik::testy {

class PostepNagrywajacy : public Postep {
 public:
  // "faza N name" for a phase (N from 1), "plik name", "koniec".
  std::vector<std::string> zdarzenia;

  void faza(Faza f, std::string_view sceneria) override {
    zdarzenia.push_back("faza " + std::to_string(static_cast<int>(f) + 1) + " " +
                        std::string(sceneria));
  }
  void plik(std::string_view nazwa) override { zdarzenia.push_back("plik " + std::string(nazwa)); }
  void koniec() override { zdarzenia.emplace_back("koniec"); }
};

}  // namespace wyrownik::testy
