// Where two segments of the ground plane meet.
#pragma once

namespace wyrownik {

// Decides whether the closed segments P1-P2 and P3-P4 (X, Z) meet. When they
// do, writes the meeting point, always computed along the first segment, and
// returns true. Returns false, leaving `xp` and `zp` untouched, when they miss
// each other and whenever the segments are parallel, collinear (overlapping
// ones too) or one has zero length. Every comparison is exact: no tolerance.
bool przeciecie_odcinkow(double x1, double z1, double x2, double z2, double x3, double z3,
                         double x4, double z4, double& xp, double& zp);

}  // namespace wyrownik
