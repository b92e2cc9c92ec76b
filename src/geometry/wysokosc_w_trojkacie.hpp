// Height of a terrain triangle's plane over a point of the ground plane.
#pragma once

namespace wyrownik {

// Vertices are given as X, Z, height. Writes into `y` the height at (x, z) of
// the plane through the three vertices, by linear interpolation over their
// projection onto the X/Z plane; a point outside the triangle gets the height
// of the extended plane (containment is the caller's test). Returns false,
// leaving `y` untouched, when the projection has exactly zero area; there is
// no tolerance, so a sliver of tiny area still counts.
bool wysokosc_w_trojkacie(double x1, double z1, double y1, double x2, double z2, double y2,
                          double x3, double z3, double y3, double x, double z, double& y);

}  // namespace wyrownik
