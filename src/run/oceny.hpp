// The verdicts on a file's candidate lines, most of them worked out ahead on
// a second thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/potok.hpp"
#include "run/przepisanie.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

// The rewrite's candidate line: not a comment, and "include" in any case.
bool czy_kandydat(std::string_view surowa, Szukanie szukanie = Szukanie::szerokie);

// Candidates are taken in blocks; of every few blocks (the run's
// okres_oceny) a second thread reading the file on its own judges all but
// the first, which the caller judges, so both cores walk the scratch index
// at once while the caller also tells every verdict to the run's outputs and
// writes the new file. Verdicts come in file order, and a failure where it
// would have come on one thread.
class Oceny {
 public:
  // Without `wspolbiezne` (or when no thread can be started) every verdict
  // is worked out by the caller.
  Oceny(const std::filesystem::path& plik, ZasadyPrzepisania& zasady, bool wspolbiezne,
        Szukanie szukanie, OperacjeSystemu& operacje);

  // The verdict on the file's next candidate line, which is `surowa`.
  Werdykt ocen(std::string_view surowa, std::string& poprawiona, Pozostawienie& pozostawienie);

 private:
  struct Ocena {
    Werdykt werdykt = Werdykt::zostaw;
    std::string poprawiona;
    Pozostawienie pozostawienie;
  };

  static constexpr std::uint64_t blok = 32;
  bool z_wyprzedzeniem(std::uint64_t nr) const { return nr / blok % okres_ != 0; }

  ZasadyPrzepisania& zasady_;
  const unsigned okres_;
  std::optional<Potok<Ocena>> potok_;
  std::uint64_t nr_ = 0;  // candidates judged so far
  Ocena ocena_;
};

}  // namespace wyrownik
