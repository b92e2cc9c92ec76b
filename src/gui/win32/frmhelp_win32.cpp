// The help window: the instruction text in a read-only box, modal over the
// main window, at the size of the screen's work area.
#include "gui/tekst_pomocy.hpp"
#include "gui/win32/form1_win32.hpp"

namespace wyrownik::win32 {

void Form1::pokaz_pomoc(const std::function<void(HWND)>& po_otwarciu) {
  if (pomoc_ != nullptr) return;
  const HINSTANCE program = GetModuleHandleW(nullptr);
  // Opened at the size of the work area (the screen less the taskbar) of
  // the screen the main window is on, at its top-left corner.
  MONITORINFO ekran{};
  ekran.cbSize = sizeof(ekran);
  RECT obszar{0, 0, piksele(szerokosc_pomocy), piksele(wysokosc_pomocy)};
  if (GetMonitorInfoW(MonitorFromWindow(okno_, MONITOR_DEFAULTTONEAREST), &ekran)) {
    obszar = ekran.rcWork;
  }
  pomoc_ = CreateWindowExW(0, klasa_pomocy, z_utf8(tytul_pomocy).c_str(),
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, obszar.left, obszar.top,
                           obszar.right - obszar.left, obszar.bottom - obszar.top, okno_, nullptr,
                           program, this);
  const HWND tekst =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", z_cp1250(tekst_pomocy).c_str(),
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                          ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                      piksele(margines_pomocy), piksele(margines_pomocy),
                      piksele(szerokosc_tekstu_pomocy), piksele(wysokosc_tekstu_pomocy), pomoc_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(1)), program, nullptr);
  // Its own font: the main window's go when it moves to another density.
  const HFONT czcionka_pomocy = utworz_czcionke(punkty_pomocy, false);
  SendMessageW(tekst, WM_SETFONT, reinterpret_cast<WPARAM>(czcionka_pomocy), TRUE);
  RECT klient;
  GetClientRect(pomoc_, &klient);
  SendMessageW(pomoc_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(klient.right, klient.bottom));
  ShowWindow(pomoc_, SW_SHOW);
  // Modal: the main window takes no input until the help is closed; a
  // batch that is working waits meanwhile.
  EnableWindow(okno_, FALSE);
  if (po_otwarciu) po_otwarciu(pomoc_);
  MSG m;
  while (IsWindow(pomoc_)) {
    if (GetMessageW(&m, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(m.wParam));  // for the main loop
      DestroyWindow(pomoc_);
      break;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  DeleteObject(czcionka_pomocy);
  pomoc_ = nullptr;
  EnableWindow(okno_, TRUE);
  if (!prezenter_.zamkniete()) SetActiveWindow(okno_);
}

}  // namespace wyrownik::win32
