// The desktop program on Windows: one copy per program directory, start-up
// with its messages, then the main window.
#include <optional>
#include <string>
#include <vector>

#include "batch/start.hpp"
#include "gui/opcje_okna.hpp"
#include "gui/win32/form1_win32.hpp"
#include "gui/win32/przebiegi_win32.hpp"
#include "platform/bledy.hpp"
#include "platform/blokada.hpp"
#include "platform/katalog_programu.hpp"
#include "platform/konsola.hpp"
#include "platform/proces.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int pokaz) {
  using namespace wyrownik;
  przygotuj_proces();
  std::string blad;
  const auto opcje = parsuj_opcje_okna(argumenty_utf8(__argc, __wargv), blad);
  if (!opcje || opcje->pomoc) {
    const std::wstring tekst =
        win32::z_utf8(opcje ? uzycie_okna : "wyrownik: " + blad + "\n" + uzycie_okna);
    MessageBoxW(nullptr, tekst.c_str(), L"wyrownik", MB_OK);
    return opcje ? 0 : 64;
  }
  std::filesystem::path katalog;
  try {
    katalog = opcje->katalog_programu
                  ? std::filesystem::path(std::u8string(opcje->katalog_programu->begin(),
                                                        opcje->katalog_programu->end()))
                  : katalog_programu("");
  } catch (const BladPliku& b) {
    MessageBoxW(nullptr, win32::z_cp1250(b.what()).c_str(), L"wyrownik", MB_OK | MB_ICONERROR);
    return 1;
  }

  std::optional<Blokada> blokada;
  try {
    blokada = Blokada::zajmij(katalog);
  } catch (const BladPliku& b) {
    // Without the lock two copies could share the log and the scratch
    // files: better not to start.
    const std::wstring tekst =
        win32::z_utf8("Nie można sprawdzić, czy program już działa.\n") + win32::z_cp1250(b.what());
    MessageBoxW(nullptr, tekst.c_str(), L"wyrownik", MB_OK | MB_ICONERROR);
    return 1;
  }
  // Another copy works in this program directory: end silently.
  if (!blokada) return 0;

  win32::Form1 okno;
  okno.konczy_program(true);
  const WynikStartu start = wykonaj_start(katalog, okno);
  if (start.stan == StanStartu::gotowy) win32::polacz_przebiegi(okno, srodowisko_ze_startu(start));
  ShowWindow(okno.okno(), pokaz);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (okno.okno() != nullptr && IsDialogMessageW(okno.okno(), &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
