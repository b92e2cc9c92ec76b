// The clearance verdict on one include line.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "clearance/odcinek_toru.hpp"
#include "run/zdarzenia.hpp"

namespace wyrownik {

struct UstawieniaSkrajni {
  std::vector<std::string> lista_inc;  // "*" selects every object
  double maks_promien = 40;            // radius of objects that name none
  double nr_parametru = 7;             // include parameter holding the radius; 0: none
};

// Visits the track segments registered in the cell of (x, z), in the order
// they were stored.
using PrzejdzOdcinki =
    std::function<void(double x, double z, const std::function<void(const OdcinekToru&)>&)>;

// One pass over a line: when the object stands in the clearance of a track,
// `linia` becomes the line with the object pushed clear and the result is
// true. Every segment is tested against the position as read; the last clash
// decides the new position.
bool analizuj_include(std::string_view linia, const UstawieniaSkrajni& ustawienia,
                      const PrzejdzOdcinki& przejdz, std::string& przesunieta);

enum class WerdyktSkrajni { zostaw, przesun, usun };

// Two passes: an object moved once and clear afterwards is moved
// (`poprawiona` holds the line); one that clashes again after the move was
// pushed onto another track and is removed.
WerdyktSkrajni werdykt_skrajni(std::string_view surowa, const UstawieniaSkrajni& ustawienia,
                               const PrzejdzOdcinki& przejdz, std::string& poprawiona);
// The same, telling in `pozostawienie` why a selected object stays: no
// position, a radius of 0 or less, a chord in the strip beyond the probe's
// reach, or clear of every track.
WerdyktSkrajni werdykt_skrajni(std::string_view surowa, const UstawieniaSkrajni& ustawienia,
                               const PrzejdzOdcinki& przejdz, std::string& poprawiona,
                               Pozostawienie& pozostawienie);

}  // namespace wyrownik
