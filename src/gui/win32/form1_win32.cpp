#include "gui/win32/form1_win32.hpp"

#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "gui/dopasowanie.hpp"
#include "gui/twipy.hpp"

namespace wyrownik::win32 {

namespace {

constexpr int pierwszy_id = 100;

// The system's control for each kind of the table, in the order of its
// enumeration.
struct KlasaKontrolki {
  const wchar_t* klasa;
  DWORD styl, rozszerzony;
};
constexpr KlasaKontrolki klasy[] = {
    {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE},
    {L"BUTTON", BS_GROUPBOX, 0},
    {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0},
    {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0},
    {L"STATIC", SS_LEFT | SS_NOPREFIX, 0},
    {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0},
};
static_assert(static_cast<std::size_t>(RodzajKontrolki::pole_wyboru) + 1 == std::size(klasy));

// Multi-line texts of the table end their lines with "\n"; Win32 controls
// want CR LF.
std::wstring tekst_kontrolki(std::string_view utf8) {
  std::wstring w;
  for (const wchar_t c : z_utf8(utf8)) {
    if (c == L'\n') w += L'\r';
    w += c;
  }
  return w;
}

std::wstring tekst_okna(HWND h) {
  std::wstring w(static_cast<std::size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  w.resize(static_cast<std::size_t>(GetWindowTextW(h, w.data(), static_cast<int>(w.size()))));
  return w;
}

// A function of user32 that older systems lack; null there.
template <class Funkcja>
Funkcja z_user32(const char* nazwa) {
  return reinterpret_cast<Funkcja>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), nazwa)));
}

bool miesci_sie(const MiejsceTekstu& m, std::string_view utf8, HWND h, HFONT f) {
  const HDC dc = GetDC(h);
  const HGDIOBJ stara = SelectObject(dc, f);
  const std::wstring tekst = tekst_kontrolki(utf8);
  RECT r{0, 0, m.szerokosc, 0};
  DrawTextW(dc, tekst.c_str(), static_cast<int>(tekst.size()), &r, DT_CALCRECT | m.flagi);
  SelectObject(dc, stara);
  ReleaseDC(h, dc);
  return r.right <= m.szerokosc && r.bottom <= m.wysokosc;
}

}  // namespace

MiejsceTekstu miejsce_na_tekst(RodzajKontrolki rodzaj, int szerokosc, int wysokosc) {
  switch (rodzaj) {
    case RodzajKontrolki::przycisk:
      // Inside the button's edges.
      return {szerokosc - 2 * GetSystemMetrics(SM_CXEDGE) - 4,
              wysokosc - 2 * GetSystemMetrics(SM_CYEDGE), DT_WORDBREAK | DT_NOPREFIX};
    case RodzajKontrolki::pole_wyboru:
      // Beside the box that is checked.
      return {szerokosc - GetSystemMetrics(SM_CXMENUCHECK) - 6, wysokosc,
              DT_SINGLELINE | DT_NOPREFIX};
    default:
      return {szerokosc, wysokosc, DT_WORDBREAK | DT_NOPREFIX};
  }
}

Form1::Form1() {
  zarejestruj_klasy();
  // Not WS_CLIPCHILDREN: the window paints the inside of its group boxes.
  const DWORD styl = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  okno_ = CreateWindowExW(0, klasa_form1, z_utf8(tytul_form1).c_str(), styl, CW_USEDEFAULT,
                          CW_USEDEFAULT, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  // The density of the screen the window opened on where the system tells it
  // per window (Windows 10 and later), else the system's.
  const auto dpi_okna = z_user32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (const UINT dpi = dpi_okna != nullptr ? dpi_okna(okno_) : 0; dpi != 0) {
    dpi_ = static_cast<int>(dpi);
  } else {
    const HDC ekran = GetDC(nullptr);
    dpi_ = GetDeviceCaps(ekran, LOGPIXELSY);
    ReleaseDC(nullptr, ekran);
  }
  // The client area in twips, in a frame at the window's own density where
  // the system can tell it.
  RECT r{0, 0, piksele(szerokosc_form1), piksele(wysokosc_form1)};
  const auto ramka =
      z_user32<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (ramka == nullptr || !ramka(&r, styl, FALSE, 0, static_cast<UINT>(dpi_))) {
    AdjustWindowRectEx(&r, styl, FALSE, 0);
  }
  SetWindowPos(okno_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  utworz_kontrolki();
  SetFocus(kontrolka("File1"));
}

Form1::~Form1() {
  if (pomoc_ != nullptr) DestroyWindow(pomoc_);
  if (okno_ != nullptr) DestroyWindow(okno_);
  for (const HFONT f : czcionki_) DeleteObject(f);
}

HFONT Form1::utworz_czcionke(double punkty, bool pogrubiona) const {
  const int wysokosc = -static_cast<int>(std::lround(punkty * dpi_ / punkty_na_cal));
  return CreateFontW(wysokosc, 0, 0, 0, pogrubiona ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, z_utf8(czcionka_okien).c_str());
}

// The font of a caption, button or check box: the table's, or, where its
// text does not fit its box in the font the system gives (one wider than
// "MS Sans Serif" is substituted under wine and where that font is
// missing), smaller until it fits, as the Qt window does.
HFONT Form1::czcionka_w_miejscu(const OpisKontrolki& k, HWND h) {
  double punkty = k.wyglad.punkty;
  if (k.rodzaj == RodzajKontrolki::napis || k.rodzaj == RodzajKontrolki::przycisk ||
      k.rodzaj == RodzajKontrolki::pole_wyboru) {
    const MiejsceTekstu m = miejsce_na_tekst(k.rodzaj, piksele(k.szerokosc), piksele(k.wysokosc));
    punkty = punkty_w_miejscu(punkty, [&](double proba) {
      const HFONT f = utworz_czcionke(proba, k.wyglad.pogrubiona);
      const bool tak = miesci_sie(m, k.tekst, h, f);
      DeleteObject(f);
      return tak;
    });
  }
  czcionki_.push_back(utworz_czcionke(punkty, k.wyglad.pogrubiona));
  return czcionki_.back();
}

void Form1::utworz_kontrolki() {
  const HINSTANCE program = GetModuleHandleW(nullptr);
  for (std::size_t i = 0; i < kontrolki_form1.size(); ++i) {
    const OpisKontrolki& k = kontrolki_form1[i];
    const auto [x, y] = miejsce_w_oknie(k);
    const KlasaKontrolki& c = klasy[static_cast<std::size_t>(k.rodzaj)];
    const HWND h = CreateWindowExW(
        c.rozszerzony, c.klasa, tekst_kontrolki(k.tekst).c_str(), WS_CHILD | WS_VISIBLE | c.styl,
        piksele(x), piksele(y), piksele(k.szerokosc), piksele(k.wysokosc), okno_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(pierwszy_id + static_cast<int>(i))), program,
        nullptr);
    if (!k.wyglad.wlaczona) EnableWindow(h, FALSE);
    // Frames under everything, so that the controls lying over a frame they
    // do not belong to stay above it; the others keep the table's order,
    // which Tab follows.
    if (k.rodzaj == RodzajKontrolki::ramka) {
      SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    kontrolki_[i] = h;
  }
  rozmiesc_kontrolki();
}

void Form1::rozmiesc_kontrolki() {
  std::vector<HFONT> stare;
  stare.swap(czcionki_);
  for (std::size_t i = 0; i < kontrolki_form1.size(); ++i) {
    const OpisKontrolki& k = kontrolki_form1[i];
    const auto [x, y] = miejsce_w_oknie(k);
    SetWindowPos(kontrolki_[i], nullptr, piksele(x), piksele(y), piksele(k.szerokosc),
                 piksele(k.wysokosc), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(kontrolki_[i], WM_SETFONT,
                 reinterpret_cast<WPARAM>(czcionka_w_miejscu(k, kontrolki_[i])), TRUE);
  }
  for (const HFONT f : stare) DeleteObject(f);  // no control uses them any more
}

std::string Form1::tekst(NazwaKontrolki k) const {
  return na_utf8(tekst_okna(kontrolka(k)));
}

void Form1::wypelnij_liste(const std::vector<std::string>& wpisy) {
  const HWND lista = kontrolka("File1");
  SendMessageW(lista, LB_RESETCONTENT, 0, 0);
  for (const std::string& w : wpisy) {
    SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(z_utf8(w).c_str()));
  }
}

void Form1::komunikat(std::string_view tekst) {
  MessageBoxW(okno_, tekst_kontrolki(tekst).c_str(), L"wyrownik", MB_OK);
}

bool Form1::pytanie(std::string_view tekst) {
  return MessageBoxW(okno_, tekst_kontrolki(tekst).c_str(), L"wyrownik", MB_YESNO) == IDYES;
}

void Form1::kursor_zajety(bool zajety) {
  zajety_ = zajety;
  SetCursor(LoadCursorW(nullptr, zajety ? IDC_WAIT : IDC_ARROW));
}

bool Form1::otworz(const std::filesystem::path& plik) {
  return reinterpret_cast<INT_PTR>(
             ShellExecuteW(okno_, L"open", plik.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

void Form1::przetworz_zdarzenia() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {  // for the main loop, which ends the program
      PostQuitMessage(static_cast<int>(m.wParam));
      return;
    }
    if (IsDialogMessageW(okno_, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

LRESULT Form1::obsluz_komunikat(HWND h, UINT komunikat, WPARAM w, LPARAM l) {
  switch (komunikat) {
    case WM_COMMAND: {
      const auto id = static_cast<std::size_t>(LOWORD(w) - pierwszy_id);
      if (HIWORD(w) != BN_CLICKED || id >= kontrolki_.size() ||
          kontrolki_form1[id].rodzaj != RodzajKontrolki::przycisk) {
        break;
      }
      prezenter_.klikniecie(NazwaKontrolki::z_numeru(id));
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(w);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      const auto id =
          static_cast<std::size_t>(GetDlgCtrlID(reinterpret_cast<HWND>(l)) - pierwszy_id);
      if (const std::uint32_t kolor =
              id < kontrolki_.size() ? kontrolki_form1[id].wyglad.kolor : 0) {
        SetTextColor(dc, RGB((kolor >> 16) & 0xFF, (kolor >> 8) & 0xFF, kolor & 0xFF));
      }
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DPICHANGED: {
      // Moved to a screen of another density: every control and font again,
      // in the window size the system proposes.
      dpi_ = HIWORD(w);
      rozmiesc_kontrolki();
      const RECT* r = reinterpret_cast<const RECT*>(l);
      SetWindowPos(h, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_SETCURSOR:
      if (zajety_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      // Never refused: a working batch stops at its next event point and
      // then closes the window.
      if (prezenter_.zamykanie()) DestroyWindow(h);
      return 0;
    case WM_DESTROY:
      okno_ = nullptr;
      if (konczy_program_) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(h, komunikat, w, l);
}

}  // namespace wyrownik::win32
