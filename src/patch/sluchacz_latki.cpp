#include "patch/sluchacz_latki.hpp"

#include <string>

#include "platform/nazwy.hpp"

namespace wyrownik {

namespace {

// A file's name in the patch: relative to the scenery directory, "/"
// between components, each as the directory spells it; the file itself,
// not a link to it, since patch follows no link.
std::string nazwa_w_latce(const std::filesystem::path& plik, const std::filesystem::path& katalog) {
  std::string nazwa;
  for (const std::filesystem::path& skladnik : plik.lexically_relative(katalog)) {
    if (!nazwa.empty()) nazwa += '/';
    nazwa += bajty_sciezki(skladnik);
  }
  return nazwa;
}

}  // namespace

bool SluchaczLatki::pierwsza_zmiana(const PlikPrzepisania& p) {
  plik_.reset();
  std::string nazwa = nazwa_w_latce(p.plik, p.katalog);
  if (tryb_ == TrybPrzebiegu::na_sucho && latka_.zawiera(nazwa)) return false;
  plik_.emplace(latka_, std::move(nazwa));
  return true;
}

void SluchaczLatki::gotowy(const PlikPrzepisania&) {
  if (!plik_) return;
  plik_->zakoncz();
  plik_->wypisz();
  plik_.reset();
}

}  // namespace wyrownik
