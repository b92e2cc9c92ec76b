#include "index/indeks.hpp"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "index/siatka.hpp"
#include "platform/bledy.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/pliki_indeksu.hpp"
#include "text/blad_danych.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

// Records decoded byte by byte from the file, whatever the host's byte order.
std::int32_t i32_z_bajtow(const std::string& b, std::size_t poz) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(b[poz + static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(v);
}

RekordKomorki komorka_z_pliku(const std::string& b, std::int32_t nr) {
  const std::size_t poz = 12 * static_cast<std::size_t>(nr - 1);
  return {i32_z_bajtow(b, poz), i32_z_bajtow(b, poz + 4), i32_z_bajtow(b, poz + 8)};
}

Zakres zakres(double min_x, double max_x, double min_z, double max_z) {
  Zakres z;
  z.min_x = min_x;
  z.max_x = max_x;
  z.min_z = min_z;
  z.max_z = max_z;
  return z;
}

RekordDanych rekord(double a) {
  return {a, a + 1, a + 2, a + 3, a + 4, a + 5, a + 6, a + 7, a + 8};
}

TEST(Siatka, StepIsTheFlooredThousandthAtLeastTen) {
  EXPECT_EQ(krok_siatki(5, 5), 10);
  EXPECT_EQ(krok_siatki(0, 25000), 25);
  EXPECT_EQ(krok_siatki(0, 25999), 25);
  EXPECT_EQ(krok_siatki(-100, 10400), 10);
  EXPECT_EQ(krok_siatki(0, 9000), 10);
}

TEST(Siatka, ZeroExtentPutsEveryPointInColumnOne) {
  const Siatka s(zakres(5, 5, 7, 7));
  EXPECT_EQ(s.krok_x(), 10);
  EXPECT_EQ(s.kolumna(5), 1);
  EXPECT_EQ(s.kolumna(14.99), 1);
  EXPECT_EQ(s.kolumna(15), 2);
  EXPECT_EQ(s.numer_komorki(5, 7), 1);
}

TEST(Siatka, LastColumnTakesTheStripBeyondTheGrid) {
  const Siatka s(zakres(100, 10600, 0, 25000));
  EXPECT_EQ(s.krok_x(), 10);
  EXPECT_EQ(s.krok_z(), 25);
  EXPECT_EQ(s.kolumna(100 + 9989.99), 999);
  EXPECT_EQ(s.kolumna(100 + 9990), 1000);
  EXPECT_EQ(s.kolumna(10600), 1000);
  EXPECT_EQ(s.kolumna(1e300), 1000);
  EXPECT_EQ(s.kolumna(99.99), 1);
  EXPECT_EQ(s.kolumna(-1e300), 1);
  EXPECT_EQ(s.wiersz(24.99), 1);
  EXPECT_EQ(s.wiersz(25), 2);
  EXPECT_EQ(s.wiersz(25000), 1000);
}

TEST(Siatka, CellNumberIsRowPlusThousandTimesColumnBefore) {
  const Siatka s(zakres(0, 10000, 0, 10000));
  EXPECT_EQ(s.numer_komorki(0, 0), 1);
  EXPECT_EQ(s.numer_komorki(0, 9999), 1000);
  EXPECT_EQ(s.numer_komorki(10, 0), 1001);
  EXPECT_EQ(s.numer_komorki(25, 47), 2005);
  EXPECT_EQ(s.numer_komorki(1e9, 1e9), 1000000);
  EXPECT_EQ(Siatka::numer(3, 4), 2004);
}

class IndeksNaDysku : public ::testing::Test {
 protected:
  IndeksNaDysku() : zakres_siatki(zakres(0, 10000, 0, 10000)) {}  // cells of 10 x 10

  std::string plik_komorek() const { return testy::wczytaj(k / "aaa.aab"); }
  std::string plik_danych() const { return testy::wczytaj(k / "aaa.aaa"); }

  // A walk, as the payload records' first values.
  static std::vector<double> przejdz(const Indeks& indeks, double x, double z) {
    std::vector<double> w;
    indeks.przejdz_komorke(x, z, [&](const RekordDanych& r) { w.push_back(r[0]); });
    return w;
  }

  testy::KatalogTymczasowy k;
  Zakres zakres_siatki;
};

TEST_F(IndeksNaDysku, CreationWritesEmptyHeads) {
  // Leftovers of a failed run are cut away.
  k.zapisz("aaa.aaa", std::string(1000, 'x'));
  k.zapisz("aaa.aab", std::string(20'000'000, 'x'));
  {
    Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
    EXPECT_EQ(indeks.ile_rekordow(), 0);
    EXPECT_EQ(indeks.ile_rekordow_komorek(), 1000000);
    EXPECT_EQ(indeks.siatka().krok_x(), 10);
  }
  EXPECT_EQ(fs::file_size(k / "aaa.aaa"), 0u);
  const std::string komorki = plik_komorek();
  ASSERT_EQ(komorki.size(), 12'000'000u);
  EXPECT_EQ(komorki, std::string(12'000'000, '\0'));
}

TEST_F(IndeksNaDysku, PayloadRecordsAreNineLittleEndianDoubles) {
  {
    Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
    EXPECT_EQ(indeks.dopisz_rekord(rekord(10)), 1);
    EXPECT_EQ(indeks.dopisz_rekord({1.0, -2.0, 0, 0, 0, 0, 0, 0, 0.5}), 2);
    EXPECT_EQ(indeks.ile_rekordow(), 2);
  }
  const std::string dane = plik_danych();
  ASSERT_EQ(dane.size(), 144u);
  const unsigned char jeden[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
  const unsigned char minus_dwa[8] = {0, 0, 0, 0, 0, 0, 0, 0xC0};
  const unsigned char pol[8] = {0, 0, 0, 0, 0, 0, 0xE0, 0x3F};
  EXPECT_EQ(std::memcmp(dane.data() + 72, jeden, 8), 0);
  EXPECT_EQ(std::memcmp(dane.data() + 80, minus_dwa, 8), 0);
  EXPECT_EQ(std::memcmp(dane.data() + 72 + 64, pol, 8), 0);
  EXPECT_EQ(dane.substr(88, 48), std::string(48, '\0'));
}

TEST_F(IndeksNaDysku, AChainOfThreeInCellFive) {
  {
    Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
    for (int i = 1; i <= 3; ++i) indeks.dopisz_rekord(rekord(i));
    for (std::int32_t nr = 1; nr <= 3; ++nr) indeks.dopisz_do_komorki(5, nr);
    EXPECT_EQ(indeks.ile_rekordow_komorek(), 1000002);
    EXPECT_EQ(przejdz(indeks, 0, 45), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(indeks.siatka().numer_komorki(0, 45), 5);
  }
  const std::string komorki = plik_komorek();
  ASSERT_EQ(komorki.size(), 12u * 1000002);
  EXPECT_EQ(komorka_z_pliku(komorki, 5), (RekordKomorki{1000002, 1000001, 1}));
  EXPECT_EQ(komorka_z_pliku(komorki, 1000001), (RekordKomorki{0, 1000002, 2}));
  EXPECT_EQ(komorka_z_pliku(komorki, 1000002), (RekordKomorki{0, 0, 3}));
  // Nothing else was touched.
  for (std::int32_t c : {1, 4, 6, 1000000}) EXPECT_EQ(komorka_z_pliku(komorki, c), RekordKomorki{});
  EXPECT_EQ(komorki.substr(0, 48), std::string(48, '\0'));
  const unsigned char glowa[12] = {0x42, 0x42, 0x0F, 0, 0x41, 0x42, 0x0F, 0, 1, 0, 0, 0};
  EXPECT_EQ(std::memcmp(komorki.data() + 48, glowa, 12), 0);
}

// A run empties the index at each file's end: from then on the files show
// every element and every chain, heads on pages far apart included, while
// the index is still open.
TEST_F(IndeksNaDysku, AfterEmptyingBothFilesShowEveryChainWhileOpen) {
  Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
  for (int i = 1; i <= 5; ++i) indeks.dopisz_rekord(rekord(i));
  indeks.dopisz_do_komorki(5, 1);
  indeks.dopisz_do_komorki(5, 2);
  indeks.dopisz_do_komorki(999'999, 3);
  // The last head kept in memory, and the first one kept in the mapping.
  constexpr std::int32_t granica = Indeks::glowy_w_pamieci;
  indeks.dopisz_do_komorki(granica, 4);
  indeks.dopisz_do_komorki(granica + 1, 5);
  indeks.oproznij();
  // Open, the file is as long as its reserve.
  const std::string komorki = plik_komorek();
  ASSERT_GE(komorki.size(), 12u * 1000001);
  EXPECT_EQ(komorka_z_pliku(komorki, 5), (RekordKomorki{1000001, 1000001, 1}));
  EXPECT_EQ(komorka_z_pliku(komorki, 1000001), (RekordKomorki{0, 0, 2}));
  EXPECT_EQ(komorka_z_pliku(komorki, 999'999), (RekordKomorki{999'999, 0, 3}));
  EXPECT_EQ(komorka_z_pliku(komorki, granica), (RekordKomorki{granica, 0, 4}));
  EXPECT_EQ(komorka_z_pliku(komorki, granica + 1), (RekordKomorki{granica + 1, 0, 5}));
  EXPECT_EQ(przejdz(indeks, 10 * ((granica - 1) / 1000) + 5, 10 * ((granica - 1) % 1000) + 5),
            (std::vector<double>{4}));
  EXPECT_EQ(testy::rekord_danych(plik_danych(), 3), rekord(3));
  indeks.usun_indeks();
}

TEST_F(IndeksNaDysku, ASingleRegistrationUsesTheHeadOnly) {
  {
    Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
    for (int i = 1; i <= 4; ++i) indeks.dopisz_rekord(rekord(i));
    indeks.dopisz_do_komorki(7, 4);
    EXPECT_EQ(indeks.ile_rekordow_komorek(), 1000000);
    EXPECT_EQ(przejdz(indeks, 5, 65), (std::vector<double>{4}));
  }
  const std::string komorki = plik_komorek();
  ASSERT_EQ(komorki.size(), 12'000'000u);
  EXPECT_EQ(komorka_z_pliku(komorki, 7), (RekordKomorki{7, 0, 4}));
}

TEST_F(IndeksNaDysku, BoxesRegisterColumnByColumnRowByRow) {
  {
    Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
    indeks.dopisz_rekord(rekord(1));
    indeks.dopisz_rekord(rekord(2));
    // Columns 1..2, rows 1..2: heads first, then overflow in cell order.
    indeks.rejestruj_w_komorkach(1, 5, 15, 5, 15);
    EXPECT_EQ(indeks.ile_rekordow_komorek(), 1000000);
    indeks.rejestruj_w_komorkach(2, 15, 5, 5, 15);  // x_max < x_min: nothing
    EXPECT_EQ(indeks.ile_rekordow_komorek(), 1000000);
    indeks.rejestruj_w_komorkach(2, 0, 19.9, 0, 19.9);
    EXPECT_EQ(indeks.ile_rekordow_komorek(), 1000004);
    EXPECT_EQ(przejdz(indeks, 12, 3), (std::vector<double>{1, 2}));
  }
  const std::string komorki = plik_komorek();
  EXPECT_EQ(komorka_z_pliku(komorki, 1), (RekordKomorki{1000001, 1000001, 1}));
  EXPECT_EQ(komorka_z_pliku(komorki, 2), (RekordKomorki{1000002, 1000002, 1}));
  EXPECT_EQ(komorka_z_pliku(komorki, 1001), (RekordKomorki{1000003, 1000003, 1}));
  EXPECT_EQ(komorka_z_pliku(komorki, 1002), (RekordKomorki{1000004, 1000004, 1}));
  EXPECT_EQ(komorka_z_pliku(komorki, 3), RekordKomorki{});
  EXPECT_EQ(komorka_z_pliku(komorki, 2001), RekordKomorki{});
  for (std::int32_t r = 1000001; r <= 1000004; ++r) {
    EXPECT_EQ(komorka_z_pliku(komorki, r), (RekordKomorki{0, 0, 2}));
  }
}

TEST_F(IndeksNaDysku, BoxesOutsideTheExtentsLandInTheBorderCells) {
  Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
  indeks.dopisz_rekord(rekord(1));
  indeks.dopisz_rekord(rekord(2));
  indeks.rejestruj_w_komorkach(1, -500, -100, 15, 25);      // left of min_x: column 1, rows 2..3
  indeks.rejestruj_w_komorkach(2, 20000, 1e12, -1e12, -5);  // column 1000, row 1
  EXPECT_EQ(przejdz(indeks, -1e9, 20), (std::vector<double>{1}));
  EXPECT_EQ(przejdz(indeks, 0, 25), (std::vector<double>{1}));
  EXPECT_TRUE(przejdz(indeks, 0, 35).empty());
  EXPECT_TRUE(przejdz(indeks, 10, 20).empty());
  EXPECT_EQ(przejdz(indeks, 1e9, -1e9), (std::vector<double>{2}));
  EXPECT_EQ(przejdz(indeks, 9995, 0), (std::vector<double>{2}));
  EXPECT_EQ(indeks.ile_rekordow_komorek(), 1000000);
}

TEST_F(IndeksNaDysku, AWalkOfANeverUsedCellVisitsNothing) {
  Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
  indeks.dopisz_rekord(rekord(1));
  indeks.dopisz_do_komorki(1, 1);
  EXPECT_TRUE(przejdz(indeks, 5000, 5000).empty());
  EXPECT_TRUE(przejdz(indeks, 10000, 10000).empty());
}

TEST_F(IndeksNaDysku, WrongNumbersAreRefused) {
  Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
  indeks.dopisz_rekord(rekord(1));
  EXPECT_THROW(indeks.dopisz_do_komorki(0, 1), BladDanych);
  EXPECT_THROW(indeks.dopisz_do_komorki(1000001, 1), BladDanych);
  EXPECT_THROW(indeks.dopisz_do_komorki(1, 2), BladDanych);
  EXPECT_THROW(indeks.dopisz_do_komorki(1, 0), BladDanych);
}

TEST_F(IndeksNaDysku, DeletedAtTheNormalEndLeftBehindOtherwise) {
  {
    Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
    indeks.dopisz_rekord(rekord(1));
    indeks.rejestruj_w_komorkach(1, 0, 0, 0, 0);
    indeks.usun_indeks();
    EXPECT_FALSE(fs::exists(k / "aaa.aaa"));
    EXPECT_FALSE(fs::exists(k / "aaa.aab"));
    EXPECT_THROW(indeks.dopisz_rekord(rekord(2)), BladPliku);
  }
  EXPECT_FALSE(fs::exists(k / "aaa.aaa"));
  EXPECT_FALSE(fs::exists(k / "aaa.aab"));
  try {
    Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
    indeks.dopisz_rekord(rekord(1));
    indeks.rejestruj_w_komorkach(1, 0, 0, 0, 0);
    indeks.rejestruj_w_komorkach(1, 0, 0, 0, 0);
    throw BladDanych("a run fails");
  } catch (const BladDanych&) {
  }
  ASSERT_TRUE(fs::exists(k / "aaa.aaa"));
  ASSERT_TRUE(fs::exists(k / "aaa.aab"));
  EXPECT_EQ(fs::file_size(k / "aaa.aaa"), 72u);
  EXPECT_EQ(fs::file_size(k / "aaa.aab"), 12u * 1000001);
  EXPECT_EQ(komorka_z_pliku(plik_komorek(), 1), (RekordKomorki{1000001, 1000001, 1}));
}

#ifndef _WIN32  // file-size limits are POSIX
// Files may grow no further than `bajty` while it lives, as on a full disk.
class LimitRozmiaru {
 public:
  explicit LimitRozmiaru(rlim_t bajty) {
    ::getrlimit(RLIMIT_FSIZE, &stary_);
    sygnal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit nowy = stary_;
    nowy.rlim_cur = bajty;
    ustawiony_ = ::setrlimit(RLIMIT_FSIZE, &nowy) == 0;
  }
  ~LimitRozmiaru() {
    ::setrlimit(RLIMIT_FSIZE, &stary_);
    std::signal(SIGXFSZ, sygnal_);
  }
  bool ustawiony() const { return ustawiony_; }

 private:
  rlimit stary_{};
  void (*sygnal_)(int) = nullptr;
  bool ustawiony_ = false;
};

TEST_F(IndeksNaDysku, AFileThatCannotGrowIsAFailureNotACrash) {
  {
    const LimitRozmiaru limit(12'500'000);
    ASSERT_TRUE(limit.ustawiony());
    Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
    indeks.dopisz_rekord(rekord(1));
    indeks.dopisz_do_komorki(3, 1);
    // The first overflow record needs more room than the limit leaves.
    EXPECT_THROW(indeks.dopisz_do_komorki(3, 1), BladPliku);
  }
  const std::string komorki = plik_komorek();
  ASSERT_EQ(komorki.size(), 12'000'000u);
  EXPECT_EQ(komorka_z_pliku(komorki, 3), (RekordKomorki{3, 0, 1}));
  {
    const LimitRozmiaru limit(1'000'000);
    EXPECT_THROW(Indeks(k.sciezka(), zakres_siatki, operacje_systemowe()), BladPliku);
  }
}

#endif

TEST_F(IndeksNaDysku, AMovedIndexKeepsWorking) {
  Indeks pierwszy = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
  pierwszy.dopisz_rekord(rekord(1));
  Indeks drugi = std::move(pierwszy);
  drugi.dopisz_rekord(rekord(2));
  drugi.rejestruj_w_komorkach(2, 0, 0, 0, 0);
  EXPECT_EQ(przejdz(drugi, 0, 0), (std::vector<double>{2}));
  drugi.usun_indeks();
  EXPECT_FALSE(fs::exists(k / "aaa.aab"));
}

TEST_F(IndeksNaDysku, InterleavedWalksVisitWhatEachWalkVisits) {
  Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
  std::mt19937 los(7);
  std::uniform_real_distribution<double> polozenie(0, 9900);
  std::uniform_real_distribution<double> bok(0, 80);
  // Chains of every length, heads in memory and past them (column 350 on),
  // elements in the file and still waiting to be written.
  for (std::int32_t nr = 1; nr <= 3000; ++nr) {
    if (nr == 2000) indeks.oproznij();
    const double x = nr % 3 == 0 ? polozenie(los) / 20 : polozenie(los);
    const double z = polozenie(los) / 40;
    indeks.dopisz_rekord(rekord(nr));
    indeks.rejestruj_w_komorkach(nr, x, x + bok(los), z, z + bok(los));
  }
  std::vector<PunktXZ> punkty;
  for (int i = 0; i < 200; ++i) {
    const double x = polozenie(los);
    punkty.push_back({i % 3 == 0 ? x / 20 : x, polozenie(los) / 40});
  }
  punkty.push_back({5000, 9000});  // a cell no element touches
  std::vector<std::vector<double>> przeplatane(punkty.size());
  indeks.przejdz_komorki(
      punkty, [&](std::size_t i, const RekordDanych& r) { przeplatane[i].push_back(r[0]); });
  std::size_t odwiedzone = 0;
  for (std::size_t i = 0; i < punkty.size(); ++i) {
    EXPECT_EQ(przeplatane[i], przejdz(indeks, punkty[i].x, punkty[i].z)) << i;
    odwiedzone += przeplatane[i].size();
  }
  EXPECT_GT(odwiedzone, 2 * punkty.size());
  indeks.usun_indeks();
}

TEST_F(IndeksNaDysku, FilesGrowPastTheirFirstReserve) {
  // More overflow records and elements than the first growth steps hold.
  constexpr std::int32_t ile = 400'000;
  {
    Indeks indeks = Indeks(k.sciezka(), zakres_siatki, operacje_systemowe());
    for (std::int32_t nr = 1; nr <= ile; ++nr) {
      ASSERT_EQ(indeks.dopisz_rekord(rekord(nr)), nr);
      // Every element in the nine cells of columns 1..3, rows 1..3, and in
      // cell 1000000.
      indeks.rejestruj_w_komorkach(nr, 0, 25, 0, 25);
      indeks.dopisz_do_komorki(1000000, nr);
    }
    EXPECT_EQ(indeks.ile_rekordow_komorek(), 1000000 + 10 * (ile - 1));
    std::int32_t oczekiwany = 0;
    bool w_kolejnosci = true;
    indeks.przejdz_komorke(15, 25, [&](const RekordDanych& r) {
      ++oczekiwany;
      w_kolejnosci = w_kolejnosci && r == rekord(oczekiwany);
    });
    EXPECT_EQ(oczekiwany, ile);
    EXPECT_TRUE(w_kolejnosci);
    EXPECT_EQ(przejdz(indeks, 1e9, 1e9).size(), static_cast<std::size_t>(ile));
  }
  EXPECT_EQ(fs::file_size(k / "aaa.aaa"), 72u * ile);
  EXPECT_EQ(fs::file_size(k / "aaa.aab"), 12u * (1000000 + 10u * (ile - 1)));
  // Elements reach the file in blocks: each in its place across the blocks.
  const std::string dane = plik_danych();
  for (const std::int32_t nr : {1, 1024, 1025, 2049, 399'999, ile}) {
    EXPECT_EQ(testy::rekord_danych(dane, nr), rekord(nr)) << nr;
  }
}

}  // namespace
}  // namespace wyrownik
