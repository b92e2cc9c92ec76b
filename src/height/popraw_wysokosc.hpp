// The height verdict on one include line.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "geometry/wysokosc_w_trojkacie.hpp"
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

// The highest ground at (x, z), as a run finds it.
using TerenPod = std::function<std::optional<double>(double x, double z)>;

// The highest ground of the cell at (x, z): the greatest height over the
// triangles that contain the point and are not degenerate; nullopt when
// there is none. `przejdz(x, z, test)` calls test(const Trojkat&) for each
// triangle of the cell: a template, so that a run's walk costs no
// type-erased call per triangle.
// The highest ground so far at (x, z), `najwyzsza`, with triangle `t`
// taken into account: raised when t contains the point, is not degenerate
// and is higher there.
inline void uwzglednij_trojkat(double x, double z, const Trojkat& t,
                               std::optional<double>& najwyzsza) {
  if (!punkt_w_trojkacie(x, z, t)) return;
  double h = 0;
  if (!wysokosc_w_trojkacie(t.v[0].x, t.v[0].z, t.v[0].y, t.v[1].x, t.v[1].z, t.v[1].y, t.v[2].x,
                            t.v[2].z, t.v[2].y, x, z, h)) {
    return;
  }
  if (!najwyzsza || h > *najwyzsza) najwyzsza = h;
}

// The highest ground of the cell at (x, z): the greatest height over the
// triangles that contain the point and are not degenerate; nullopt when
// there is none. `przejdz(x, z, test)` calls test(const Trojkat&) for each
// triangle of the cell: a template, so that a run's walk costs no
// type-erased call per triangle.
template <class Przejdz>
std::optional<double> najwyzszy_teren(double x, double z, Przejdz&& przejdz) {
  std::optional<double> najwyzsza;
  przejdz(x, z, [&](const Trojkat& t) { uwzglednij_trojkat(x, z, t, najwyzsza); });
  return najwyzsza;
}

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
// The same with the ground found by `teren`, as a run finds it.
std::optional<std::string> popraw_wysokosc(std::string_view surowa,
                                           const UstawieniaWysokosci& ustawienia,
                                           const Pasmo& pasmo, const TerenPod& teren,
                                           Pozostawienie& pozostawienie);

}  // namespace wyrownik
