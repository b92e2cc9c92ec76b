// The verdicts on a file's candidate lines, most of them worked out ahead on
// a second thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/potok.hpp"
#include "run/przepisanie.hpp"
#include "text/czytnik_linii.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

// The rewrite's candidate line: not a comment, and "include" in any case.
bool czy_kandydat(std::string_view surowa, Szukanie szukanie = Szukanie::szerokie);

// Candidate lines gathered to be judged together (ZasadyPrzepisania::
// ocen_blok), their bytes copied, since a reader's views last only to its
// next line: at most a block of them, or about 64 KiB, so that memory stays
// bounded by the longest line.
class ZebraneLinie {
 public:
  static constexpr std::size_t najwiecej_linii = 32;

  void dodaj(std::string_view surowa);
  bool pelne() const {
    return konce_.size() == najwiecej_linii || bajty_.size() >= najwiecej_bajtow;
  }
  std::size_t ile() const { return konce_.size(); }
  std::string_view linia(std::size_t i) const {
    const std::size_t od = i == 0 ? 0 : konce_[i - 1];
    return {bajty_.data() + od, konce_[i] - od};
  }

  // Judges every line gathered. A failure of the block's verdict is not
  // told here: false, and each line is to be judged alone, so that the
  // failure comes at its own line.
  bool ocen(ZasadyPrzepisania& zasady);
  OcenaLinii& ocena(std::size_t i) { return oceny_[i]; }
  void wyczysc();

 private:
  static constexpr std::size_t najwiecej_bajtow = 64 << 10;
  std::string bajty_;
  std::vector<std::size_t> konce_;  // where each line ends in bajty_
  std::vector<std::string_view> linie_;
  std::vector<OcenaLinii> oceny_;
};

// Candidates are taken in blocks; of every few blocks (the run's
// okres_oceny) a second thread reading the file on its own judges all but
// the first, which the caller judges, so both cores walk the scratch index
// at once while the caller also tells every verdict to the run's outputs and
// writes the new file. Where the run judges lines together to advantage
// (ocena_blokami), the second thread judges its lines so, and the caller
// its own, read ahead by a reader of its own. Verdicts come in file order,
// and a failure where it would have come on one thread.
class Oceny {
 public:
  // Without `wspolbiezne` (or when no thread can be started) every verdict
  // is worked out by the caller; with `blokami`, a few at once.
  Oceny(const std::filesystem::path& plik, ZasadyPrzepisania& zasady, bool wspolbiezne,
        bool blokami, Szukanie szukanie, OperacjeSystemu& operacje);

  // The verdict on the file's next candidate line, which is `surowa`.
  Werdykt ocen(std::string_view surowa, std::string& poprawiona, Pozostawienie& pozostawienie);

  // Closes the reader ahead once every verdict is taken: a file open for
  // reading cannot be replaced on Windows.
  void zamknij() noexcept {
    if (naprzod_) naprzod_->zamknij();
  }

 private:
  static constexpr std::uint64_t blok = 32;
  bool z_wyprzedzeniem(std::uint64_t nr) const { return potok_ && nr / blok % okres_ != 0; }
  // The caller's next few candidates, read ahead and judged together.
  void czytaj_naprzod();

  ZasadyPrzepisania& zasady_;
  const unsigned okres_;
  const Szukanie szukanie_;
  std::optional<Potok<OcenaLinii>> potok_;
  std::uint64_t nr_ = 0;  // candidates judged so far
  OcenaLinii ocena_;
  // The caller's reader ahead, the candidates it passed, and what it
  // gathered of the caller's: judged together (or each alone, at its turn,
  // after a failure), and how many of them handed out.
  std::optional<CzytnikLinii> naprzod_;
  std::uint64_t nr_naprzod_ = 0;
  ZebraneLinie zebrane_;
  bool zebrane_ocenione_ = false;
  std::size_t wydane_ = 0;
};

}  // namespace wyrownik
