// Synthetic sceneries for the whole-run benchmarks: a terrain grid split over
// several included files, trees above and below it, road tracks, and pairs
// of normal tracks (a double-track line) with poles along them. The
// generator also works out what each run must do with them, so a benchmark
// can tell a fast run from a fast wrong one.
#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace wyrownik::bench {

struct RozmiarScenerii {
  std::int64_t trojkaty = 1000000;  // terrain triangles, two per 10 x 10 square
  std::int64_t obiekty = 100000;    // trees over the terrain
  int pliki_terenu = 8;
  int drogi = 50;                        // road tracks, 60 long, 9 wide
  int pary_torow = 0;                    // double-track pairs of normal tracks, 100 long each
  std::int64_t obiekty_przy_torach = 0;  // poles, radius 2, within 6 of a track
};

// What was written, and what the runs must make of it with the settings the
// benchmarks use: lista_inc "*", no exceptions, ground prefix "trawa", roads
// on, band 0.5..11, maximum radius 40, radius parameter 7.
struct OpisScenerii {
  std::uint64_t bajty = 0;
  std::int64_t trojkaty_terenu = 0;
  std::int64_t obiekty = 0;  // trees and poles
  std::int64_t tory = 0;
  // Trees 2.5 above or 4 below the ground; those 0.2 above and the poles
  // (on the ground) stay.
  std::int64_t zmiany_wysokosci = 0;
  // Poles within their radius of a track on the outer side of the pair are
  // pushed out; those between the two tracks are pushed onto the other one
  // and removed. Trees keep clear of the tracks.
  std::int64_t zmiany_skrajni = 0;
  std::int64_t usuniecia_skrajni = 0;
  // The fate of each line of obiekty/drzewa.scm in the height run and of
  // obiekty/slupy.scm in the clearance run: 'k' kept, 'z' changed, 'u'
  // removed. The other run keeps every line of both.
  std::string losy_drzew;
  std::string losy_slupow;
};

// A scenery file written through a large buffer; every write is checked.
class PlikScenerii {
 public:
  explicit PlikScenerii(const std::filesystem::path& p) : sciezka_(p), f_(p, std::ios::binary) {
    if (!f_) throw std::runtime_error("cannot create " + p.string());
    bufor_.reserve(pojemnosc);
  }
  PlikScenerii& operator<<(std::string_view s) {
    bufor_.append(s);
    if (bufor_.size() >= pojemnosc) wypisz();
    return *this;
  }
  PlikScenerii& operator<<(double v) {
    char tekst[64];
    const auto w = std::to_chars(tekst, tekst + sizeof tekst, v, std::chars_format::fixed, 3);
    return *this << std::string_view(tekst, static_cast<std::size_t>(w.ptr - tekst));
  }
  PlikScenerii& operator<<(std::int64_t v) {
    char tekst[24];
    const auto w = std::to_chars(tekst, tekst + sizeof tekst, v);
    return *this << std::string_view(tekst, static_cast<std::size_t>(w.ptr - tekst));
  }
  // Returns the number of bytes written; throws when any write failed.
  std::uint64_t zamknij() {
    wypisz();
    f_.close();
    if (!f_) throw std::runtime_error("cannot write " + sciezka_.string());
    return bajty_;
  }

 private:
  static constexpr std::size_t pojemnosc = 1 << 20;
  void wypisz() {
    f_.write(bufor_.data(), static_cast<std::streamsize>(bufor_.size()));
    if (!f_) throw std::runtime_error("cannot write " + sciezka_.string());
    bajty_ += bufor_.size();
    bufor_.clear();
  }
  std::filesystem::path sciezka_;
  std::ofstream f_;
  std::string bufor_;
  std::uint64_t bajty_ = 0;
};

// The value a coordinate has once written with three decimals: the runs see
// only the text.
inline double zapisana(double v) {
  char tekst[64];
  const auto w = std::to_chars(tekst, tekst + sizeof tekst, v, std::chars_format::fixed, 3);
  double wynik = 0;
  std::from_chars(tekst, w.ptr, wynik);
  return wynik;
}

inline double teren(double x, double z) {
  return 0.01 * x + 0.02 * z + 3 * std::sin(x / 50) * std::cos(z / 70);
}

namespace szczegoly {

constexpr double krok = 10;           // side of a terrain square
constexpr double rozstaw_pary = 4.5;  // centre distance of the two tracks of a pair
constexpr double dlugosc_toru = 100;
constexpr double promien_slupa = 2;

struct Droga {
  double x, z;
};

struct UkladTorow {
  int w_rzedzie = 1;  // tracks along one row
  double z0 = 0, odstep = 0;
  // The A track of pair p lies at z0 + p * odstep, its B track rozstaw_pary above.
  int rzad(int p) const { return p / w_rzedzie; }
  double z_a(int p) const { return z0 + odstep * rzad(p); }
  double x_poczatku(int p) const { return 50 + dlugosc_toru * (p % w_rzedzie); }
};

inline bool na_drodze(double x, double z, const std::vector<Droga>& drogi) {
  return std::any_of(drogi.begin(), drogi.end(), [&](const Droga& d) {
    return x > d.x - 1 && x < d.x + 61 && z > d.z - 5.5 && z < d.z + 5.5;
  });
}

// Trees keep 5 clear of both tracks of every row, so no tree (radius 3)
// reaches a track in the clearance run.
inline bool przy_torach(double z, int rzedy, const UkladTorow& u) {
  if (rzedy == 0) return false;
  const double w_rzedach = (z - u.z0) / u.odstep;
  const int najblizszy = std::clamp(static_cast<int>(std::lround(w_rzedach)), 0, rzedy - 1);
  for (int r = std::max(0, najblizszy - 1); r <= std::min(rzedy - 1, najblizszy + 1); ++r) {
    const double za = u.z0 + u.odstep * r;
    if (z > za - 5 && z < za + rozstaw_pary + 5) return true;
  }
  return false;
}

// Too close to a threshold of the clearance test to predict in doubles.
inline bool na_granicy(double d) {
  return std::abs(d) < 0.01 || std::abs(std::abs(d) - promien_slupa) < 0.01;
}

}  // namespace szczegoly

// Writes the scenery "duza.scn" and its files under `katalog` (the scenery
// directory). Throws std::runtime_error when a file cannot be written or the
// tracks do not fit on the terrain.
inline OpisScenerii generuj_scenerie(const std::filesystem::path& katalog,
                                     const RozmiarScenerii& r) {
  namespace fs = std::filesystem;
  using namespace szczegoly;
  fs::create_directories(katalog / "teren");
  fs::create_directories(katalog / "obiekty");
  OpisScenerii opis;

  // Columns of squares along X, each `w_kolumnie` squares along Z; only whole
  // columns are written, so every object has ground under it.
  const std::int64_t kwadraty = std::max<std::int64_t>(1, r.trojkaty / 2);
  const auto w_kolumnie = std::max<std::int64_t>(
      1, static_cast<std::int64_t>(std::ceil(std::sqrt(static_cast<double>(kwadraty)))));
  const std::int64_t kolumny = std::max<std::int64_t>(1, kwadraty / w_kolumnie);
  const double rozmiar_x = static_cast<double>(kolumny) * krok;
  const double rozmiar_z = static_cast<double>(w_kolumnie) * krok;
  std::mt19937_64 los(42);
  std::uniform_real_distribution<double> los_x(1, rozmiar_x - 1), los_z(1, rozmiar_z - 1);

  UkladTorow uklad;
  int rzedy = 0;
  if (r.pary_torow > 0) {
    uklad.w_rzedzie = std::max(1, static_cast<int>((rozmiar_x - 100) / dlugosc_toru));
    rzedy = (r.pary_torow + uklad.w_rzedzie - 1) / uklad.w_rzedzie;
    uklad.z0 = 30;
    uklad.odstep = std::min(50.0, std::floor((rozmiar_z - 60) / rzedy));
    // Rows closer than this would let a pole reach the next pair.
    if (uklad.odstep < 20) throw std::runtime_error("the tracks do not fit on the terrain");
  }

  {
    PlikScenerii glowny(katalog / "duza.scn");
    glowny << "// synthetic benchmark scenery\r\n";
    for (int f = 0; f < r.pliki_terenu; ++f) {
      glowny << "include teren\\teren" << static_cast<std::int64_t>(f) << ".scm end\r\n";
    }
    glowny << "include tory.scm end\r\ninclude obiekty/drzewa.scm end\r\ninclude obiekty/slupy.scm "
              "end\r\n";
    opis.bajty += glowny.zamknij();
  }

  // Terrain: one node per square, as exporters write it, with the material
  // header of real sceneries; every other texture is named with a folder.
  const std::int64_t kolumn_na_plik = (kolumny + r.pliki_terenu - 1) / r.pliki_terenu;
  for (int f = 0; f < r.pliki_terenu; ++f) {
    PlikScenerii p(katalog / "teren" / ("teren" + std::to_string(f) + ".scm"));
    const std::int64_t od = f * kolumn_na_plik, do_ = std::min(kolumny, (f + 1) * kolumn_na_plik);
    for (std::int64_t i = od; i < do_; ++i) {
      for (std::int64_t j = 0; j < w_kolumnie; ++j) {
        p << "node 1000 0 none triangles material ambient: 0.0 0.0 0.0 diffuse: 149.94 149.94 "
             "149.94 "
             "specular: 229.5 229.5 229.5  endmaterial "
          << ((i + j) % 2 == 0 ? "trawa1.dds\r\n" : "teren/trawa2.dds\r\n");
        const double x0 = static_cast<double>(i) * krok, z0 = static_cast<double>(j) * krok;
        const double xs[4] = {x0, x0 + krok, x0, x0 + krok};
        const double zs[4] = {z0, z0, z0 + krok, z0 + krok};
        for (const int k : {0, 1, 2, 1, 3, 2}) {
          p << xs[k] << " " << teren(xs[k], zs[k]) << " " << zs[k] << " \t0.0 1.0 0.0  "
            << static_cast<std::int64_t>(k & 1) << " " << static_cast<std::int64_t>(k >> 1)
            << " end\r\n";
        }
        p << "endtri\r\n\r\n";
        opis.trojkaty_terenu += 2;
      }
    }
    opis.bajty += p.zamknij();
  }

  std::vector<Droga> drogi;
  {
    PlikScenerii p(katalog / "tory.scm");
    std::uniform_real_distribution<double> droga_x(1, std::max(2.0, rozmiar_x - 62)),
        droga_z(6, rozmiar_z - 6);
    for (int d = 0; d < r.drogi; ++d) {
      const Droga droga{zapisana(droga_x(los)), zapisana(droga_z(los))};
      drogi.push_back(droga);
      // Width 6 in the header and 1.5 on the second line: a strip 4.5 to either side.
      p << "node -1 0 droga" << static_cast<std::int64_t>(d)
        << " track road 60 6 0.2 20 0 flat vis\r\n";
      p << "asfalt 4 asfalt.tex 0 1.5 1\r\n";
      p << droga.x << " " << teren(droga.x, droga.z) + 0.5 << " " << droga.z
        << "\r\n0 0 0\r\n0 0 0\r\n";
      p << droga.x + 60 << " " << teren(droga.x + 60, droga.z) + 0.5 << " " << droga.z
        << "\r\n0\r\nendtrack\r\n";
    }
    for (int para = 0; para < r.pary_torow; ++para) {
      const double x = uklad.x_poczatku(para);
      for (const double z : {uklad.z_a(para), uklad.z_a(para) + rozstaw_pary}) {
        // The lines of a real track node, a leading space on the second.
        p << "node 1000 0 none track normal 100.0 1.435 0.25 25.0 20 0 Flat vis\r\n";
        p << " Rail_screw_used1 4 TpBpS-new2.tex 0.2 0.5 1.1\r\n";
        p << x << " " << teren(x, z) + 0.2 << " " << z << "  0.0  //point 1\r\n";
        p << "0.0 0.0 0.0  //control vector 1\r\n0.0 0.0 0.0  //control vector 2\r\n";
        p << x + dlugosc_toru << " " << teren(x + dlugosc_toru, z) + 0.2 << " " << z
          << "  0.0  //point 2\r\n0\r\nendtrack\r\n\r\n";
        ++opis.tory;
      }
    }
    opis.bajty += p.zamknij();
  }

  {
    PlikScenerii p(katalog / "obiekty" / "drzewa.scm");
    for (std::int64_t o = 0; o < r.obiekty; ++o) {
      double x = 0, z = 0;
      do {
        x = zapisana(los_x(los));
        z = zapisana(los_z(los));
      } while (na_drodze(x, z, drogi) || przy_torach(z, rzedy, uklad));
      const double y = teren(x, z) + (o % 3 == 0 ? 0.2 : o % 3 == 1 ? 2.5 : -4.0);
      if (o % 3 != 0) ++opis.zmiany_wysokosci;
      opis.losy_drzew += o % 3 != 0 ? 'z' : 'k';
      // Radius 3 in parameter 7; every fourth tree written with ";" as real files have it.
      if (o % 4 == 0) {
        p << "include;obiekty/drzewo" << o % 7 << ".inc;" << x << ";" << y << ";" << z
          << ";0;1;2;3;4;5;end\r\n";
      } else {
        p << "include obiekty/drzewo" << o % 7 << ".inc " << x << " " << y << " " << z
          << " 0 1 2 3 4 5 end\r\n";
      }
      ++opis.obiekty;
    }
    opis.bajty += p.zamknij();
  }

  {
    PlikScenerii p(katalog / "obiekty" / "slupy.scm");
    std::uniform_real_distribution<double> wzdluz(1, dlugosc_toru - 1), w_poprzek(-6, 6);
    for (std::int64_t o = 0; o < r.obiekty_przy_torach && r.pary_torow > 0; ++o) {
      const int para = static_cast<int>(o % r.pary_torow);
      const double z_a = uklad.z_a(para), z_b = z_a + rozstaw_pary;
      const double z_toru = (o / r.pary_torow) % 2 == 0 ? z_a : z_b;
      double x = 0, z = 0;
      do {
        x = zapisana(uklad.x_poczatku(para) + wzdluz(los));
        z = zapisana(z_toru + w_poprzek(los));
      } while (na_drodze(x, z, drogi) || na_granicy(z - z_a) || na_granicy(z - z_b));
      // A pole within its radius of the A track is pushed 2.92 off it: away
      // from the pair when it stood outside, onto the B track (and removed)
      // when it stood between them; the same the other way round.
      const double da = z - z_a, db = z - z_b;
      char los_slupa = 'k';
      if (std::abs(da) <= promien_slupa) los_slupa = da > 0 ? 'u' : 'z';
      if (std::abs(db) <= promien_slupa) los_slupa = db < 0 ? 'u' : 'z';
      (los_slupa == 'u' ? opis.usuniecia_skrajni : opis.zmiany_skrajni) += los_slupa != 'k';
      opis.losy_slupow += los_slupa;
      // On the ground, radius 2 in parameter 7.
      p << "include tr/slup.inc " << x << " " << zapisana(teren(x, z)) << " " << z
        << " 0.0 0 0 2 end\r\n";
      ++opis.obiekty;
    }
    opis.bajty += p.zamknij();
  }
  return opis;
}

}  // namespace wyrownik::bench
