// Which side of a line a point lies on, decided exactly.
#pragma once

namespace wyrownik {

// The sign (-1, 0, +1) of the determinant (bx - ax)(pz - az) - (bz - az)(px - ax)
// computed as if in exact arithmetic on the given doubles: 0 exactly when P
// lies on the line through A and B. A rounded evaluation misses points that
// lie on a slanted line and takes points a hair beside it for on it. Exact
// while no product of two coordinate differences underflows (differences
// above about 1e-146 in magnitude, or zero).
int znak_orientacji(double ax, double az, double bx, double bz, double px, double pz);

// Whether P lies on the closed segment from A to B: on its line, exactly,
// and within its bounding box. A segment of zero length holds only its point.
bool na_odcinku(double px, double pz, double ax, double az, double bx, double bz);

}  // namespace wyrownik
