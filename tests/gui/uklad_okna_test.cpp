#include "gui/uklad_okna.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace wyrownik {
namespace {

// A window with a frame of fixed thickness around its client area; it refuses
// every size while minimised.
struct Okno : OknoUkladu {
  static constexpr float ramka_x = 8;
  static constexpr float ramka_y = 30;
  Rozmiar klient{527, 327};
  std::vector<Prostokat> kontrolki{{8, 8, 513, 281}};
  bool zminimalizowane = false;
  int odmowy = 0;
  std::vector<Rozmiar> ustawione;

  Rozmiar rozmiar_klienta() const override { return zminimalizowane ? Rozmiar{0, 0} : klient; }
  Rozmiar rozmiar_zewnetrzny() const override {
    return {klient.szerokosc + ramka_x, klient.wysokosc + ramka_y};
  }
  std::size_t ile_kontrolek() const override { return kontrolki.size(); }
  Prostokat kontrolka(std::size_t i) const override { return kontrolki[i]; }
  void ustaw_kontrolke(std::size_t i, const Prostokat& p) override { kontrolki[i] = p; }
  bool ustaw_rozmiar_zewnetrzny(Rozmiar r) override {
    if (zminimalizowane) {
      ++odmowy;
      return false;
    }
    ustawione.push_back(r);
    klient = {r.szerokosc - ramka_x, r.wysokosc - ramka_y};
    return true;
  }
  // A size change as the window system reports it.
  void zmien(UkladOkna& u, Rozmiar nowy_klient) {
    klient = nowy_klient;
    rozmiesc(u, *this);
  }
};

void wypelnia(const Okno& o) {
  const auto& p = o.kontrolki[0];
  EXPECT_EQ(p.lewo, 0);
  EXPECT_EQ(p.gora, 0);
  EXPECT_EQ(p.szerokosc, o.klient.szerokosc);
  EXPECT_EQ(p.wysokosc, o.klient.wysokosc);
}

TEST(UkladOkna, FirstOpeningStretchesTheControlOverTheClientArea) {
  UkladOkna u;
  Okno o;
  // Opening: full width, then full height, each laid out at once.
  o.zmien(u, {1024, 327});
  o.zmien(u, {1024, 738});
  wypelnia(o);
  zapamietaj_uklad(u, o);
  EXPECT_EQ(u.marginesy[0], (std::array<float, 4>{0, 0, 0, 0}));
  EXPECT_EQ(u.ostatnia_szerokosc, 1032);
  EXPECT_EQ(u.ostatnia_wysokosc, 768);
  for (const Rozmiar r : {Rozmiar{300, 200}, Rozmiar{1, 1}, Rozmiar{1500, 40}}) {
    o.zmien(u, r);
    wypelnia(o);
    EXPECT_EQ(u.ostatnia_szerokosc, r.szerokosc + Okno::ramka_x);
  }
}

TEST(UkladOkna, KeepsRecordedMargins) {
  UkladOkna u;
  Okno o;  // design place 8, 8 in a 527 x 327 client area
  zapamietaj_uklad(u, o);
  EXPECT_EQ(u.marginesy[0], (std::array<float, 4>{8, 6, 8, 38}));
  o.zmien(u, {600, 400});
  const auto& p = o.kontrolki[0];
  EXPECT_EQ(p.lewo, 8);
  EXPECT_EQ(p.gora, 8);
  EXPECT_EQ(p.szerokosc, 586);
  EXPECT_EQ(p.wysokosc, 354);
}

TEST(UkladOkna, RefusesASizeWithoutRoomAndRestoresTheLastOne) {
  UkladOkna u;
  Okno o;
  zapamietaj_uklad(u, o);  // margins 8, 6, 8, 38
  o.zmien(u, {600, 400});
  const auto przed = o.kontrolki[0];
  // Too low for the bottom margin: the last accepted outer size comes back.
  o.zmien(u, {600, 40});
  ASSERT_EQ(o.ustawione.size(), 1u);
  EXPECT_EQ(o.ustawione[0].szerokosc, 608);
  EXPECT_EQ(o.ustawione[0].wysokosc, 430);
  EXPECT_FALSE(u.przywracanie);
  EXPECT_EQ(o.kontrolki[0].wysokosc, przed.wysokosc);
  EXPECT_EQ(o.klient.wysokosc, 400);
}

TEST(UkladOkna, MinimisedWindowIsPassedOverQuietly) {
  UkladOkna u;
  Okno o;
  o.zmien(u, {800, 600});
  zapamietaj_uklad(u, o);
  o.zminimalizowane = true;
  rozmiesc(u, o);
  EXPECT_EQ(o.odmowy, 1);
  EXPECT_FALSE(u.przywracanie);
  EXPECT_EQ(o.kontrolki[0].szerokosc, 800);
  o.zminimalizowane = false;
  o.zmien(u, {640, 480});
  wypelnia(o);
}

TEST(UkladOkna, NoLayoutWhileRestoring) {
  UkladOkna u;
  Okno o;
  zapamietaj_uklad(u, o);
  u.przywracanie = true;
  o.zmien(u, {900, 900});
  EXPECT_EQ(o.kontrolki[0].szerokosc, 513);
}

}  // namespace
}  // namespace wyrownik
