// The clearance correction of one scanned scenery.
#pragma once

#include "app/partia.hpp"

namespace wyrownik {

// "FAZA II" to "FAZA IV": stores the visible normal tracks in the scratch
// index, then pushes every selected object that stands in a track's
// clearance clear of it, removing those pushed onto another track. The
// maximum radius and the radius parameter come from the texts of Text3 and
// Text4. Throws on failure, leaving the scratch files behind.
void sprawdz_scenerie_skr(StanScenerii& stan, const Srodowisko& srodowisko, OknoPartii& okno);

}  // namespace wyrownik
