// What a run saw and changed on one scenery, kept as it works, for the map
// report: the ground as coarse cells, the tracks and strips it used, and
// every change with its position. Kept small: a scenery of millions of
// triangles still makes a map of a few thousand cells.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "geometry/zakres.hpp"
#include "platform/lista_na_dysku.hpp"
#include "run/zdarzenia.hpp"
#include "text/linia.hpp"

namespace wyrownik {

// One change as drawn: where the object stood and where it stands now
// (floats: a drawing needs centimetres, not the text's digits). 20 bytes: a
// batch may change hundreds of thousands of objects.
struct ZmianaNaMapie {
  float x = 0, z = 0;  // as read
  float a = 0, b = 0;  // a move: the new x and z; a height change: new height minus old
  RodzajZmiany rodzaj = RodzajZmiany::wysokosc;

  float x2() const { return rodzaj == RodzajZmiany::przesuniecie ? a : x; }
  float z2() const { return rodzaj == RodzajZmiany::przesuniecie ? b : z; }
  float dy() const { return rodzaj == RodzajZmiany::wysokosc ? a : 0; }
};

// One change as the log writes it, for the report's table.
struct WierszZmiany {
  std::uint32_t plik = 0;  // index into MapaZmian::pliki()
  std::uint64_t nr_linii = 0;
  RodzajZmiany rodzaj = RodzajZmiany::wysokosc;
  // Windows-1250, as in the log; a line longer than dlugosc_w_tabeli is
  // shortened there, and says so (the log has every byte).
  std::string przed, po;
};
inline constexpr std::size_t dlugosc_w_tabeli = 2000;

// An object a run left alone, drawn where it stands; `wiersz` its row in
// the table, -1 beyond the table's rows.
struct PozostawionaNaMapie {
  float x = 0, z = 0;
  Powod powod = Powod::brak;
  std::int32_t wiersz = -1;
};

// One object left alone as the report's table shows it: the position as the
// line spells it (empty without one), the number that shows the reason.
struct WierszPozostawionej {
  std::uint32_t plik = 0;  // index into MapaZmian::pliki()
  std::uint64_t nr_linii = 0;
  Powod powod = Powod::brak;
  std::string x, y, z;
  std::optional<double> wartosc;
  std::string szczegol;    // Windows-1250: the textures under it
  std::int32_t znak = -1;  // its marker in MapaZmian::pozostawione(), -1: none
};

// A track node that gave the run no segment or strip, for the report's table.
struct TorBezOdcinkaWTabeli {
  std::uint32_t plik = 0;  // index into MapaZmian::pliki()
  TorBezOdcinka tor;
};

// A strip along a chord: a road or river used as ground, or a track's
// clearance.
struct PasNaMapie {
  float x1, z1, x2, z2, polowa_szerokosci;
};

struct OdcinekNaMapie {
  float x1, z1, x2, z2;
};

class MapaZmian {
 public:
  // The ground grid's cells along the longer side of the extent.
  static constexpr int komorek_na_boku = 200;

  // `limit_wierszy`: table rows kept; changes beyond it are drawn and counted
  // but their text is left to the log.
  MapaZmian(std::string nazwa_scenerii, const Zakres& zakres, RodzajPrzebiegu rodzaj,
            std::size_t limit_wierszy);

  // A ground triangle's box.
  void teren(double x_min, double x_max, double z_min, double z_max);
  void pas(double x1, double z1, double x2, double z2, double polowa_szerokosci);
  void tor(double x1, double z1, double x2, double z2);
  // A triangle node of a texture that is not ground.
  void tekstura_poza_terenem(std::string_view tekstura);
  void tor_bez_odcinka(std::string_view pelna_sciezka, const TorBezOdcinka& t);
  // A changed or removed line (`po` empty for a removal), its file's full
  // path as the log names it and its line number from 1.
  void zmiana(RodzajZmiany rodzaj, std::string_view pelna_sciezka, std::uint64_t nr_linii,
              std::string_view przed, std::string_view po);
  void znacznik_bez_obiektu(ZnacznikBezObiektu z) { znaczniki_.push_back(std::move(z)); }
  // A selected object left as it is (`linia` as read), and why.
  void pozostawiona(std::string_view pelna_sciezka, std::uint64_t nr_linii, std::string_view linia,
                    const Pozostawienie& pozostawienie);
  void podsumowanie(const LicznikiPrzebiegu& liczniki);
  // From now on, the markers of the changes and of the objects left alone
  // (hundreds of thousands in a large batch) go, but for their last block,
  // to unnamed scratch files in `katalog`. Until then, they stay in memory.
  void na_dysku(const std::filesystem::path& katalog, OperacjeSystemu& operacje);

  const std::string& nazwa_scenerii() const { return nazwa_; }
  const Zakres& zakres() const { return zakres_; }
  bool skrajnia() const { return rodzaj_ == RodzajPrzebiegu::skrajnia; }
  int kolumny() const { return kolumny_; }
  int rzedy() const { return rzedy_; }
  double bok_komorki() const { return bok_; }
  // Whether ground lies in cell (kolumna, rzad), counted from the extent's
  // least X and Z.
  bool zajeta(int kolumna, int rzad) const {
    return komorki_[static_cast<std::size_t>(rzad) * static_cast<std::size_t>(kolumny_) +
                    static_cast<std::size_t>(kolumna)] != 0;
  }
  const std::vector<PasNaMapie>& pasy() const { return pasy_; }
  const std::vector<OdcinekNaMapie>& tory() const { return tory_; }
  const ListaNaDysku<ZmianaNaMapie>& zmiany() const { return zmiany_; }
  const std::vector<WierszZmiany>& wiersze() const { return wiersze_; }
  const std::vector<std::string>& pliki() const { return pliki_; }
  const std::vector<ZnacznikBezObiektu>& znaczniki_bez_obiektu() const { return znaczniki_; }
  std::uint64_t ile_zmian() const { return ile_zmian_; }
  std::uint64_t ile_usunietych() const { return ile_usunietych_; }
  std::uint64_t ile_chronionych() const { return ile_chronionych_; }
  // Drawn: every object left alone with a position, but those a marker kept
  // (drawn with the changes); their table rows, as many as the changes' table
  // may have; the counts by reason, always complete.
  const ListaNaDysku<PozostawionaNaMapie>& pozostawione() const { return pozostawione_; }
  const std::vector<WierszPozostawionej>& wiersze_pozostawionych() const {
    return wiersze_pozostawionych_;
  }
  const LicznikiPrzebiegu& liczniki() const { return liczniki_; }
  // Triangle nodes not taken for ground, by texture (Windows-1250), in
  // their texture's order.
  const std::map<std::string, std::uint64_t, std::less<>>& tekstury_poza_terenem() const {
    return tekstury_poza_terenem_;
  }
  // Objects with no ground under them, by the texture of a triangle that
  // contains them (Windows-1250; an object counts once per texture), and
  // those no triangle at all contains. Complete, however long the table.
  const std::map<std::string, std::uint64_t, std::less<>>& tekstury_pod_obiektami() const {
    return tekstury_pod_obiektami_;
  }
  std::uint64_t bez_trojkata() const { return bez_trojkata_; }
  // Track nodes that gave no segment: as many as the table of changes may
  // have, and how many there were by reason.
  const std::vector<TorBezOdcinkaWTabeli>& tory_bez_odcinka() const { return tory_bez_odcinka_; }
  const std::array<std::uint64_t, 3>& ile_torow_bez_odcinka() const {
    return ile_torow_bez_odcinka_;
  }

 private:
  int kolumna(double x) const;
  // The index of the file in pliki(), added when it is not the last one.
  std::uint32_t numer_pliku(std::string_view pelna_sciezka);
  // The position of an include line, read as the runs read it.
  static std::optional<Trojka> polozenie(std::string_view linia);
  int rzad(double z) const;

  std::string nazwa_;
  Zakres zakres_;
  RodzajPrzebiegu rodzaj_;
  std::size_t limit_wierszy_;
  double bok_ = 1, na_komorki_ = 1;
  int kolumny_ = 1, rzedy_ = 1;
  std::vector<char> komorki_;
  std::vector<PasNaMapie> pasy_;
  std::vector<OdcinekNaMapie> tory_;
  ListaNaDysku<ZmianaNaMapie> zmiany_;
  std::vector<WierszZmiany> wiersze_;
  std::vector<std::string> pliki_;
  std::vector<ZnacznikBezObiektu> znaczniki_;
  ListaNaDysku<PozostawionaNaMapie> pozostawione_;
  std::vector<WierszPozostawionej> wiersze_pozostawionych_;
  LicznikiPrzebiegu liczniki_;
  std::map<std::string, std::uint64_t, std::less<>> tekstury_poza_terenem_;
  std::map<std::string, std::uint64_t, std::less<>> tekstury_pod_obiektami_;
  std::uint64_t bez_trojkata_ = 0;
  std::vector<TorBezOdcinkaWTabeli> tory_bez_odcinka_;
  std::array<std::uint64_t, 3> ile_torow_bez_odcinka_{};
  std::uint64_t ile_zmian_ = 0, ile_usunietych_ = 0, ile_chronionych_ = 0;
};

}  // namespace wyrownik
