#include "cli/uruchom.hpp"

#include <optional>
#include <system_error>

#include "batch/start.hpp"
#include "cli/okno_cli.hpp"
#include "cli/opcje.hpp"
#include "cli/polecenia.hpp"
#include "cli/teksty_cli.hpp"
#include "platform/bledy.hpp"
#include "platform/blokada.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik::cli {

// Output that is the answer (help, the list of backups): when it cannot be
// written, the command failed.
int odpowiedz(std::ostream& wyjscie, std::ostream& bledy, int kod) {
  if (wyjscie.flush()) return kod;
  bledy << tekst::program << tekst::brak_stdout << '\n';
  return kod == kod_ok ? kod_blad_partii : kod;
}

namespace {

// Start-up on a terminal: messages to stderr; there are no inputs to disable.
class OknoStartuCli : public OknoStartu {
 public:
  explicit OknoStartuCli(std::ostream& bledy) : bledy_(bledy) {}
  void pokaz_komunikat(std::string_view tekst) override { bledy_ << cp1250_na_utf8(tekst) << '\n'; }
  void wylacz_wejscia() override {}
  void wskaz_katalog(const std::filesystem::path&) override {}

 private:
  std::ostream& bledy_;
};

// The program directory, absolute; nullopt with the reason told.
std::optional<std::filesystem::path> katalog_programu(const Opcje& opcje,
                                                      const std::filesystem::path& domyslny,
                                                      std::ostream& bledy) {
  if (!opcje.katalog_programu && domyslny.empty()) {
    bledy << tekst::program << tekst::brak_katalogu_programu << '\n';
    return std::nullopt;
  }
  std::error_code blad;
  auto katalog = std::filesystem::absolute(
      opcje.katalog_programu ? std::filesystem::path(std::u8string(opcje.katalog_programu->begin(),
                                                                   opcje.katalog_programu->end()))
                             : domyslny,
      blad);
  if (blad) {
    bledy << tekst::program << tekst::zly_katalog_programu << blad.message() << '\n';
    return std::nullopt;
  }
  return katalog;
}

// The program directory's lock, as the window takes it; nullopt with the
// reason told.
std::optional<Blokada> zajmij_program(const std::filesystem::path& katalog, std::ostream& bledy) {
  try {
    auto blokada = Blokada::zajmij(katalog);
    if (!blokada) {
      bledy << tekst::program << tekst::inny_egzemplarz << tekst_sciezki(katalog) << '\n';
    }
    return blokada;
  } catch (const BladPliku& b) {
    bledy << tekst::program << b.what() << '\n';
    return std::nullopt;
  }
}

}  // namespace

int uruchom(const std::vector<std::string>& argumenty,
            const std::filesystem::path& katalog_domyslny, std::ostream& wyjscie,
            std::ostream& bledy, const std::atomic<int>& przerwanie) {
  std::string blad;
  const auto opcje = parsuj(argumenty, blad);
  if (!opcje) {
    bledy << tekst::program << blad << "\n\n" << tekst_pomocy;
    return kod_uzycie;
  }
  if (opcje->polecenie == Polecenie::pomoc) {
    wyjscie << tekst_pomocy;
    return odpowiedz(wyjscie, bledy, kod_ok);
  }
  // Every file from here on is read and written through the system's calls.
  OperacjeSystemu& operacje = operacje_systemowe();
  const auto katalog = katalog_programu(*opcje, katalog_domyslny, bledy);
  if (!katalog) return kod_blad_startu;
  const auto blokada = zajmij_program(*katalog, bledy);
  if (!blokada) return kod_blad_startu;
  if (opcje->polecenie == Polecenie::cofnij && opcje->tylko_lista) {
    return wypisz_kopie(*katalog, wyjscie, bledy, operacje);
  }
  if (opcje->polecenie == Polecenie::konfiguracja) {
    return ustaw_symulator(*katalog, opcje->symulator, bledy, przerwanie, operacje);
  }

  // Undo too writes only inside the scenery directory the ini names now.
  OknoStartuCli okno_startu(bledy);
  const WynikStartu start = wykonaj_start(*katalog, okno_startu, operacje);
  if (start.stan != StanStartu::gotowy) return kod_blad_startu;
  if (opcje->polecenie == Polecenie::cofnij) {
    return cofnij(*katalog, *start.katalog_scenerii, bledy, przerwanie, operacje);
  }
  return polecenie_partii(*opcje, start, wyjscie, bledy, przerwanie);
}

}  // namespace wyrownik::cli
