#include <system_error>

#include "batch/cofniecie.hpp"
#include "cli/okno_cli.hpp"
#include "cli/polecenia.hpp"
#include "platform/plik_zapisu.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik::cli {

namespace {

// What undo left alone, and why the whole batch was refused: the command
// line's words for an undo's outcome, all here.
const char* opis(Pominiecie p) {
  switch (p) {
    case Pominiecie::zmieniony:
      return "changed since the batch";
    case Pominiecie::brak_pliku:
      return "gone since the batch";
    case Pominiecie::poza_scenerie:
      return "the manifest names it outside the scenery directory";
    case Pominiecie::zmieniona_kopia:
      return "its kept copy no longer holds the file from before the batch";
    case Pominiecie::blad_odczytu:
      return "it or its kept copy cannot be read";
  }
  return "";
}

void wypisz_odmowe(const WynikCofniecia& w, const std::filesystem::path& katalog,
                   std::ostream& bledy) {
  bledy << "wyrownik-cli: undo refused, nothing restored: ";
  switch (w.odmowa) {
    case Odmowa::nieczytelny_spis:
      bledy << "the manifest of the newest backup " << tekst_sciezki(w.folder)
            << " cannot be read (remove that folder to undo older batches)";
      break;
    case Odmowa::brak_katalogu:
      bledy << "the manifest of " << tekst_sciezki(w.folder)
            << " does not say which scenery directory its batch worked in";
      break;
    case Odmowa::inny_katalog:
      bledy << "the batch of " << w.czas << " worked in " << tekst_sciezki(w.katalog_partii)
            << ", the scenery directory configured now is " << tekst_sciezki(katalog);
      break;
    case Odmowa::brak:
      break;
  }
  bledy << '\n';
}

}  // namespace

int wypisz_kopie(const std::filesystem::path& katalog_programu, std::ostream& wyjscie,
                 std::ostream& bledy, OperacjeSystemu& operacje) {
  for (const auto& k : lista_kopii(katalog_programu, operacje)) {
    if (!k.czytelny) {
      wyjscie << tekst_sciezki(k.katalog.filename()) << "  manifest unreadable\n";
      continue;
    }
    wyjscie << k.czas << "  " << k.ile_plikow << " file(s)";
    if (k.ile_przywroconych > 0) wyjscie << ", " << k.ile_przywroconych << " restored";
    if (k.uszkodzone > 0) wyjscie << ", " << k.uszkodzone << " damaged record(s)";
    wyjscie << "  " << cp1250_na_utf8(k.ustawienia) << '\n';
  }
  return odpowiedz(wyjscie, bledy, kod_ok);
}

int cofnij(const std::filesystem::path& katalog_programu, const std::filesystem::path& katalog,
           std::ostream& bledy, const std::atomic<int>& przerwanie, OperacjeSystemu& operacje) {
  try {
    const WynikCofniecia w =
        cofnij_partie(katalog_programu, katalog, operacje, [&] { return przerwanie.load() != 0; });
    for (const auto& o : w.ostrzezenia) bledy << "wyrownik-cli: warning: " << o << '\n';
    if (!w.bylo_co_cofac) {
      bledy << "wyrownik-cli: nothing to undo\n";
      return kod_ok;
    }
    if (w.odmowa != Odmowa::brak) {
      wypisz_odmowe(w, katalog, bledy);
      return kod_blad_partii;
    }
    bledy << "undone the batch of " << w.czas << ": " << w.przywrocone.size()
          << " file(s) restored\n";
    for (const auto& p : w.pominiete) {
      bledy << "left alone (" << opis(p.powod)
            << "): " << (p.plik.empty() ? cp1250_na_utf8(p.nazwa) : tekst_sciezki(p.plik)) << '\n';
    }
    if (w.uszkodzone > 0) {
      bledy << w.uszkodzone
            << " damaged record(s) in the manifest: a file they named, if any, was not restored\n";
    }
    if (w.przerwane) {
      bledy << "wyrownik-cli: interrupted: the undo stopped before its end; undo again to "
               "restore the rest of the batch\n";
      return przerwanie.load();
    }
    return w.w_calosci() ? kod_ok : kod_blad_partii;
  } catch (const std::exception& e) {
    bledy << "wyrownik-cli: undo stopped: " << e.what() << '\n';
    return kod_blad_partii;
  }
}

}  // namespace wyrownik::cli
