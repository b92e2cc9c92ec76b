// A recording batch window that runs a test's action when a phase begins:
// the moment to look at the scratch files on disk, or to spoil a file the
// run has still to read.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "pomoc/okno_testowe.hpp"

namespace wyrownik::testy {

class OknoFazowe : public OknoTestowe {
 public:
  // Label3 text ("FAZA III", "FAZA IV") -> action, run once, at the first
  // event pass after Label3 shows that text.
  std::map<std::string, std::function<void()>> przy_fazie;

  void pokaz_status(WierszStatusu w, std::string_view tekst) override {
    OknoTestowe::pokaz_status(w, tekst);
    if (w == WierszStatusu::faza) faza_ = cp1250_na_utf8(tekst);
  }
  void przetworz_zdarzenia() override {
    OknoTestowe::przetworz_zdarzenia();
    const auto it = przy_fazie.find(faza_);
    if (it == przy_fazie.end()) return;
    const auto dzialanie = std::move(it->second);
    przy_fazie.erase(it);
    dzialanie();
  }

 private:
  std::string faza_;
};

}  // namespace wyrownik::testy
