// Synthetic sceneries for the whole-run benchmarks: a terrain grid split over
// several included files, objects above and below it, road tracks and normal
// tracks with objects along them.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace wyrownik::bench {

struct RozmiarScenerii {
  std::int64_t trojkaty = 1000000;
  std::int64_t obiekty = 100000;
  int pliki_terenu = 8;
  int drogi = 50;
  int tory = 0;             // normal tracks, 100 long each, in rows
  int obiekty_przy_torach = 0;
};

class Plik {
 public:
  explicit Plik(const std::filesystem::path& p) : f_(p, std::ios::binary) {
    if (!f_) throw std::runtime_error("cannot write " + p.string());
  }
  Plik& operator<<(const std::string& s) {
    f_.write(s.data(), static_cast<std::streamsize>(s.size()));
    bajty_ += s.size();
    return *this;
  }
  ~Plik() { f_.close(); }
  std::uint64_t bajty() const { return bajty_; }

 private:
  std::ofstream f_;
  std::uint64_t bajty_ = 0;
};

inline std::string liczba(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f", v);
  return buf;
}

inline double teren(double x, double z) { return 0.01 * x + 0.02 * z + 3 * std::sin(x / 50) * std::cos(z / 70); }

// Writes the scenery "duza.scn" and its files under `katalog` (the scenery
// directory); returns the number of bytes written.
inline std::uint64_t generuj_scenerie(const std::filesystem::path& katalog, const RozmiarScenerii& r) {
  namespace fs = std::filesystem;
  fs::create_directories(katalog / "teren");
  fs::create_directories(katalog / "obiekty");
  std::uint64_t razem = 0;
  const auto bok = static_cast<std::int64_t>(std::ceil(std::sqrt(static_cast<double>(r.trojkaty) / 2)));
  const double krok = 10;
  const double rozmiar = static_cast<double>(bok) * krok;
  std::mt19937_64 los(42);
  std::uniform_real_distribution<double> pozycja(1, rozmiar - 1);

  {
    Plik glowny(katalog / "duza.scn");
    glowny << "// synthetic benchmark scenery\r\n";
    for (int f = 0; f < r.pliki_terenu; ++f) glowny << "include teren\\teren" + std::to_string(f) + ".scm end\r\n";
    glowny << "include obiekty/obiekty.scm end\r\ninclude tory.scm end\r\n";
    razem += glowny.bajty();
  }
  std::int64_t zapisane = 0;
  const std::int64_t wierszy_na_plik = (bok + r.pliki_terenu - 1) / r.pliki_terenu;
  for (int f = 0; f < r.pliki_terenu; ++f) {
    Plik p(katalog / "teren" / ("teren" + std::to_string(f) + ".scm"));
    for (std::int64_t i = f * wierszy_na_plik; i < std::min(bok, (f + 1) * wierszy_na_plik); ++i) {
      p << "node -1 0 teren triangles trawa1.dds\r\n";
      for (std::int64_t j = 0; j < bok && zapisane < r.trojkaty; ++j) {
        const double x0 = static_cast<double>(i) * krok, z0 = static_cast<double>(j) * krok;
        const double xs[4] = {x0, x0 + krok, x0, x0 + krok};
        const double zs[4] = {z0, z0, z0 + krok, z0 + krok};
        for (const int k : {0, 1, 2, 1, 3, 2}) {
          p << liczba(xs[k]) + " " + liczba(teren(xs[k], zs[k])) + " " + liczba(zs[k]) + " 0.0 1.0 0.0 " +
                   std::to_string(k & 1) + " " + std::to_string(k >> 1) + "\r\n";
        }
        zapisane += 2;
      }
      p << "endtri\r\n";
    }
    razem += p.bajty();
  }
  {
    Plik p(katalog / "obiekty" / "obiekty.scm");
    for (std::int64_t o = 0; o < r.obiekty; ++o) {
      const double x = pozycja(los), z = pozycja(los);
      const double y = teren(x, z) + (o % 3 == 0 ? 0.2 : o % 3 == 1 ? 2.5 : -4.0);
      p << "include obiekty/drzewo" + std::to_string(o % 7) + ".inc " + liczba(x) + " " + liczba(y) + " " +
               liczba(z) + " 0 1 2 3 4 5 end\r\n";
    }
    razem += p.bajty();
  }
  {
    Plik p(katalog / "tory.scm");
    for (int d = 0; d < r.drogi; ++d) {
      const double x = pozycja(los), z = pozycja(los);
      p << "node -1 0 droga" + std::to_string(d) + " track road 20 6 0.2 20 0 flat vis\r\n";
      p << "asfalt 4 asfalt.tex 0 1.5 1\r\n";
      p << liczba(x) + " " + liczba(teren(x, z) + 0.5) + " " + liczba(z) + "\r\n0 0 0\r\n0 0 0\r\n";
      p << liczba(x + 60) + " " + liczba(teren(x + 60, z) + 0.5) + " " + liczba(z) + "\r\n0\r\nendtrack\r\n";
    }
    const int w_rzedzie = std::max(1, static_cast<int>(rozmiar / 100) - 1);
    for (int t = 0; t < r.tory; ++t) {
      const double x = 50 + 100.0 * (t % w_rzedzie);
      const double z = 25 + 50.0 * (t / w_rzedzie);
      p << "node 1000 0 none track normal 100.0 1.435 0.25 25.0 20 0 Flat vis\r\n";
      p << " Rail_screw_used1 4 TpBpS-new2.tex 0.2 0.5 1.1\r\n";
      p << liczba(x) + " 0.2 " + liczba(z) + "  0.0  //point 1\r\n0.0 0.0 0.0\r\n0.0 0.0 0.0\r\n";
      p << liczba(x + 100) + " 0.2 " + liczba(z) + "  0.0  //point 2\r\n0\r\nendtrack\r\n";
    }
    std::uniform_real_distribution<double> przesuniecie(-6, 6);
    for (int o = 0; o < r.obiekty_przy_torach && r.tory > 0; ++o) {
      const int t = o % r.tory;
      const double x = 50 + 100.0 * (t % w_rzedzie) + pozycja(los) / rozmiar * 100;
      const double z = 25 + 50.0 * (t / w_rzedzie) + przesuniecie(los);
      p << "include slup.inc " + liczba(x) + " 0 " + liczba(z) + " 0 0 0 0 2 end\r\n";
    }
    razem += p.bajty();
  }
  return razem;
}

}  // namespace wyrownik::bench
