// Keeps the controls of a resizable window at the distances from its edges
// that they had when it opened. The help window uses it for its text box.
#pragma once

#include <array>
#include <cstddef>

namespace wyrownik {

struct Prostokat {
  float lewo = 0;
  float gora = 0;
  float szerokosc = 0;
  float wysokosc = 0;
};

struct Rozmiar {
  float szerokosc = 0;
  float wysokosc = 0;
};

// Layout state of one kind of window; it outlives the window, so that a later
// opening finds the values of the previous one.
struct UkladOkna {
  static constexpr std::size_t ile_wierszy = 101;  // controls 0..100; further ones keep their place
  enum Kolumna : std::size_t { lewo, od_prawej, gora, od_dolu };
  // Per control: left edge, distance from the right edge of the client area,
  // top edge, distance from the bottom edge. All zero until first recorded.
  std::array<std::array<float, 4>, ile_wierszy> marginesy{};
  // Outer size of the window at the last accepted size.
  float ostatnia_szerokosc = 0;
  float ostatnia_wysokosc = 0;
  // True while the last accepted size is being restored: size changes are
  // then not laid out.
  bool przywracanie = false;
};

// What the layout needs of a window.
class OknoUkladu {
 public:
  virtual ~OknoUkladu() = default;
  virtual Rozmiar rozmiar_klienta() const = 0;
  virtual Rozmiar rozmiar_zewnetrzny() const = 0;
  virtual std::size_t ile_kontrolek() const = 0;
  virtual Prostokat kontrolka(std::size_t numer) const = 0;
  // Places one control; a setting the window system refuses is passed over.
  virtual void ustaw_kontrolke(std::size_t numer, const Prostokat& miejsce) = 0;
  // Sets the outer size; false when the window system refuses it (as it does
  // for a minimised window).
  virtual bool ustaw_rozmiar_zewnetrzny(Rozmiar rozmiar) = 0;
};

// After the window has taken its opening size: remembers that size and the
// controls' margins.
void zapamietaj_uklad(UkladOkna& uklad, const OknoUkladu& okno);

// On every change of the window's size: gives each control the client area
// less its margins. A size that would leave any control without width or
// height is refused: the last accepted size is restored instead, quietly.
void rozmiesc(UkladOkna& uklad, OknoUkladu& okno);

}  // namespace wyrownik
