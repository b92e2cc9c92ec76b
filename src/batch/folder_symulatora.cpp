#include "batch/folder_symulatora.hpp"

#include <optional>
#include <string>
#include <system_error>

#include "batch/start.hpp"
#include "config/zapis_ini.hpp"
#include "platform/nazwy.hpp"
#include "platform/separator.hpp"
#include "text/kodowanie.hpp"
#include "text/linia.hpp"
#include "text/sciezki.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

// The folder as the ini spells it (Windows-1250), read back by start-up as
// this same folder; nullopt where no ini line can say it.
std::optional<std::string> tekst_w_ini(const fs::path& folder) {
  const std::string bajty = bajty_sciezki(folder);
  std::string tekst = bajty;
  if constexpr (nazwy_na_dysku_w_utf8) {
    tekst = utf8_na_cp1250(bajty).value_or(bajty);
  } else if (sciezka_z_bajtow(bajty) != folder) {
    return std::nullopt;  // a character the code page lacks became "?"
  }
  std::string czysty = tekst;
  oczysc_linie(czysty);  // as start-up reads every line of the ini
  if (czysty != tekst) return std::nullopt;
  return tekst;
}

}  // namespace

WyborFolderu ustaw_folder_symulatora(const fs::path& katalog_programu, const fs::path& folder,
                                     OperacjeSystemu& operacje) {
  std::error_code blad;
  fs::path pelny = fs::absolute(folder, blad).lexically_normal();
  if (blad) return WyborFolderu::brak_scenery;
  if (!pelny.has_filename() && pelny.has_relative_path()) pelny = pelny.parent_path();
  const auto tekst = tekst_w_ini(pelny);
  if (!tekst) return WyborFolderu::sciezka_poza_ini;
  if (!znajdz_katalog(tekst_katalogu_scenerii(*tekst))) return WyborFolderu::brak_scenery;
  zapisz_sciezke_w_ini(katalog_programu, *tekst, operacje);
  return WyborFolderu::zapisany;
}

std::string_view komunikat_wyboru(WyborFolderu wybor) {
  return wybor == WyborFolderu::sciezka_poza_ini ? komunikat::sciezka_poza_ini.widok()
                                                 : komunikat::brak_scenery.widok();
}

}  // namespace wyrownik
