#include "run/oceny.hpp"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "text/czytnik_linii.hpp"
#include "text/linia.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

bool czy_kandydat(std::string_view surowa, Szukanie szukanie) {
  return !czy_komentarz(surowa) && zawiera(surowa, "include", szukanie);
}

Oceny::Oceny(const std::filesystem::path& plik, ZasadyPrzepisania& zasady, bool wspolbiezne,
             Szukanie szukanie, OperacjeSystemu& operacje)
    : zasady_(zasady), okres_(std::max(zasady.okres_oceny(), 2u)) {
  if (!wspolbiezne) return;
  const auto wyprzedzaj = [this, plik, &zasady, szukanie,
                           &operacje](const Potok<Ocena>::Oddaj& oddaj) {
    CzytnikLinii czytnik(plik, operacje);
    Ocena ocena;
    std::uint64_t nr = 0;
    std::string_view surowa;
    while (czytnik.czytaj(surowa)) {
      if (!czy_kandydat(surowa, szukanie) || !z_wyprzedzeniem(nr++)) continue;
      ocena.poprawiona.clear();
      ocena.pozostawienie = {};
      ocena.werdykt = zasady.ocen(surowa, ocena.poprawiona, ocena.pozostawienie);
      oddaj(ocena);
    }
  };
  try {
    // One batch per block; a few blocks ahead at most.
    potok_.emplace(wyprzedzaj, blok, 6);
  } catch (const std::system_error&) {
  }
}

Werdykt Oceny::ocen(std::string_view surowa, std::string& poprawiona,
                    Pozostawienie& pozostawienie) {
  if (!potok_ || !z_wyprzedzeniem(nr_++)) return zasady_.ocen(surowa, poprawiona, pozostawienie);
  if (!potok_->wez(ocena_)) throw std::logic_error("the second reader found fewer candidates");
  poprawiona = std::move(ocena_.poprawiona);
  pozostawienie = ocena_.pozostawienie;
  return ocena_.werdykt;
}

}  // namespace wyrownik
