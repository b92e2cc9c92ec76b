// The height correction of one scanned scenery.
#pragma once

#include "app/partia.hpp"

namespace wyrownik {

// "FAZA II" to "FAZA IV": stores the ground in the scratch index, then sets
// the height of every selected object to the ground under it when the
// difference lies in the band given by the texts of Text1 and Text2. Throws
// on failure, leaving the scratch files behind.
void sprawdz_scenerie_wys(StanScenerii& stan, const Srodowisko& srodowisko, OknoPartii& okno);

}  // namespace wyrownik
