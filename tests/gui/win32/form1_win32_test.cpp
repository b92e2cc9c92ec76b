// The Windows window driven with window messages, as a user would: every
// control of the table at its place, start-up, the run buttons, the preview
// and the help window. Runs under wine with a virtual display.
#include "gui/win32/form1_win32.hpp"

#include <gtest/gtest.h>

#include "gui/tekst_pomocy.hpp"
#include "gui/teksty_okna.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik::win32 {
namespace {

const char* const scena =
    "node -1 0 t triangles trawa.dds\r\n0 7.125 0\r\n100 7.125 0\r\n0 7.125 100\r\nendtri\r\n"
    "include drzewo.inc 10 5 20 0 end\r\n";

std::wstring klasa(HWND h) {
  wchar_t nazwa[64] = {};
  GetClassNameW(h, nazwa, 64);
  return nazwa;
}

std::wstring tekst(HWND h) {
  std::wstring w(static_cast<std::size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  w.resize(static_cast<std::size_t>(GetWindowTextW(h, w.data(), static_cast<int>(w.size()))));
  return w;
}

// The text of the message box the window shows now, which is then closed
// with `przycisk`; read from a timer that fires inside the box's own loop.
struct OdpowiedzNaKomunikat {
  explicit OdpowiedzNaKomunikat(int przycisk_) {
    przycisk = przycisk_;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
      const HWND okno = FindWindowW(L"#32770", L"wyrownik");
      if (okno == nullptr) return;
      KillTimer(nullptr, id);
      pokazany = tekst(GetDlgItem(okno, 0xFFFF));
      PostMessageW(okno, WM_COMMAND, przycisk, 0);
    });
  }
  static inline int przycisk = IDOK;
  static inline std::wstring pokazany;
};

TEST(Form1Win32, EveryControlOfTheTableAtItsPlaceWithItsText) {
  Form1 okno;
  RECT klient;
  GetClientRect(okno.okno(), &klient);
  EXPECT_EQ(klient.right, okno.piksele(szerokosc_form1));
  EXPECT_EQ(klient.bottom, okno.piksele(wysokosc_form1));
  EXPECT_EQ(tekst(okno.okno()), z_utf8(tytul_form1));
  for (std::size_t i = 0; i < kontrolki_form1.size(); ++i) {
    const OpisKontrolki& k = kontrolki_form1[i];
    SCOPED_TRACE(std::string(k.nazwa));
    const HWND h = okno.kontrolka(NazwaKontrolki::z_numeru(i));
    ASSERT_NE(h, nullptr);
    const wchar_t* oczekiwana =
        k.rodzaj == RodzajKontrolki::lista                                            ? L"ListBox"
        : k.rodzaj == RodzajKontrolki::pole                                           ? L"Edit"
        : k.rodzaj == RodzajKontrolki::etykieta || k.rodzaj == RodzajKontrolki::napis ? L"Static"
                                                                                      : L"Button";
    EXPECT_EQ(_wcsicmp(klasa(h).c_str(), oczekiwana), 0);
    int x = k.lewo, y = k.gora;
    if (k.kontener != "Form1") {
      for (const OpisKontrolki& r : kontrolki_form1) {
        if (r.nazwa == k.kontener) x += r.lewo, y += r.gora;
      }
    }
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, okno.okno(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, okno.piksele(x));
    EXPECT_EQ(r.top, okno.piksele(y));
    EXPECT_EQ(r.right - r.left, okno.piksele(k.szerokosc));
    EXPECT_EQ(r.bottom - r.top, okno.piksele(k.wysokosc));
    if (k.rodzaj != RodzajKontrolki::lista) {
      std::wstring t = tekst(h);
      std::erase(t, L'\r');
      EXPECT_EQ(t, z_utf8(k.tekst));
    }
    EXPECT_EQ(IsWindowEnabled(h) != FALSE, k.wyglad.wlaczona);
  }
}

// Every caption, button and check box shows its whole text in the font it
// got (measured here as the system draws it).
TEST(Form1Win32, EveryFixedTextFitsItsBox) {
  Form1 okno;
  for (std::size_t i = 0; i < kontrolki_form1.size(); ++i) {
    const OpisKontrolki& k = kontrolki_form1[i];
    if (k.rodzaj != RodzajKontrolki::napis && k.rodzaj != RodzajKontrolki::przycisk &&
        k.rodzaj != RodzajKontrolki::pole_wyboru) {
      continue;
    }
    SCOPED_TRACE(std::string(k.nazwa));
    const HWND h = okno.kontrolka(NazwaKontrolki::z_numeru(i));
    RECT pole;
    GetClientRect(h, &pole);
    const MiejsceTekstu m = miejsce_na_tekst(k.rodzaj, pole.right, pole.bottom);
    const HDC dc = GetDC(h);
    const HGDIOBJ stara =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
    const std::wstring t = tekst(h);
    RECT r{0, 0, m.szerokosc, 0};
    DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &r, DT_CALCRECT | m.flagi);
    SelectObject(dc, stara);
    ReleaseDC(h, dc);
    EXPECT_LE(r.right, m.szerokosc);
    EXPECT_LE(r.bottom, m.wysokosc);
  }
}

TEST(Form1Win32, AScreenOfAnotherDensityLaysTheControlsOutAgain) {
  Form1 okno;
  RECT proponowany{10, 10, 10 + 1040, 10 + 700};
  SendMessageW(okno.okno(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&proponowany));
  EXPECT_EQ(okno.piksele(1440), 144);
  const OpisKontrolki& k = kontrolka_form1("Command3");
  RECT r;
  GetWindowRect(okno.kontrolka("Command3"), &r);
  MapWindowPoints(nullptr, okno.okno(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, MulDiv(k.lewo, 144, 1440));
  EXPECT_EQ(r.right - r.left, MulDiv(k.szerokosc, 144, 1440));
  GetWindowRect(okno.okno(), &r);
  EXPECT_EQ(r.right - r.left, 1040);
}

// The primitives the presenter drives, as the user sees them.
TEST(Form1Win32, TheViewShowsAndReadsWhatThePresenterAsks) {
  Form1 okno;
  okno.wypelnij_liste({"a.scn", "Żuraw.scn"});
  const HWND lista = okno.kontrolka("File1");
  wchar_t wpis[32] = {};
  SendMessageW(lista, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(wpis));
  EXPECT_EQ(std::wstring(wpis), z_utf8("Żuraw.scn"));
  SendMessageW(lista, LB_SETSEL, TRUE, 1);
  EXPECT_TRUE(!okno.wybrany_wpis(0) && okno.wybrany_wpis(1));
  okno.ustaw_tekst("Label4", "Czytam plik: Żółw.scm");
  EXPECT_EQ(tekst(okno.kontrolka("Label4")), z_utf8("Czytam plik: Żółw.scm"));
  SetWindowTextW(okno.kontrolka("Text1"), z_utf8("1,5 ż€中").c_str());
  EXPECT_EQ(okno.tekst("Text1"), "1,5 ż€中");
  SendMessageW(okno.kontrolka("Check1"), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(okno.zaznaczone("Check1"));

  OdpowiedzNaKomunikat tak(IDYES);
  EXPECT_TRUE(okno.pytanie("Cofnąć?"));
  EXPECT_EQ(OdpowiedzNaKomunikat::pokazany, z_utf8("Cofnąć?"));
  OdpowiedzNaKomunikat ok(IDOK);
  okno.komunikat("Przywrócono plików: 1.\nDwa wiersze.");
  EXPECT_EQ(OdpowiedzNaKomunikat::pokazany, z_utf8("Przywrócono plików: 1.\r\nDwa wiersze."));
}

// The buttons reach the presenter, and closing the window during a batch
// stops it cleanly, after which the window goes.
TEST(Form1Win32, ClosingDuringABatchStopsItCleanlyAndTheWindowGoes) {
  testy::KatalogTymczasowy k;
  k.zapisz("sim/scenery/a.scn", scena);
  k.zapisz("program/wyrownik.ini", "[Sciezka dostepu]\r\n" + (k / "sim").string() +
                                       "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
  Form1 okno;
  ASSERT_EQ(okno.prezenter().uruchom(k / "program").stan, StanStartu::gotowy);
  SendMessageW(okno.kontrolka("File1"), LB_SETSEL, TRUE, 0);
  SendMessageW(okno.kontrolka("Command1"), BM_CLICK, 0, 0);
  const std::string po_korekcie = testy::wczytaj(k / "sim/scenery/a.scn");
  EXPECT_NE(po_korekcie, scena);
  EXPECT_TRUE(IsWindowEnabled(okno.kontrolka("Command4")));  // a backup to undo

  SetWindowTextW(okno.kontrolka("Text1"), L"0");  // would change the height again
  PostMessageW(okno.okno(), WM_CLOSE, 0, 0);      // seen by the batch at its first event point
  SendMessageW(okno.kontrolka("Command1"), BM_CLICK, 0, 0);
  EXPECT_EQ(testy::wczytaj(k / "sim/scenery/a.scn"), po_korekcie);
  EXPECT_EQ(okno.okno(), nullptr);  // destroyed once the batch had stopped
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
    EXPECT_FALSE(std::filesystem::exists(k / "sim/scenery" / roboczy)) << roboczy;
  }
}

// A first run from the packages' sample ini: the start-up message, then the
// system's folder picker, answered by typing the folder as a user would;
// the list fills.
TEST(Form1Win32, AFirstRunFromTheSampleIniAsksForTheFolderAndFillsTheList) {
  testy::KatalogTymczasowy k;
  k.zapisz("sim/scenery/a.scn", "x");
  std::filesystem::create_directory(k / "program");
  std::filesystem::copy_file(WYROWNIK_DANE "/../../packaging/wyrownik.ini",
                             k / "program/wyrownik.ini");
  static std::vector<std::wstring> widziane;
  static std::wstring folder;
  widziane.clear();
  folder = (k / "sim").wstring();
  const UINT_PTR zegar = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND m = FindWindowW(L"#32770", L"wyrownik")) {
      widziane.push_back(tekst(GetDlgItem(m, 0xFFFF)));
      PostMessageW(m, WM_COMMAND, IDOK, 0);
    } else if (const HWND d = FindWindowW(nullptr, z_utf8(tekst::tytul_wyboru).c_str())) {
      widziane.push_back(tekst(d));
      // The file name box of the dialog: the first edit box in it.
      HWND pole = nullptr;
      EnumChildWindows(
          d,
          [](HWND h, LPARAM wynik) -> BOOL {
            if (_wcsicmp(klasa(h).c_str(), L"Edit") != 0) return TRUE;
            *reinterpret_cast<HWND*>(wynik) = h;
            return FALSE;
          },
          reinterpret_cast<LPARAM>(&pole));
      if (pole != nullptr) SetWindowTextW(pole, folder.c_str());
      PostMessageW(d, WM_COMMAND, IDOK, 0);
    }
  });
  Form1 okno;
  const WynikStartu start = okno.prezenter().uruchom(k / "program");
  KillTimer(nullptr, zegar);
  ASSERT_GE(widziane.size(), 2u);
  EXPECT_EQ(widziane[0], L"Brak podkatalogu SCENERY.");
  EXPECT_EQ(widziane[1], z_utf8(tekst::tytul_wyboru));
  EXPECT_EQ(start.stan, StanStartu::gotowy);
  EXPECT_EQ(SendMessageW(okno.kontrolka("File1"), LB_GETCOUNT, 0, 0), 1);
}

TEST(Form1Win32, TheHelpWindowFillsTheWorkAreaAndItsTextBoxTheClientArea) {
  Form1 okno;
  bool sprawdzone = false;
  okno.pokaz_pomoc([&](HWND pomoc) {
    RECT obszar, r, klient, pole;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &obszar, 0);
    GetWindowRect(pomoc, &r);
    EXPECT_EQ(r.right - r.left, obszar.right - obszar.left);
    EXPECT_EQ(r.bottom - r.top, obszar.bottom - obszar.top);
    EXPECT_FALSE(IsWindowEnabled(okno.okno()));  // modal
    const HWND t = GetDlgItem(pomoc, 1);
    GetClientRect(pomoc, &klient);
    GetWindowRect(t, &pole);
    MapWindowPoints(nullptr, pomoc, reinterpret_cast<POINT*>(&pole), 2);
    const int m = okno.piksele(120);
    EXPECT_EQ(pole.left, m);
    EXPECT_EQ(pole.top, m);
    EXPECT_EQ(pole.right, klient.right - m);
    EXPECT_EQ(pole.bottom, klient.bottom - m);
    const LONG styl = GetWindowLongW(t, GWL_STYLE);
    EXPECT_TRUE((styl & WS_VSCROLL) && (styl & WS_HSCROLL) && (styl & ES_READONLY));
    EXPECT_EQ(tekst(t), z_cp1250(tekst_pomocy));
    PostMessageW(pomoc, WM_CLOSE, 0, 0);
    sprawdzone = true;
  });
  EXPECT_TRUE(sprawdzone);
  EXPECT_TRUE(IsWindowEnabled(okno.okno()));
}

}  // namespace
}  // namespace wyrownik::win32
