// The correction log: every changed and removed line of a run and the
// summary of each scenery, Windows-1250 text with CR LF line ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "backup/pominiecie.hpp"
#include "platform/plik_zapisu.hpp"

namespace wyrownik {

// The log's name, in the program directory.
inline constexpr std::string_view nazwa_logu = "Log_korekcja.txt";

// Entries are kept in a buffer; every write is checked when the buffer goes
// out (oproznij, zamknij), and any failure throws BladPliku. Lines are stored
// as given: raw lines keep their bytes, paths and names are the scenery's own
// Windows-1250 text.
class Dziennik {
 public:
  // Opens the log for appending; throws BladPliku when it cannot.
  explicit Dziennik(const std::filesystem::path& plik_logu, OperacjeSystemu& operacje);
  // On the failure path (not closed) writes out what it still holds, quietly:
  // the changes already made to scenery files stay on record.
  ~Dziennik();
  Dziennik(const Dziennik&) = delete;
  Dziennik& operator=(const Dziennik&) = delete;

  // A line corrected by the height run (6 lines, the first naming the scenery).
  void zmiana_wysokosci(std::string_view nazwa_scenerii, std::string_view pelna_sciezka,
                        std::string_view przed, std::string_view po);
  // A line corrected by the clearance run (6 lines).
  void zmiana_polozenia(std::string_view pelna_sciezka, std::string_view przed,
                        std::string_view po);
  // A line removed by the clearance run (4 lines).
  void usuniecie(std::string_view pelna_sciezka, std::string_view linia);
  // The end of a scenery: 2 lines for the height run, 3 with the removals for
  // the clearance run; no empty line follows.
  void podsumowanie(std::string_view nazwa_scenerii, std::uint64_t ile_zmian);
  void podsumowanie(std::string_view nazwa_scenerii, std::uint64_t ile_zmian,
                    std::uint64_t ile_usunietych);

  // After the entries of a file whose replacement was abandoned (the batch
  // stopped inside it): the file stayed as it was (one line).
  void bez_zmian(std::string_view pelna_sciezka);

  // An undo: a file given back its content from before the batch, or one
  // left alone, with the reason (one line each).
  void przywrocenie(std::string_view pelna_sciezka);
  void pominiecie(std::string_view pelna_sciezka, Pominiecie powod = Pominiecie::zmieniony);

  // Writes out the entries held so far; with `na_dysk` also waits until they
  // are on disk.
  void oproznij(bool na_dysk = false);
  // Writes out and closes; the log takes no further entries.
  void zamknij();

 private:
  // One line of the log from up to four pieces, and a change's five lines.
  void linia(std::string_view a, std::string_view b = {}, std::string_view c = {},
             std::string_view d = {});
  void zmiana(std::string_view przed, std::string_view po);
  template <typename F>
  void pilnuj(F&& dzialanie);

  PlikZapisu plik_;
  bool zawiodl_ = false;  // a write failed: a retry would repeat bytes already out
};

}  // namespace wyrownik
