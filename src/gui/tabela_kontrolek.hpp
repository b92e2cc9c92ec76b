// The main window as data: every control of Form1 with its kind, container,
// place in twips, text, font and colour. Both windows (Qt on Linux, Win32
// on Windows) build their controls from this one table, so they cannot
// drift apart.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wyrownik {

enum class RodzajKontrolki {
  lista,        // a list of sceneries, several selectable
  ramka,        // a group box holding other controls
  pole,         // a one-line text box
  przycisk,     // a push button
  etykieta,     // a status line: one line, set by the program
  napis,        // a fixed caption, wrapped at word boundaries
  pole_wyboru,  // a check box
};

// What only some controls set, each by its name in the table
// ({.na_wierzchu = true}); the rest keep these defaults.
struct Wyglad {
  double punkty = 8.25;  // font size
  bool pogrubiona = false;
  std::uint32_t kolor = 0;   // the text's colour as 0xRRGGBB; 0: the system's
  bool na_wierzchu = false;  // a control of the window lying over a frame
  bool wlaczona = true;      // enabled when the window opens
};

struct OpisKontrolki {
  std::string_view nazwa;
  RodzajKontrolki rodzaj;
  std::string_view kontener;            // "Form1", or the frame holding it
  int lewo, gora, szerokosc, wysokosc;  // twips, within the container
  std::string_view tekst;               // UTF-8
  Wyglad wyglad = {};
};

inline constexpr std::string_view tytul_form1 = "Korekta współrzędnych obiektów inc";
inline constexpr int szerokosc_form1 = 10380;  // client area, twips
inline constexpr int wysokosc_form1 = 6930;
inline constexpr std::string_view czcionka_okien = "MS Sans Serif";
inline constexpr double punkty_okien = 8.25;

// Containers come before what they hold; the controls Tab reaches (lists,
// boxes, buttons, check boxes) in their tab order.
inline constexpr std::array<OpisKontrolki, 30> kontrolki_form1 = {{
    {"File1", RodzajKontrolki::lista, "Form1", 240, 120, 3975, 2820, ""},
    {"Frame1", RodzajKontrolki::ramka, "Form1", 4560, 120, 5295, 1695,
     "Korekcja współrzędnych obiektów - skrajnia toru"},
    {"Frame2", RodzajKontrolki::ramka, "Form1", 4560, 1920, 5415, 1335,
     "Korekcja współrzędnych wysokościowych"},
    {"Text3", RodzajKontrolki::pole, "Frame1", 2280, 480, 615, 375, "40"},
    {"Text4", RodzajKontrolki::pole, "Frame1", 2280, 1080, 615, 375, "7"},
    {"Command2", RodzajKontrolki::przycisk, "Frame1", 3960, 240, 1095, 495, "Działaj"},
    // Text1, Text2 and Command1 belong to the window and lie over Frame2.
    {"Text1", RodzajKontrolki::pole, "Form1", 7800, 2160, 495, 375, "0.5", {.na_wierzchu = true}},
    {"Text2", RodzajKontrolki::pole, "Form1", 7800, 2760, 495, 375, "11", {.na_wierzchu = true}},
    {"Command1",
     RodzajKontrolki::przycisk,
     "Form1",
     8640,
     2280,
     1215,
     495,
     "Działaj",
     {.na_wierzchu = true}},
    {"Command3",
     RodzajKontrolki::przycisk,
     "Form1",
     8640,
     3480,
     1215,
     495,
     "POMOC",
     {.pogrubiona = true}},
    // Added beside the designed controls, in free space: the undo, the
    // preview and the report.
    {"Command4",
     RodzajKontrolki::przycisk,
     "Form1",
     8640,
     4080,
     1215,
     495,
     "Cofnij ostatnią\nkorektę",
     {.wlaczona = false}},
    {"Check1", RodzajKontrolki::pole_wyboru, "Form1", 4320, 5640, 4215, 375,
     "Tylko podgląd (bez zmian w plikach)"},
    {"Command5",
     RodzajKontrolki::przycisk,
     "Form1",
     8640,
     4680,
     1215,
     495,
     "Pokaż raport",
     {.wlaczona = false}},
    // The area a batch is limited to, under everything in the right half.
    {"Frame3", RodzajKontrolki::ramka, "Form1", 4320, 6075, 5655, 735,
     "Obszar (puste: cała sceneria)"},
    {"Label10", RodzajKontrolki::napis, "Frame3", 120, 330, 420, 255, "od X"},
    {"Text5", RodzajKontrolki::pole, "Frame3", 540, 270, 900, 375, ""},
    {"Label11", RodzajKontrolki::napis, "Frame3", 1500, 330, 420, 255, "od Z"},
    {"Text6", RodzajKontrolki::pole, "Frame3", 1920, 270, 900, 375, ""},
    {"Label12", RodzajKontrolki::napis, "Frame3", 2880, 330, 420, 255, "do X"},
    {"Text7", RodzajKontrolki::pole, "Frame3", 3300, 270, 900, 375, ""},
    {"Label13", RodzajKontrolki::napis, "Frame3", 4260, 330, 420, 255, "do Z"},
    {"Text8", RodzajKontrolki::pole, "Frame3", 4680, 270, 900, 375, ""},
    {"Label2", RodzajKontrolki::etykieta, "Form1", 240, 3480, 7695, 375, ""},
    {"Label3",
     RodzajKontrolki::etykieta,
     "Form1",
     240,
     4200,
     7935,
     375,
     "",
     {.punkty = 9.75, .pogrubiona = true}},
    {"Label4", RodzajKontrolki::etykieta, "Form1", 240, 4920, 7815, 375, ""},
    {"Label5",
     RodzajKontrolki::napis,
     "Form1",
     120,
     5520,
     3975,
     1095,
     "UWAGA: Dla prawidłowego działania programu, przypominam, aby w ustawieniach systemowych, "
     "separator dziesiętny był ustawiony na kropkę.",
     {.punkty = 9.75, .pogrubiona = true, .kolor = 0xFF0000}},
    {"Label7", RodzajKontrolki::napis, "Frame1", 120, 360, 1935, 615,
     "Maksymalny spodziewany promień sprawdzanego obiektu:"},
    // "mnijesza" as the window has always spelt it (the help text quotes it).
    {"Label8", RodzajKontrolki::napis, "Frame2", 240, 240, 2895, 495,
     "Nie zmieniaj, gdy różnica wysokości jest mnijesza od:"},
    {"Label9", RodzajKontrolki::napis, "Frame2", 240, 840, 2895, 375,
     "Nie zmieniaj, gdy rożnica wysokości jest większa od:"},
    {"Label1", RodzajKontrolki::napis, "Frame1", 120, 1080, 2175, 375,
     "Nr parametru promienia obiektu:"},
}};

// The place of a control's entry in the table; a name not in the table
// does not compile where it is used in a constant expression.
constexpr std::size_t numer_kontrolki(std::string_view nazwa) {
  for (std::size_t i = 0; i < kontrolki_form1.size(); ++i) {
    if (kontrolki_form1[i].nazwa == nazwa) return i;
  }
  throw "no such control";
}

// The entry of a control by name, likewise.
constexpr const OpisKontrolki& kontrolka_form1(std::string_view nazwa) {
  return kontrolki_form1[numer_kontrolki(nazwa)];
}

// A control of Form1 named in the code: found in the table when the program
// is compiled, so that a misspelt name is an error, not a null control.
class NazwaKontrolki {
 public:
  consteval NazwaKontrolki(const char* nazwa)  // NOLINT: implicit on purpose
      : numer_(numer_kontrolki(nazwa)) {}
  // A name read from the table at run time.
  static constexpr NazwaKontrolki z_numeru(std::size_t numer) { return NazwaKontrolki(numer, 0); }
  static constexpr NazwaKontrolki z_nazwy(std::string_view nazwa) {
    return z_numeru(numer_kontrolki(nazwa));
  }
  constexpr std::size_t numer() const { return numer_; }
  std::string_view nazwa() const { return kontrolki_form1[numer_].nazwa; }
  friend constexpr bool operator==(NazwaKontrolki, NazwaKontrolki) = default;

 private:
  constexpr NazwaKontrolki(std::size_t numer, int) : numer_(numer) {}
  std::size_t numer_;
};

// A control's place in twips within the window itself: a control of a frame
// lies at the frame's place plus its own.
struct MiejsceWOknie {
  int lewo, gora;
};
constexpr MiejsceWOknie miejsce_w_oknie(const OpisKontrolki& k) {
  if (k.kontener == "Form1") return {k.lewo, k.gora};
  const OpisKontrolki& ramka = kontrolka_form1(k.kontener);
  return {ramka.lewo + k.lewo, ramka.gora + k.gora};
}

}  // namespace wyrownik
