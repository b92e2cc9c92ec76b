// The main window on Windows, written against the Win32 API: the controls of
// the shared table as plain list box, edit boxes, buttons, labels and group
// boxes. Group boxes hold nothing in Win32: every control is a child of the
// window, a frame's controls placed at the frame's place plus their own.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/start.hpp"
#include "gui/tabela_kontrolek.hpp"
#include "gui/uklad_okna.hpp"
#include "gui/wejscia.hpp"
#include "platform/windows.hpp"  // <windows.h> with the project's settings

namespace wyrownik::win32 {

// Where a control's text goes inside its box (pixels), and how it is laid
// out there: what the window fits its fonts to, and what tests measure.
struct MiejsceTekstu {
  int szerokosc, wysokosc;
  UINT flagi;  // DrawText's
};
MiejsceTekstu miejsce_na_tekst(RodzajKontrolki rodzaj, int szerokosc, int wysokosc);

class Form1 : public OknoStartu {
 public:
  // Shows one message and returns when it has been acknowledged; the default
  // is a message box with an OK button, tests record instead.
  using PokazywanieKomunikatu = std::function<void(const std::wstring&)>;
  using Pytanie = std::function<bool(const std::wstring&)>;
  using Otwieranie = std::function<bool(const std::filesystem::path&)>;

  explicit Form1(PokazywanieKomunikatu pokazywanie = {});
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Start-up (OknoStartu).
  void pokaz_komunikat(std::string_view tekst) override;
  void wylacz_wejscia() override;
  void wskaz_katalog(const std::filesystem::path& katalog) override;

  HWND okno() const { return okno_; }
  // A control by its name in the table (checked when the program is
  // compiled), or by its place in the table (null past its end).
  HWND kontrolka(NazwaKontrolki nazwa) const;
  HWND kontrolka_nr(std::size_t numer) const;
  HWND wejscie(Wejscie w) const;
  HWND etykieta(Etykieta e) const;

  // What a batch reads and shows.
  std::string tekst_pola(Pole p) const;  // Windows-1250
  void pokaz(Etykieta e, std::string_view tekst_cp1250);
  std::size_t ile_pozycji() const;
  bool zaznaczona(std::size_t i) const;
  std::string wpis_listy(std::size_t i) const;  // the directory's own name
  void przetworz_zdarzenia();
  bool przerwac() const { return zamkniete_; }
  bool tylko_podglad() const;

  // Around a batch: Text1..Text4, Command1, Command2 (and the undo, preview
  // and report controls) disabled and the busy pointer, or all restored.
  void ustaw_prace(bool pracuje);
  void ustaw_cofanie(std::filesystem::path katalog_programu,
                     std::filesystem::path katalog_scenerii);
  void ustaw_raport(std::filesystem::path plik);
  void odswiez_przyciski();

  // A press of a button runs `dzialanie` (Command1, Command2).
  void po_kliknieciu(NazwaKontrolki nazwa, std::function<void()> dzialanie);
  void ustaw_pytanie(Pytanie p) { pytanie_ = std::move(p); }
  void ustaw_otwieranie(Otwieranie o) { otwieranie_ = std::move(o); }

  // The help window: modal, at the size of the screen's work area; returns
  // when it is closed. `po_otwarciu` (tests) runs once it is up.
  void pokaz_pomoc(const std::function<void(HWND)>& po_otwarciu = {});
  void cofnij_ostatnia();
  void pokaz_raport();

  // Twips to pixels at the window's density.
  int piksele(int twipy) const;

  // The program's own window ends the message loop when it goes (tests
  // make many windows in one loop).
  void konczy_program(bool tak) { konczy_program_ = tak; }

  // The window procedure's work.
  LRESULT obsluz_komunikat(HWND okno, UINT komunikat, WPARAM w, LPARAM l);

 private:
  void utworz_kontrolki();
  // Places every control and gives it its font at the current density.
  void rozmiesc_kontrolki();
  HFONT utworz_czcionke(double punkty, bool pogrubiona) const;
  HFONT czcionka_w_miejscu(const OpisKontrolki& k, HWND h);
  bool miesci_sie(const OpisKontrolki& k, HWND h, HFONT f) const;

  HWND okno_ = nullptr;
  int dpi_ = 96;
  std::array<HWND, kontrolki_form1.size()> kontrolki_{};
  std::array<std::function<void()>, kontrolki_form1.size()> klikniecia_{};
  std::vector<HFONT> czcionki_;
  std::vector<std::string> nazwy_;  // File1's entries, the directory's own bytes
  PokazywanieKomunikatu pokazywanie_;
  Pytanie pytanie_;
  Otwieranie otwieranie_;
  std::filesystem::path katalog_programu_, katalog_scenerii_, plik_raportu_;
  UkladOkna uklad_pomocy_;
  HWND pomoc_ = nullptr;
  bool zamkniete_ = false;
  bool pracuje_ = false;
  bool konczy_program_ = false;
};

}  // namespace wyrownik::win32
