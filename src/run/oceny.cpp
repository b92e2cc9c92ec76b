#include "run/oceny.hpp"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "text/linia.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

bool czy_kandydat(std::string_view surowa, Szukanie szukanie) {
  return !czy_komentarz(surowa) && zawiera(surowa, "include", szukanie);
}

void ZebraneLinie::dodaj(std::string_view surowa) {
  bajty_.append(surowa);
  konce_.push_back(bajty_.size());
}

bool ZebraneLinie::ocen(ZasadyPrzepisania& zasady) {
  const std::size_t n = konce_.size();
  linie_.clear();
  for (std::size_t i = 0; i < n; ++i) linie_.push_back(linia(i));
  if (oceny_.size() < n) oceny_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    oceny_[i].werdykt = Werdykt::zostaw;
    oceny_[i].poprawiona.clear();
    oceny_[i].pozostawienie = {};
  }
  try {
    zasady.ocen_blok(linie_, std::span(oceny_).first(n));
    return true;
  } catch (...) {
    return false;
  }
}

void ZebraneLinie::wyczysc() {
  bajty_.clear();
  konce_.clear();
}

Oceny::Oceny(const std::filesystem::path& plik, ZasadyPrzepisania& zasady, bool wspolbiezne,
             bool blokami, Szukanie szukanie, OperacjeSystemu& operacje)
    : zasady_(zasady), okres_(std::max(zasady.okres_oceny(), 2u)), szukanie_(szukanie) {
  if (blokami) naprzod_.emplace(plik, operacje);
  if (!wspolbiezne) return;
  const auto wyprzedzaj = [this, plik, &zasady, szukanie, blokami,
                           &operacje](const Potok<OcenaLinii>::Oddaj& oddaj) {
    CzytnikLinii czytnik(plik, operacje);
    ZebraneLinie zebrane;
    const auto oddaj_zebrane = [&] {
      if (zebrane.ocen(zasady)) {
        for (std::size_t i = 0; i < zebrane.ile(); ++i) oddaj(zebrane.ocena(i));
      } else {
        OcenaLinii ocena;
        for (std::size_t i = 0; i < zebrane.ile(); ++i) {
          ocena.poprawiona.clear();
          ocena.pozostawienie = {};
          ocena.werdykt = zasady.ocen(zebrane.linia(i), ocena.poprawiona, ocena.pozostawienie);
          oddaj(ocena);
        }
      }
      zebrane.wyczysc();
    };
    OcenaLinii ocena;
    std::uint64_t nr = 0;
    std::string_view surowa;
    while (czytnik.czytaj(surowa)) {
      if (!czy_kandydat(surowa, szukanie) || nr++ / blok % okres_ == 0) continue;
      if (!blokami) {
        ocena.poprawiona.clear();
        ocena.pozostawienie = {};
        ocena.werdykt = zasady.ocen(surowa, ocena.poprawiona, ocena.pozostawienie);
        oddaj(ocena);
        continue;
      }
      zebrane.dodaj(surowa);
      if (zebrane.pelne()) oddaj_zebrane();
    }
    if (zebrane.ile() > 0) oddaj_zebrane();
  };
  try {
    // One batch per block; a few blocks ahead at most.
    potok_.emplace(wyprzedzaj, blok, 6);
  } catch (const std::system_error&) {
  }
}

void Oceny::czytaj_naprzod() {
  zebrane_.wyczysc();
  wydane_ = 0;
  std::string_view surowa;
  while (!zebrane_.pelne() && naprzod_->czytaj(surowa)) {
    if (!czy_kandydat(surowa, szukanie_) || z_wyprzedzeniem(nr_naprzod_++)) continue;
    zebrane_.dodaj(surowa);
  }
  if (zebrane_.ile() == 0) throw std::logic_error("the reader ahead found fewer candidates");
  zebrane_ocenione_ = zebrane_.ocen(zasady_);
}

Werdykt Oceny::ocen(std::string_view surowa, std::string& poprawiona,
                    Pozostawienie& pozostawienie) {
  if (z_wyprzedzeniem(nr_++)) {
    if (!potok_->wez(ocena_)) throw std::logic_error("the second reader found fewer candidates");
    poprawiona = std::move(ocena_.poprawiona);
    pozostawienie = ocena_.pozostawienie;
    return ocena_.werdykt;
  }
  if (!naprzod_) return zasady_.ocen(surowa, poprawiona, pozostawienie);
  if (wydane_ == zebrane_.ile()) czytaj_naprzod();
  if (zebrane_.linia(wydane_) != surowa) {
    throw std::logic_error("the reader ahead found another candidate");
  }
  if (!zebrane_ocenione_) {
    ++wydane_;
    return zasady_.ocen(surowa, poprawiona, pozostawienie);
  }
  OcenaLinii& ocena = zebrane_.ocena(wydane_++);
  poprawiona = std::move(ocena.poprawiona);
  pozostawienie = ocena.pozostawienie;
  return ocena.werdykt;
}

}  // namespace wyrownik
