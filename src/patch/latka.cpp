#include "patch/latka.hpp"

#include <utility>

namespace wyrownik {

namespace {

// A hunk's range as unified diffs write it: an empty range names the line
// before it.
std::string zakres(std::uint64_t od, std::uint64_t ile) {
  return std::to_string(ile == 0 ? od : od + 1) + "," + std::to_string(ile);
}

}  // namespace

Latka::Plik::Plik(Latka& latka, std::string nazwa) : latka_(latka), nazwa_(std::move(nazwa)) {
  latka_.nazwy_.insert(nazwa_);
}

void Latka::Plik::dopisz_stara(char znak, std::string_view tekst, std::string_view koniec) {
  linie_bloku_.push_back(blok_.size());
  blok_ += znak;
  blok_ += tekst;
  blok_ += koniec;
  if (koniec.empty()) blok_ += "\n\\ No newline at end of file\n";
}

void Latka::Plik::linia(std::string_view tekst, std::string_view koniec,
                        std::optional<std::string_view> nowa) {
  const bool zgodna = nowa && koniec == "\r\n" && *nowa == tekst;
  if (zgodna) {
    if (otwarty_) {
      blok_ += dodane_;
      dodane_.clear();
      dopisz_stara(' ', tekst, koniec);
      ++stare_;
      ++nowe_;
      // Far enough from the last change: the hunk ends, and what follows may
      // begin the next one.
      if (++zgodne_po_ == 2 * kontekst + 1) zamknij_blok(kontekst);
    }
    std::string& miejsce = przed_[przed_nast_];
    miejsce.assign(tekst);
    miejsce += koniec;
    przed_nast_ = (przed_nast_ + 1) % kontekst;
    if (przed_ile_ < kontekst) ++przed_ile_;
  } else {
    if (!otwarty_) otworz_blok();
    zgodne_po_ = 0;
    przed_ile_ = 0;  // lines before a change are no context of a later hunk
    dopisz_stara('-', tekst, koniec);
    ++stare_;
    if (nowa) {
      // The "+" lines follow all "-" lines of their change.
      dodane_ += '+';
      dodane_ += *nowa;
      dodane_ += "\r\n";
      ++nowe_;
    }
  }
  ++stary_nr_;
  if (nowa) ++nowy_nr_;
}

void Latka::Plik::otworz_blok() {
  otwarty_ = true;
  stary_od_ = stary_nr_ - przed_ile_;
  nowy_od_ = nowy_nr_ - przed_ile_;
  stare_ = nowe_ = przed_ile_;
  for (std::size_t i = 0; i < przed_ile_; ++i) {
    linie_bloku_.push_back(blok_.size());
    blok_ += ' ';
    blok_ += przed_[(przed_nast_ + kontekst - przed_ile_ + i) % kontekst];
  }
  przed_ile_ = 0;
}

void Latka::Plik::zamknij_blok(std::size_t kontekst_po) {
  blok_ += dodane_;
  dodane_.clear();
  // Identical lines beyond the context after the last change are not the
  // hunk's; they are its last lines, none of them "+".
  const std::size_t nadmiar = zgodne_po_ > kontekst_po ? zgodne_po_ - kontekst_po : 0;
  if (nadmiar > 0) blok_.resize(linie_bloku_[linie_bloku_.size() - nadmiar]);
  stare_ -= nadmiar;
  nowe_ -= nadmiar;
  if (roznice_.empty()) {
    // A TAB ends a name with a space for `patch`, as diff and git write it.
    const std::string_view koniec = nazwa_.find(' ') != std::string::npos ? "\t\n" : "\n";
    roznice_ += "--- a/" + nazwa_ + std::string(koniec) + "+++ b/" + nazwa_ + std::string(koniec);
  }
  roznice_ += "@@ -" + zakres(stary_od_, stare_) + " +" + zakres(nowy_od_, nowe_) + " @@\n";
  roznice_ += blok_;
  blok_.clear();
  linie_bloku_.clear();
  otwarty_ = false;
  zgodne_po_ = 0;
}

void Latka::Plik::zakoncz() {
  if (otwarty_) zamknij_blok(kontekst);
}

void Latka::Plik::wypisz() {
  if (!roznice_.empty()) latka_.wyjscie_(roznice_);
  roznice_.clear();
}

}  // namespace wyrownik
