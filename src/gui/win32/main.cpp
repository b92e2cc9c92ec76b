// The desktop program on Windows: one copy per program directory, start-up
// with its messages, then the main window.
#include <string>

#include "gui/opcje_okna.hpp"
#include "gui/start_programu.hpp"
#include "gui/win32/form1_win32.hpp"
#include "platform/konsola.hpp"
#include "platform/proces.hpp"
#include "platform/sterta.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int pokaz) {
  using namespace wyrownik;
  przygotuj_proces();
  przygotuj_sterte();
  const auto blad = [](std::string_view tekst) {
    MessageBoxW(nullptr, win32::z_utf8(tekst).c_str(), L"wyrownik", MB_OK | MB_ICONERROR);
  };
  std::string zle;
  const auto opcje = parsuj_opcje_okna(argumenty_utf8(__argc, __wargv), zle);
  if (!opcje || opcje->pomoc) {
    const std::string tekst = opcje ? uzycie_okna : "wyrownik: " + zle + "\n" + uzycie_okna;
    MessageBoxW(nullptr, win32::z_utf8(tekst).c_str(), L"wyrownik", MB_OK);
    return opcje ? 0 : 64;
  }
  const auto program = zajmij_program(*opcje, "", blad);
  if (!program.blokada) return program.kod_wyjscia;

  win32::Form1 okno;
  okno.konczy_program(true);
  okno.prezenter().uruchom(program.katalog);
  ShowWindow(okno.okno(), pokaz);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (okno.okno() != nullptr && IsDialogMessageW(okno.okno(), &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
