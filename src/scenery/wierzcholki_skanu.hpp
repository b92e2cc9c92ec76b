// The vertex lines the scan parsed in triangle nodes, kept so that the
// height run's "FAZA III" takes their numbers instead of reading them again.
// A vertex met a moment ago in its file is kept as one byte: terrain
// repeats each corner in the triangles around it (25 MB of terrain: 3 MB).
// Kept in memory up to a bound, beyond which the scan keeps no more: written
// to a scratch file and read back, they cost the scan more than they save.
#pragma once

#include <array>
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/blok_pamieci.hpp"

namespace wyrownik {

// A vertex line's three numbers.
struct PunktSkanu {
  double x = 0, y = 0, z = 0;
};

// The vertex lines right after a triangle node's header, up to the first
// line that holds "endtri" or is no vertex: `ile` of them, the last
// beginning `od_ostatniej` bytes into the file.
struct BiegWierzcholkow {
  std::uint64_t naglowek = 0;  // the header's line number
  std::uint64_t od_ostatniej = 0;
  std::uint64_t ile = 0;
};

namespace detail {
// The vertices met last in a file, each in the place its bits choose, which
// the writer and the reader of its runs keep alike.
struct OstatniePunkty {
  static constexpr unsigned ile = 64;
  static unsigned miejsce(const PunktSkanu& p) {
    const auto b = std::bit_cast<std::array<std::uint64_t, 3>>(p);
    const std::uint64_t h = (b[0] ^ (b[1] * 0x9E3779B97F4A7C15u) ^ (b[2] * 0xC2B2AE3D27D4EB4Fu));
    return static_cast<unsigned>((h * 0x165667B19E3779F9u) >> 58);
  }
  PunktSkanu punkty[ile];
};
}  // namespace detail

// What the scan hands on, file by file. Two files scanned at once add their
// parts as they come, each file's in its order; read back once the scan is
// done.
class WierzcholkiSkanu {
 public:
  // The bytes kept at most.
  static constexpr std::size_t najwiecej = 4 << 20;

  // One file's runs as its scanner writes them, handed on a part at a time.
  class Zapis {
   public:
    // Appends a run and its vertices.
    void dodaj(const BiegWierzcholkow& bieg, const PunktSkanu* punkty);
    // Whether the part is worth handing on.
    bool pelny() const { return bajty_.size() >= (64 << 10); }

   private:
    friend class WierzcholkiSkanu;
    void liczba(std::uint64_t n);
    std::vector<char> bajty_;
    detail::OstatniePunkty ostatnie_;
    BiegWierzcholkow poprzedni_;
  };

  // Empties the list.
  void zacznij();

  // Hands on the part `zapis` holds of entry `plik` of the file list and
  // empties it. A part beyond the bound is let go, and so is every part
  // after it, so that each file's parts kept are the start of its runs.
  void dopisz(std::size_t plik, Zapis& zapis);
  // Whether the bound is reached: runs are no longer worth writing.
  bool pelne() const { return pelne_.load(std::memory_order_relaxed); }

  // Puts the parts in file order; called when the scan is done.
  void uporzadkuj();

  // One file's runs, asked for in the order of their headers.
  class Kursor {
   public:
    // The run after the header at line `naglowek`, if the scan kept one;
    // headers are asked for in increasing order. Its vertices are then
    // taken, all of them, with punkt().
    std::optional<BiegWierzcholkow> bieg(std::uint64_t naglowek);
    PunktSkanu punkt();

   private:
    friend class WierzcholkiSkanu;
    Kursor(const WierzcholkiSkanu& w, std::size_t czesc, std::size_t plik);
    bool koniec();
    std::uint8_t bajt() {
      koniec();
      return static_cast<std::uint8_t>(*biezacy_++);
    }
    std::uint64_t liczba();

    const WierzcholkiSkanu* w_;
    std::size_t plik_;
    std::size_t czesc_;              // the part being read, in czesci_
    const char* biezacy_ = nullptr;  // its bytes not yet read
    const char* koniec_ = nullptr;
    detail::OstatniePunkty ostatnie_;
    BiegWierzcholkow poprzedni_;
    std::optional<BiegWierzcholkow> czekajacy_;  // read, its header not yet asked for
    std::uint64_t do_wziecia_ = 0;               // vertices of the current run not yet taken
  };
  Kursor pliku(std::size_t plik) const;

 private:
  struct Czesc {
    std::size_t plik, od, dlugosc;
  };
  std::mutex zamek_;
  // Made at the first part, whole: the parts are not copied again as they
  // come, and faulting in its pages costs a fault per large page.
  BlokPamieci bajty_;
  std::size_t dlugosc_ = 0;  // the bytes kept
  std::vector<Czesc> czesci_;
  std::atomic<bool> pelne_ = false;
};

}  // namespace wyrownik
