#include "gui/win32/form1_win32.hpp"

#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "batch/cofniecie.hpp"
#include "gui/twipy.hpp"
#include "gui/win32/klasy_win32.hpp"
#include "scenery/kopie_zapasowe.hpp"
#include "text/sciezki.hpp"

namespace wyrownik::win32 {

namespace {

constexpr int pierwszy_id = 100;

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

Form1::Form1(PokazywanieKomunikatu pokazywanie) : pokazywanie_(std::move(pokazywanie)) {
  if (!pokazywanie_) {
    pokazywanie_ = [this](const std::wstring& tekst) {
      MessageBoxW(okno_, tekst.c_str(), L"wyrownik", MB_OK);
    };
  }
  zarejestruj_klasy();
  const HDC ekran = GetDC(nullptr);
  dpi_ = GetDeviceCaps(ekran, LOGPIXELSY);
  ReleaseDC(nullptr, ekran);
  // Not WS_CLIPCHILDREN: the window paints the inside of its group boxes.
  const DWORD styl = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r{0, 0, piksele(szerokosc_form1), piksele(wysokosc_form1)};
  AdjustWindowRectEx(&r, styl, FALSE, 0);
  okno_ = CreateWindowExW(0, klasa_form1, z_utf8(tytul_form1).c_str(), styl, CW_USEDEFAULT,
                          CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                          GetModuleHandleW(nullptr), this);
  // The density of the screen the window opened on, where the system tells
  // it per window (Windows 10 and later); the whole window in twips again.
  using DpiOkna = UINT(WINAPI*)(HWND);
  if (const auto dpi_okna = reinterpret_cast<DpiOkna>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"user32"), "GetDpiForWindow")))) {
    if (const UINT dpi = dpi_okna(okno_); dpi != 0 && static_cast<int>(dpi) != dpi_) {
      dpi_ = static_cast<int>(dpi);
      RECT nowy{0, 0, piksele(szerokosc_form1), piksele(wysokosc_form1)};
      // The frame at the window's own density where the system can tell it.
      using RamkaDlaDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
      const auto ramka = reinterpret_cast<RamkaDlaDpi>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"user32"), "AdjustWindowRectExForDpi")));
      if (ramka == nullptr || !ramka(&nowy, styl, FALSE, 0, dpi)) {
        AdjustWindowRectEx(&nowy, styl, FALSE, 0);
      }
      SetWindowPos(okno_, nullptr, 0, 0, nowy.right - nowy.left, nowy.bottom - nowy.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  utworz_kontrolki();
  SetFocus(kontrolka("File1"));
}

Form1::~Form1() {
  if (pomoc_ != nullptr) DestroyWindow(pomoc_);
  if (okno_ != nullptr) DestroyWindow(okno_);
  for (const HFONT f : czcionki_) DeleteObject(f);
}

int Form1::piksele(int twipy) const {
  return MulDiv(twipy, dpi_, twipy_na_cal);
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
// missing), smaller by quarter points until it fits, as the Qt window does.
HFONT Form1::czcionka_w_miejscu(const OpisKontrolki& k, HWND h) {
  const double najmniej = 6;
  double punkty = k.wyglad.punkty;
  HFONT f = utworz_czcionke(punkty, k.wyglad.pogrubiona);
  if (k.rodzaj == RodzajKontrolki::napis || k.rodzaj == RodzajKontrolki::przycisk ||
      k.rodzaj == RodzajKontrolki::pole_wyboru) {
    while (punkty > najmniej && !miesci_sie(k, h, f)) {
      DeleteObject(f);
      punkty -= 0.25;
      f = utworz_czcionke(punkty, k.wyglad.pogrubiona);
    }
  }
  czcionki_.push_back(f);
  return f;
}

bool Form1::miesci_sie(const OpisKontrolki& k, HWND h, HFONT f) const {
  const MiejsceTekstu m = miejsce_na_tekst(k.rodzaj, piksele(k.szerokosc), piksele(k.wysokosc));
  const HDC dc = GetDC(h);
  const HGDIOBJ stara = SelectObject(dc, f);
  const std::wstring tekst = tekst_kontrolki(k.tekst);
  RECT r{0, 0, m.szerokosc, 0};
  DrawTextW(dc, tekst.c_str(), static_cast<int>(tekst.size()), &r, DT_CALCRECT | m.flagi);
  SelectObject(dc, stara);
  ReleaseDC(h, dc);
  return r.right <= m.szerokosc && r.bottom <= m.wysokosc;
}

void Form1::utworz_kontrolki() {
  const HINSTANCE program = GetModuleHandleW(nullptr);
  for (std::size_t i = 0; i < kontrolki_form1.size(); ++i) {
    const OpisKontrolki& k = kontrolki_form1[i];
    const auto [x, y] = miejsce_w_oknie(k);
    const wchar_t* klasa = L"STATIC";
    DWORD styl = WS_CHILD | WS_VISIBLE;
    DWORD rozszerzony = 0;
    switch (k.rodzaj) {
      case RodzajKontrolki::lista:
        klasa = L"LISTBOX";
        styl |= WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        rozszerzony = WS_EX_CLIENTEDGE;
        break;
      case RodzajKontrolki::ramka:
        klasa = L"BUTTON";
        styl |= BS_GROUPBOX;
        break;
      case RodzajKontrolki::pole:
        klasa = L"EDIT";
        styl |= WS_TABSTOP | ES_AUTOHSCROLL;
        rozszerzony = WS_EX_CLIENTEDGE;
        break;
      case RodzajKontrolki::przycisk:
        klasa = L"BUTTON";
        styl |= WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;
        break;
      case RodzajKontrolki::etykieta:
        styl |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
        break;
      case RodzajKontrolki::napis:
        styl |= SS_LEFT | SS_NOPREFIX;
        break;
      case RodzajKontrolki::pole_wyboru:
        klasa = L"BUTTON";
        styl |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
    }
    const HWND h = CreateWindowExW(
        rozszerzony, klasa, tekst_kontrolki(k.tekst).c_str(), styl, piksele(x), piksele(y),
        piksele(k.szerokosc), piksele(k.wysokosc), okno_,
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

HWND Form1::kontrolka(NazwaKontrolki nazwa) const {
  return kontrolki_[nazwa.numer()];
}

HWND Form1::kontrolka_nr(std::size_t numer) const {
  return numer < kontrolki_.size() ? kontrolki_[numer] : nullptr;
}

// The table's names of the controls the program reads and switches, in the
// order of their enumerations.
HWND Form1::wejscie(Wejscie w) const {
  constexpr NazwaKontrolki nazwy[] = {"Text1", "Text2",    "Text3",   "Text4",
                                      "File1", "Command1", "Command2"};
  return kontrolka(nazwy[static_cast<std::size_t>(w)]);
}

HWND Form1::etykieta(Etykieta e) const {
  constexpr NazwaKontrolki nazwy[] = {"Label2", "Label3", "Label4"};
  return kontrolka(nazwy[static_cast<std::size_t>(e)]);
}

void Form1::pokaz_komunikat(std::string_view tekst) {
  pokazywanie_(z_cp1250(tekst));
}

void Form1::wylacz_wejscia() {
  for (const Wejscie w : wszystkie_wejscia) EnableWindow(wejscie(w), FALSE);
  EnableWindow(kontrolka("Check1"), FALSE);  // a preview of batches that cannot run
}

void Form1::wskaz_katalog(const std::filesystem::path& katalog) {
  const HWND lista = kontrolka("File1");
  SendMessageW(lista, LB_RESETCONTENT, 0, 0);
  nazwy_ = pliki_scenerii(katalog);
  for (const std::string& nazwa : nazwy_) {
    SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(z_cp1250(nazwa).c_str()));
  }
}

std::string Form1::tekst_pola(Pole p) const {
  constexpr NazwaKontrolki nazwy[] = {"Text1", "Text2", "Text3", "Text4"};
  return na_cp1250(tekst_okna(kontrolka(nazwy[static_cast<std::size_t>(p)])));
}

void Form1::pokaz(Etykieta e, std::string_view tekst_cp1250) {
  SetWindowTextW(etykieta(e), z_cp1250(tekst_cp1250).c_str());
}

std::size_t Form1::ile_pozycji() const {
  const LRESULT n = SendMessageW(kontrolka("File1"), LB_GETCOUNT, 0, 0);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool Form1::zaznaczona(std::size_t i) const {
  return SendMessageW(kontrolka("File1"), LB_GETSEL, i, 0) > 0;
}

std::string Form1::wpis_listy(std::size_t i) const {
  return i < nazwy_.size() ? nazwy_[i] : std::string();
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

bool Form1::tylko_podglad() const {
  return SendMessageW(kontrolka("Check1"), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form1::ustaw_prace(bool pracuje) {
  pracuje_ = pracuje;
  for (const Wejscie w : wejscia_partii) EnableWindow(wejscie(w), !pracuje);
  EnableWindow(kontrolka("Check1"), !pracuje);
  if (pracuje) {
    EnableWindow(kontrolka("Command4"), FALSE);
    EnableWindow(kontrolka("Command5"), FALSE);
  } else {
    odswiez_przyciski();  // the batch may have left a backup and a report
  }
  SetCursor(LoadCursorW(nullptr, pracuje ? IDC_WAIT : IDC_ARROW));
}

void Form1::ustaw_cofanie(std::filesystem::path katalog_programu,
                          std::filesystem::path katalog_scenerii) {
  katalog_programu_ = std::move(katalog_programu);
  katalog_scenerii_ = std::move(katalog_scenerii);
  odswiez_przyciski();
}

void Form1::ustaw_raport(std::filesystem::path plik) {
  plik_raportu_ = std::move(plik);
  odswiez_przyciski();
}

void Form1::odswiez_przyciski() {
  std::error_code blad;
  EnableWindow(kontrolka("Command4"),
               !katalog_programu_.empty() && !lista_kopii(katalog_programu_).empty());
  EnableWindow(kontrolka("Command5"),
               !plik_raportu_.empty() && std::filesystem::is_regular_file(plik_raportu_, blad));
}

void Form1::po_kliknieciu(NazwaKontrolki nazwa, std::function<void()> dzialanie) {
  klikniecia_[nazwa.numer()] = std::move(dzialanie);
}

void Form1::cofnij_ostatnia() {
  const auto kopie = lista_kopii(katalog_programu_);
  if (kopie.empty()) return odswiez_przyciski();
  const OpisKopii& ostatnia = kopie.back();
  const std::wstring pytanie =
      z_utf8("Cofnąć korektę z " + ostatnia.czas + " (plików: " +
             std::to_string(ostatnia.ile_plikow - ostatnia.ile_przywroconych) + ")?");
  const bool tak = pytanie_ ? pytanie_(pytanie)
                            : MessageBoxW(okno_, pytanie.c_str(), L"wyrownik", MB_YESNO) == IDYES;
  if (!tak) return;
  std::string wynik;
  try {
    const WynikCofniecia w = cofnij_partie(katalog_programu_, katalog_scenerii_);
    wynik = opis_cofniecia(w, katalog_scenerii_);
  } catch (const std::exception& e) {
    wynik = std::string("Nie udało się cofnąć korekty.\n");
    odswiez_przyciski();
    return pokazywanie_(tekst_kontrolki(wynik) + z_cp1250(e.what()));  // paths are Windows-1250
  }
  odswiez_przyciski();
  pokazywanie_(tekst_kontrolki(wynik));
}

void Form1::pokaz_raport() {
  odswiez_przyciski();
  if (!IsWindowEnabled(kontrolka("Command5"))) return;
  const bool otwarty =
      otwieranie_ ? otwieranie_(plik_raportu_)
                  : reinterpret_cast<INT_PTR>(ShellExecuteW(okno_, L"open", plik_raportu_.c_str(),
                                                            nullptr, nullptr, SW_SHOWNORMAL)) > 32;
  if (!otwarty) pokazywanie_(z_utf8("Nie można otworzyć raportu: ") + plik_raportu_.wstring());
}

LRESULT Form1::obsluz_komunikat(HWND h, UINT komunikat, WPARAM w, LPARAM l) {
  switch (komunikat) {
    case WM_COMMAND: {
      const int id = LOWORD(w) - pierwszy_id;
      if (HIWORD(w) != BN_CLICKED || id < 0 || id >= static_cast<int>(kontrolki_.size())) break;
      const std::string_view nazwa = kontrolki_form1[static_cast<std::size_t>(id)].nazwa;
      if (nazwa == "Command3") {
        pokaz_pomoc();
      } else if (nazwa == "Command4") {
        cofnij_ostatnia();
      } else if (nazwa == "Command5") {
        pokaz_raport();
      } else if (klikniecia_[static_cast<std::size_t>(id)]) {
        klikniecia_[static_cast<std::size_t>(id)]();
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(w);
      const HWND kontrolka_statyczna = reinterpret_cast<HWND>(l);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      for (std::size_t i = 0; i < kontrolki_.size(); ++i) {
        const std::uint32_t kolor = kontrolki_form1[i].wyglad.kolor;
        if (kontrolki_[i] == kontrolka_statyczna && kolor != 0) {
          SetTextColor(dc, RGB((kolor >> 16) & 0xFF, (kolor >> 8) & 0xFF, kolor & 0xFF));
        }
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
      if (pracuje_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      // Never refused: a working batch sees przerwac() at its next event
      // point, and the window goes once it has stopped.
      zamkniete_ = true;
      if (pomoc_ != nullptr) DestroyWindow(pomoc_);
      if (!pracuje_) DestroyWindow(h);
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
