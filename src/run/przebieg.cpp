#include "run/przebieg.hpp"

#include <exception>
#include <optional>

#include "platform/plik_zapisu.hpp"
#include "run/pliki_fazy.hpp"

namespace wyrownik {

namespace {

// The next file the run reads after entry `nr`, for reading ahead. A name
// that cannot be looked up now is no file to read ahead: its failure is told
// in its turn.
std::optional<std::filesystem::path> nastepny_plik(const StanScenerii& stan,
                                                   const Przebieg& przebieg, std::size_t nr) {
  while (++nr < stan.lista_plikow.size() && !przebieg.czyta(nr)) {
  }
  try {
    return plik_listy(stan, nr);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

void wykonaj_przebieg(const StanScenerii& stan, Przebieg& przebieg,
                      const KontekstPrzebiegu& kontekst, Postep& postep) {
  postep.faza(Faza::indeks, stan.nazwa_scenerii);
  przebieg.zaloz_indeks();
  // A copy left by a batch that crashed: the rewrite makes its own only for a
  // file with a change, so nothing else would ever remove it.
  usun_pozostalosc(stan.katalog / std::string(nazwa_kopii_roboczej));
  Sluchacz& sluchacz = *kontekst.sluchacz;
  sluchacz.poczatek_scenerii(stan);
  LicznikiPrzebiegu liczniki;
  try {
    dla_plikow_fazy(stan, Faza::odczyt, postep,
                    [&](std::size_t nr, std::string_view wpis, const std::filesystem::path& plik) {
                      if (przebieg.czyta(nr))
                        przebieg.czytaj(nr, wpis, plik, nastepny_plik(stan, przebieg, nr));
                    });
    przepisz_scenerie(stan, przebieg, kontekst, liczniki, postep);
    sluchacz.koniec_scenerii(stan, liczniki);
  } catch (const Przerwanie&) {
    // Stopped between two files: the counts are those of the files done.
    sluchacz.przerwanie_scenerii(liczniki, /*na_prosbe=*/true);
    throw;
  } catch (...) {
    sluchacz.przerwanie_scenerii(liczniki, /*na_prosbe=*/false);
    throw;
  }
  przebieg.usun_indeks();
  postep.koniec();
}

}  // namespace wyrownik
