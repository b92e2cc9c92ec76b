// The clearance correction of one scanned scenery.
#pragma once

#include "clearance/analizuj_include.hpp"
#include "run/przebieg.hpp"
#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// "FAZA II" to "FAZA IV": stores the visible normal tracks in the scratch
// index, then pushes every selected object that stands in a track's
// clearance clear of it, removing those pushed onto another track. Throws on
// failure, leaving the scratch files behind.
void sprawdz_scenerie_skr(const StanScenerii& stan, const UstawieniaSkrajni& ustawienia,
                          const KontekstPrzebiegu& kontekst, Postep& postep);

}  // namespace wyrownik
