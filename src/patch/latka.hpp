// Every change of a batch as a unified diff: for review before a real run,
// and for `patch -p1` (or `git apply`) in the scenery directory.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace wyrownik {

// The patch of a batch. The bytes are the files' own (Windows-1250, their
// line ends kept); its own lines (---, +++, @@) end with LF.
class Latka {
 public:
  static constexpr std::size_t kontekst = 3;

  // `wyjscie` takes the patch's bytes as they come.
  explicit Latka(std::function<void(std::string_view)> wyjscie) : wyjscie_(std::move(wyjscie)) {}

  // Whether the file (its name in the patch) is in it already: a dry run
  // that meets one file in two sceneries offers the same changes twice.
  bool zawiera(const std::string& nazwa) const { return nazwy_.count(nazwa) > 0; }

  // One changed file: every line of it, from its first, as read (with its
  // line end) and as written (CR LF added; nullopt for a line left out).
  class Plik {
   public:
    // `nazwa`: relative to the scenery directory, "/" between components.
    Plik(Latka& latka, std::string nazwa);
    void linia(std::string_view tekst, std::string_view koniec,
               std::optional<std::string_view> nowa);
    // Ends the last hunk. The file's diff is kept until wypisz(): a file
    // that a failure leaves as it was must not be in the patch.
    void zakoncz();
    void wypisz();

   private:
    void otworz_blok();
    void zamknij_blok(std::size_t kontekst_po);
    void dopisz_stara(char znak, std::string_view tekst, std::string_view koniec);

    Latka& latka_;
    std::string nazwa_;
    std::string roznice_;  // the file's hunks so far
    // The last identical lines, with their ends: a ring whose strings keep
    // their room, so that an unchanged line costs no allocation.
    std::array<std::string, kontekst> przed_;
    std::size_t przed_ile_ = 0, przed_nast_ = 0;
    std::string blok_;                      // the open hunk's lines
    std::vector<std::size_t> linie_bloku_;  // where each of them begins
    std::string dodane_;                    // "+" lines waiting for the change's "-" lines
    bool otwarty_ = false;
    std::uint64_t stary_nr_ = 0, nowy_nr_ = 0;  // lines before the current one
    std::uint64_t stary_od_ = 0, nowy_od_ = 0, stare_ = 0, nowe_ = 0;
    std::size_t zgodne_po_ = 0;  // identical lines since the last change
  };

 private:
  std::function<void(std::string_view)> wyjscie_;
  std::set<std::string> nazwy_;
};

}  // namespace wyrownik
