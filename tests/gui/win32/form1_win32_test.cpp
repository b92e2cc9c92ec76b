// The Windows window driven with window messages, as a user would: every
// control of the table at its place, start-up, the run buttons, the preview
// and the help window. Runs under wine with a virtual display.
#include "gui/win32/form1_win32.hpp"

#include <gtest/gtest.h>

#include "gui/tekst_pomocy.hpp"
#include "gui/win32/przebiegi_win32.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik::win32 {
namespace {

const char* const scena =
    "node -1 0 t triangles trawa.dds\r\n0 7.125 0\r\n100 7.125 0\r\n0 7.125 100\r\nendtri\r\n"
    "include drzewo.inc 10 5 20 0 end\r\n";

const char* const tory =
    "node 1 0 t track normal 100 1.6 0.25 25 20 0 flat vis\r\n Rail 4 tex 0.2 0.5 1.1\r\n"
    "0 0.2 0 0\r\n0 0 0\r\n0 0 0\r\n100 0.2 0 0\r\n0\r\nendtrack\r\n"
    "include drzewo.inc 50 0 3 1 2 3 5 end\r\n";

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

// A program directory and scenery, start-up done, the run buttons connected.
struct Stanowisko {
  Stanowisko() : okno([this](const std::wstring& t) { komunikaty.push_back(t); }) {
    k.zapisz("sim/scenery/a.scn", scena);
    k.zapisz("sim/scenery/b.scn", tory);
    k.zapisz("program/wyrownik.ini", "[Sciezka dostepu]\r\n" + (k / "sim").string() +
                                         "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
    start = wykonaj_start(k / "program", okno);
    polacz_przebiegi(okno, srodowisko_ze_startu(start));
  }
  void zaznacz(int i) {
    SendMessageW(okno.kontrolka("File1"), LB_SETSEL, FALSE, -1);
    SendMessageW(okno.kontrolka("File1"), LB_SETSEL, TRUE, i);
  }
  void kliknij(NazwaKontrolki nazwa) { SendMessageW(okno.kontrolka(nazwa), BM_CLICK, 0, 0); }

  testy::KatalogTymczasowy k;
  std::vector<std::wstring> komunikaty;
  Form1 okno;
  WynikStartu start;
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
    const HWND h = okno.kontrolka_nr(i);
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
    const HWND h = okno.kontrolka_nr(i);
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

TEST(Form1Win32, StartUpFillsTheListAndABadIniBlocksEveryInput) {
  Stanowisko s;
  EXPECT_EQ(s.start.stan, StanStartu::gotowy);
  EXPECT_EQ(s.okno.ile_pozycji(), 2u);
  EXPECT_TRUE(s.komunikaty.empty());

  testy::KatalogTymczasowy k;
  k.zapisz("wyrownik.ini", "[Sciezka dostepu]\r\n");
  std::vector<std::wstring> komunikaty;
  Form1 okno([&](const std::wstring& t) { komunikaty.push_back(t); });
  EXPECT_EQ(wykonaj_start(k.sciezka(), okno).stan, StanStartu::zablokowany);
  EXPECT_EQ(komunikaty, std::vector<std::wstring>{z_utf8("Brak podanej ścieżki dostępu")});
  for (const Wejscie w : wszystkie_wejscia) EXPECT_FALSE(IsWindowEnabled(okno.wejscie(w)));
  EXPECT_TRUE(IsWindowEnabled(okno.kontrolka("Command3")));
}

TEST(Form1Win32, Command1CorrectsTheSelectedSceneryAndRestoresTheInputs) {
  Stanowisko s;
  s.zaznacz(0);
  s.kliknij("Command1");
  EXPECT_TRUE(s.komunikaty.empty());
  EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/a.scn"),
            "node -1 0 t triangles trawa.dds\r\n0 7.125 0\r\n100 7.125 0\r\n0 7.125 100\r\n"
            "endtri\r\ninclude drzewo.inc 10 7.12 20 0 end\r\n");
  EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/b.scn"), tory);  // not selected
  EXPECT_NE(testy::wczytaj(s.k / "program/Log_korekcja.txt").find("Ilo\x9C\xE6 zmian: 1"),
            std::string::npos);
  for (const Wejscie w : wszystkie_wejscia) EXPECT_TRUE(IsWindowEnabled(s.okno.wejscie(w)));
  EXPECT_EQ(tekst(s.okno.etykieta(Etykieta::label3)), L"");
  EXPECT_TRUE(IsWindowEnabled(s.okno.kontrolka("Command4")));  // a backup to undo
}

TEST(Form1Win32, ThePreviewChangesNothingAndCommand5OpensItsReport) {
  Stanowisko s;
  s.zaznacz(1);
  SendMessageW(s.okno.kontrolka("Check1"), BM_SETCHECK, BST_CHECKED, 0);
  s.kliknij("Command2");
  EXPECT_TRUE(s.komunikaty.empty());
  EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/b.scn"), tory);
  EXPECT_NE(testy::wczytaj(s.k / "program/Log_korekcja.txt").find("include drzewo.inc 50 0 6"),
            std::string::npos);
  std::vector<std::filesystem::path> otwarte;
  s.okno.ustaw_otwieranie([&](const std::filesystem::path& p) {
    otwarte.push_back(p);
    return true;
  });
  ASSERT_TRUE(IsWindowEnabled(s.okno.kontrolka("Command5")));
  s.kliknij("Command5");
  ASSERT_EQ(otwarte.size(), 1u);
  EXPECT_TRUE(std::filesystem::equivalent(otwarte[0], s.k / "program/Log_korekcja.html"));
}

TEST(Form1Win32, ClosingDuringABatchStopsItCleanlyAndTheWindowGoes) {
  Stanowisko s;
  s.zaznacz(0);
  // Queued now, seen by the batch at its first event point.
  PostMessageW(s.okno.okno(), WM_CLOSE, 0, 0);
  s.kliknij("Command1");
  EXPECT_TRUE(s.komunikaty.empty());
  EXPECT_EQ(s.okno.okno(), nullptr);  // destroyed once the batch had stopped
  EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/a.scn"), scena);
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
    EXPECT_FALSE(std::filesystem::exists(s.k / "sim/scenery" / roboczy)) << roboczy;
  }
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
