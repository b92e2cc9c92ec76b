// The main window on Windows, written against the Win32 API: the controls of
// the shared table as plain list box, edit boxes, buttons, labels and group
// boxes, drawn; its behaviour is PrezenterForm1's. Group boxes hold nothing
// in Win32: every control is a child of the window, a frame's controls
// placed at the frame's place plus their own.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "gui/prezenter_form1.hpp"
#include "gui/tabela_kontrolek.hpp"
#include "gui/widok_form1.hpp"
#include "platform/windows.hpp"  // <windows.h> with the project's settings

namespace wyrownik::win32 {

// Where a control's text goes inside its box (pixels), and how it is laid
// out there: what the window fits its fonts to, and what tests measure.
struct MiejsceTekstu {
  int szerokosc, wysokosc;
  UINT flagi;  // DrawText's
};
MiejsceTekstu miejsce_na_tekst(RodzajKontrolki rodzaj, int szerokosc, int wysokosc);

inline constexpr wchar_t klasa_form1[] = L"wyrownik_Form1";
inline constexpr wchar_t klasa_pomocy[] = L"wyrownik_Frmhelp";
void zarejestruj_klasy();  // both, once

class Form1 : public WidokForm1 {
 public:
  Form1();
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  PrezenterForm1& prezenter() { return prezenter_; }
  HWND okno() const { return okno_; }
  // A control by its name in the table (checked when the program is
  // compiled, or NazwaKontrolki::z_numeru).
  HWND kontrolka(NazwaKontrolki nazwa) const { return kontrolki_[nazwa.numer()]; }
  // Twips to pixels at the window's density.
  int piksele(int twipy) const { return MulDiv(twipy, dpi_, 1440); }
  // The program's own window ends the message loop when it goes (tests
  // make many windows in one loop).
  void konczy_program(bool tak) { konczy_program_ = tak; }
  // The help window, modal; `po_otwarciu` (tests) runs once it is up.
  void pokaz_pomoc(const std::function<void(HWND)>& po_otwarciu);

  // The view (WidokForm1).
  void ustaw_tekst(NazwaKontrolki k, std::string_view t) override {
    SetWindowTextW(kontrolka(k), z_utf8(t).c_str());
  }
  void wlacz(NazwaKontrolki k, bool wlaczona) override { EnableWindow(kontrolka(k), wlaczona); }
  std::string tekst(NazwaKontrolki kontrolka) const override;
  bool zaznaczone(NazwaKontrolki k) const override {
    return SendMessageW(kontrolka(k), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void wypelnij_liste(const std::vector<std::string>& wpisy) override;
  bool wybrany_wpis(std::size_t i) const override {
    return SendMessageW(kontrolka("File1"), LB_GETSEL, i, 0) > 0;
  }
  void komunikat(std::string_view tekst) override;
  bool pytanie(std::string_view tekst) override;
  std::optional<std::filesystem::path> wybierz_folder(std::string_view tytul) override;
  void kursor_zajety(bool zajety) override;
  bool otworz(const std::filesystem::path& plik) override;
  void przetworz_zdarzenia() override;
  void otworz_pomoc() override { pokaz_pomoc({}); }
  void zamknij_pomoc() override { DestroyWindow(pomoc_); }  // none: nothing happens
  void zamknij() override { DestroyWindow(okno_); }

  // The window procedure's work.
  LRESULT obsluz_komunikat(HWND okno, UINT komunikat, WPARAM w, LPARAM l);

 private:
  void utworz_kontrolki();
  // Places every control and gives it its font at the current density.
  void rozmiesc_kontrolki();
  HFONT utworz_czcionke(double punkty, bool pogrubiona) const;
  HFONT czcionka_w_miejscu(const OpisKontrolki& k, HWND h);

  PrezenterForm1 prezenter_{*this};
  HWND okno_ = nullptr;
  int dpi_ = 96;
  std::array<HWND, kontrolki_form1.size()> kontrolki_{};
  std::vector<HFONT> czcionki_;
  HWND pomoc_ = nullptr;
  bool zajety_ = false;
  bool konczy_program_ = false;
};

}  // namespace wyrownik::win32
