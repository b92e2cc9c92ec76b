// What a run tells as it works: the events of lines and files its outputs
// listen to. The run knows none of its outputs: the log, the patch, the map,
// the backup and the counts each listen, and the batch chooses which.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// Which correction a run makes.
enum class RodzajPrzebiegu { wysokosc, skrajnia };

// What happened to a line: a height changed, a position moved, the line
// removed, or a change a marker kept from being made.
enum class RodzajZmiany : std::uint8_t { wysokosc, przesuniecie, usuniecie, chroniona };

// Why a run left a selected object line as it is: the first test the object
// failed, in the order the run makes its tests.
enum class Powod : std::uint8_t {
  brak,            // not an object the run selects: no reason is told
  wyjatek,         // its name begins with an exception
  brak_polozenia,  // no three numbers in a row
  poza_obszarem,   // outside the batch's area
  brak_terenu,     // no ground triangle or road/river strip contains it
  ponizej_pasma,   // already on the ground: the difference under the lower bound
  powyzej_pasma,   // the difference over the upper bound
  znacznik,        // a marker kept it where it would have changed
  zerowy_promien,  // its radius reads as 0 or less
  krotka_sonda,    // in a track's clearance strip, but its probe does not reach the chord
  wolny,           // clear of every track: counted, never listed
};
inline constexpr std::size_t ile_powodow = 11;

// The key a table and scripts know a reason by ("no-ground").
std::string_view klucz_powodu(Powod p);

// A verdict's reason for leaving a line, with the number that shows it:
// ground − Y for the band's reasons, the distance to the chord for
// krotka_sonda.
struct Pozostawienie {
  Pozostawienie() = default;
  Pozostawienie(Powod p, std::optional<double> w = std::nullopt) : powod(p), wartosc(w) {}

  Powod powod = Powod::brak;
  std::optional<double> wartosc;
  // brak_terenu, when a listener asks: the textures of the triangles that do
  // contain it, a space between two (Windows-1250; valid during the run).
  std::string_view szczegol;
};

// Why a track node gives no segment (a normal track, in the clearance run)
// or no strip (a road or river taken for ground, in the height run).
enum class BrakOdcinka : std::uint8_t {
  niewidoczny,     // "unvis" or "novis" in its header
  niepelny,        // fewer than its four pieces: width, both end points
  krotka_cieciwa,  // its end points less than 1 apart
};

// The key a table and scripts know it by ("hidden").
std::string_view klucz_braku(BrakOdcinka b);

// A track node of the file being read that gives no segment.
struct TorBezOdcinka {
  std::uint64_t linia = 0;  // its header's, from 1
  BrakOdcinka powod = BrakOdcinka::niepelny;
};
using OdbiorcaBrakow = std::function<void(const TorBezOdcinka&)>;

// Counts of one run over one scenery, or of a batch.
struct LicznikiPrzebiegu {
  std::uint64_t ile_zmian = 0;
  std::uint64_t ile_usunietych = 0;
  std::uint64_t ile_chronionych = 0;  // would have changed, kept by a marker
  // Selected objects left as they are, by reason (markers' included).
  std::array<std::uint64_t, ile_powodow> pozostawione{};

  std::uint64_t ile_pozostawionych() const;
  // The reasons that occur, the most frequent first (ties in their order).
  std::vector<Powod> powody_od_najczestszego() const;
  LicznikiPrzebiegu& operator+=(const LicznikiPrzebiegu& l);
};

// The file being rewritten.
struct PlikPrzepisania {
  const StanScenerii& stan;
  std::string_view pelna_sciezka;        // as the log names it (Windows-1250)
  const std::filesystem::path& plik;     // links resolved
  const std::filesystem::path& katalog;  // the scenery directory, links resolved
};

// A line changed or removed, or one a marker kept (`rodzaj` then says what
// the run would have done: `po` empty for a removal).
struct ZmianaLinii {
  RodzajZmiany rodzaj;
  const PlikPrzepisania& plik;
  std::uint64_t nr_linii;  // from 1
  std::string_view przed, po;
};

// A selected object line the run left as it is, and why.
struct LiniaPozostawiona {
  const PlikPrzepisania& plik;
  std::uint64_t nr_linii;  // from 1
  std::string_view linia;  // as read
  const Pozostawienie& pozostawienie;
};

// A marker that protects nothing: the next non-empty line after it is no
// object (an include with five tokens or more), or no line follows it.
struct ZnacznikBezObiektu {
  std::string plik;          // its file's full path as the log names it
  std::uint64_t linia = 0;   // the marker's line, from 1
  std::uint64_t wzieta = 0;  // the line it took; 0 at the end of the file
};

// A listener of a run. Every event is told in the run's own order; a
// listener that throws fails the run there (a backup that cannot be made
// stops the file's replacement).
class Sluchacz {
 public:
  virtual ~Sluchacz() = default;

  // The scenery's run begins (its index made) and ends normally, with its
  // counts.
  virtual void poczatek_scenerii(const StanScenerii&) {}
  virtual void koniec_scenerii(const StanScenerii&, const LicznikiPrzebiegu&) {}
  // The run ended otherwise: stopped on request between two files
  // (`na_prosbe`, the counts those of the files done) or by a failure. Told
  // on the failure path: it must not throw.
  virtual void przerwanie_scenerii(const LicznikiPrzebiegu&, bool /*na_prosbe*/) noexcept {}

  // What the run read, for a drawing; told only to a listener that draws,
  // maybe on the thread that reads.
  virtual bool rysuje() const { return false; }
  virtual void teren(double /*x_min*/, double /*x_max*/, double /*z_min*/, double /*z_max*/) {}
  virtual void pas(double /*x1*/, double /*z1*/, double /*x2*/, double /*z2*/,
                   double /*polowa_szerokosci*/) {}
  virtual void tor(double /*x1*/, double /*z1*/, double /*x2*/, double /*z2*/) {}
  // A triangle node whose texture is not ground (Windows-1250), so that a
  // builder can tell why objects on it have no ground under them.
  virtual void tekstura_poza_terenem(std::string_view /*tekstura*/) {}
  // A track node that gives the run nothing, in the file whose full path
  // the log would name so.
  virtual void tor_bez_odcinka(std::string_view /*pelna_sciezka*/, const TorBezOdcinka&) {}
  // Whether the listener wants to know what lies under an object with no
  // ground under it (Pozostawienie::szczegol): the scan then keeps every
  // object's position and the height run reads the triangles it does not
  // take for ground. Asked before the scan.
  virtual bool chce_tekstur_pod_obiektami() const { return false; }

  // The first change of a file; true when the listener wants every line of
  // the file, from its first: linia() as read (with its end) and as written
  // (nullopt for a line left out).
  virtual bool pierwsza_zmiana(const PlikPrzepisania&) { return false; }
  virtual void linia(std::string_view /*surowa*/, std::string_view /*koniec*/,
                     std::optional<std::string_view> /*zapisana*/) {}
  virtual void zmiana(const ZmianaLinii&) {}
  virtual void chroniona(const ZmianaLinii&) {}
  // Every selected object line left as it is, clear of every track excepted.
  virtual void pozostawiona(const LiniaPozostawiona&) {}
  virtual void znacznik_bez_obiektu(const ZnacznikBezObiektu&) {}
  // The changed file's new content, closed and on disk at `nowa_tresc`, is
  // about to take its place (not in a dry run).
  virtual void przed_zastapieniem(const PlikPrzepisania&, const std::filesystem::path&) {}
  // A changed file is done: replaced, or in a dry run read to its end.
  virtual void gotowy(const PlikPrzepisania&) {}
  // A changed file stays as it was: the run failed or stopped in it. Told
  // on the failure path: it must not throw.
  virtual void porzucony(const PlikPrzepisania&) noexcept {}
};

// The listeners a batch assembles, told in the order added (a backup before
// the log's sync, both before the replacement).
class Sluchacze : public Sluchacz {
 public:
  void dodaj(Sluchacz& s) { lista_.push_back(&s); }

  void poczatek_scenerii(const StanScenerii& stan) override;
  void koniec_scenerii(const StanScenerii& stan, const LicznikiPrzebiegu& l) override;
  void przerwanie_scenerii(const LicznikiPrzebiegu& l, bool na_prosbe) noexcept override;
  bool rysuje() const override;
  void teren(double x_min, double x_max, double z_min, double z_max) override;
  void pas(double x1, double z1, double x2, double z2, double polowa_szerokosci) override;
  void tor(double x1, double z1, double x2, double z2) override;
  void tekstura_poza_terenem(std::string_view tekstura) override;
  void tor_bez_odcinka(std::string_view pelna_sciezka, const TorBezOdcinka& t) override;
  bool chce_tekstur_pod_obiektami() const override;
  bool pierwsza_zmiana(const PlikPrzepisania& p) override;
  void linia(std::string_view surowa, std::string_view koniec,
             std::optional<std::string_view> zapisana) override;
  void zmiana(const ZmianaLinii& z) override;
  void chroniona(const ZmianaLinii& z) override;
  void pozostawiona(const LiniaPozostawiona& l) override;
  void znacznik_bez_obiektu(const ZnacznikBezObiektu& z) override;
  void przed_zastapieniem(const PlikPrzepisania& p, const std::filesystem::path& nowa) override;
  void gotowy(const PlikPrzepisania& p) override;
  void porzucony(const PlikPrzepisania& p) noexcept override;

 private:
  std::vector<Sluchacz*> lista_;
  std::vector<Sluchacz*> linii_;  // of the current file: those that want every line
};

}  // namespace wyrownik
