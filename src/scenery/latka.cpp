#include "scenery/latka.hpp"

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
  std::string l;
  l.reserve(tekst.size() + 3);
  l += znak;
  l += tekst;
  l += koniec;
  if (koniec.empty()) l += "\n\\ No newline at end of file\n";
  blok_.push_back(std::move(l));
}

void Latka::Plik::linia(std::string_view tekst, std::string_view koniec,
                        std::optional<std::string_view> nowa) {
  const bool zgodna = nowa && koniec == "\r\n" && *nowa == tekst;
  if (zgodna) {
    if (otwarty_) {
      for (std::string& d : dodane_) blok_.push_back(std::move(d));
      dodane_.clear();
      dopisz_stara(' ', tekst, koniec);
      ++stare_;
      ++nowe_;
      // Far enough from the last change: the hunk ends, and what follows may
      // begin the next one.
      if (++zgodne_po_ == 2 * kontekst + 1) zamknij_blok(kontekst);
    }
    przed_.emplace_back(std::string(tekst) + std::string(koniec));
    if (przed_.size() > kontekst) przed_.pop_front();
  } else {
    if (!otwarty_) otworz_blok();
    zgodne_po_ = 0;
    dopisz_stara('-', tekst, koniec);
    ++stare_;
    if (nowa) {
      dodane_.push_back("+" + std::string(*nowa) + "\r\n");
      ++nowe_;
    }
  }
  ++stary_nr_;
  if (nowa) ++nowy_nr_;
}

void Latka::Plik::otworz_blok() {
  otwarty_ = true;
  stary_od_ = stary_nr_ - przed_.size();
  nowy_od_ = nowy_nr_ - przed_.size();
  stare_ = nowe_ = przed_.size();
  for (const std::string& l : przed_) blok_.push_back(" " + l);
  przed_.clear();
}

void Latka::Plik::zamknij_blok(std::size_t kontekst_po) {
  for (std::string& d : dodane_) blok_.push_back(std::move(d));
  dodane_.clear();
  // Identical lines beyond the context after the last change are not the
  // hunk's.
  const std::size_t nadmiar = zgodne_po_ > kontekst_po ? zgodne_po_ - kontekst_po : 0;
  blok_.resize(blok_.size() - nadmiar);
  stare_ -= nadmiar;
  nowe_ -= nadmiar;
  if (!naglowek_) {
    latka_.wyjscie_("--- a/" + nazwa_ + "\n+++ b/" + nazwa_ + "\n");
    naglowek_ = true;
  }
  latka_.wyjscie_("@@ -" + zakres(stary_od_, stare_) + " +" + zakres(nowy_od_, nowe_) + " @@\n");
  for (const std::string& l : blok_) latka_.wyjscie_(l);
  blok_.clear();
  otwarty_ = false;
  zgodne_po_ = 0;
}

void Latka::Plik::zakoncz() {
  if (otwarty_) zamknij_blok(kontekst);
}

}  // namespace wyrownik
