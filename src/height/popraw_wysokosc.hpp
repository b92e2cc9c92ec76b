// The height verdict on one include line.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "height/trojkat.hpp"
#include "height/ustawienia_wysokosci.hpp"
#include "run/zdarzenia.hpp"

namespace wyrownik {

// Whether (x, z) lies in the triangle's X/Z projection: on an edge, or with
// exactly one edge crossed by a horizontal ray 20000 long to the left, or
// else to the right. Crossings farther away are not seen.
bool punkt_w_trojkacie(double x, double z, const Trojkat& t);

// Visits the stored triangles of the cell of (x, z), in registration order.
using PrzejdzKomorke =
    std::function<void(double x, double z, const std::function<void(const Trojkat&)>&)>;

// The highest ground of the cell at (x, z): the greatest height over the
// triangles that contain the point and are not degenerate; nullopt when
// there is none.
std::optional<double> wysokosc_terenu(double x, double z, const PrzejdzKomorke& przejdz);

// The corrected text of a selected object include whose height differs from
// the ground under it by a difference inside the band; nullopt when the line
// stays as read.
std::optional<std::string> popraw_wysokosc(std::string_view surowa,
                                           const UstawieniaWysokosci& ustawienia,
                                           const Pasmo& pasmo, const PrzejdzKomorke& przejdz);
// The same, telling in `pozostawienie` why a selected object stays.
std::optional<std::string> popraw_wysokosc(std::string_view surowa,
                                           const UstawieniaWysokosci& ustawienia,
                                           const Pasmo& pasmo, const PrzejdzKomorke& przejdz,
                                           Pozostawienie& pozostawienie);

}  // namespace wyrownik
