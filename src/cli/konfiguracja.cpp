#include "batch/folder_symulatora.hpp"
#include "cli/polecenia.hpp"
#include "cli/teksty_cli.hpp"
#include "platform/bledy.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik::cli {

int ustaw_symulator(const std::filesystem::path& katalog_programu, const std::string& folder,
                    std::ostream& bledy, const std::atomic<int>& przerwanie,
                    OperacjeSystemu& operacje) {
  // The ini is replaced in one step: a request before it writes nothing, one
  // during it comes too late to matter.
  if (przerwanie.load() != 0) {
    bledy << tekst::program << tekst::ini_bez_zmian << '\n';
    return przerwanie.load();
  }
  try {
    const WyborFolderu wybor = ustaw_folder_symulatora(
        katalog_programu, std::filesystem::path(std::u8string(folder.begin(), folder.end())),
        operacje);
    if (wybor == WyborFolderu::zapisany) return kod_ok;
    bledy << cp1250_na_utf8(komunikat_wyboru(wybor)) << '\n';
    return kod_blad_startu;
  } catch (const BladPliku& b) {
    bledy << tekst::program << tekst::nie_zapisano_ini << b.what() << '\n';
    return kod_blad_partii;
  }
}

}  // namespace wyrownik::cli
