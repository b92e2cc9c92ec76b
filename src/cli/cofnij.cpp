#include <system_error>

#include "batch/cofniecie.hpp"
#include "cli/okno_cli.hpp"
#include "cli/polecenia.hpp"
#include "cli/teksty_cli.hpp"
#include "platform/plik_zapisu.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik::cli {

int wypisz_kopie(const std::filesystem::path& katalog_programu, std::ostream& wyjscie,
                 std::ostream& bledy, OperacjeSystemu& operacje) {
  for (const auto& k : lista_kopii(katalog_programu, operacje)) {
    wyjscie << tekst::wiersz_kopii(k, tekst_sciezki(k.katalog.filename())) << '\n';
  }
  return odpowiedz(wyjscie, bledy, kod_ok);
}

int cofnij(const std::filesystem::path& katalog_programu, const std::filesystem::path& katalog,
           std::ostream& bledy, const std::atomic<int>& przerwanie, OperacjeSystemu& operacje) {
  try {
    const WynikCofniecia w =
        cofnij_partie(katalog_programu, katalog, operacje, [&] { return przerwanie.load() != 0; });
    bledy << tekst::opis_cofniecia(w, katalog);
    if (!w.bylo_co_cofac) return kod_ok;
    if (w.odmowa != Odmowa::brak) return kod_blad_partii;
    if (w.przerwane) return przerwanie.load();
    return w.w_calosci() ? kod_ok : kod_blad_partii;
  } catch (const std::exception& e) {
    bledy << tekst::program << tekst::cofanie_przerwane << e.what() << '\n';
    return kod_blad_partii;
  }
}

}  // namespace wyrownik::cli
