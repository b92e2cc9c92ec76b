// The height correction of one scanned scenery.
#pragma once

#include "height/ustawienia_wysokosci.hpp"
#include "run/przebieg.hpp"
#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// "FAZA II" to "FAZA IV": stores the ground in the scratch index, then sets
// the height of every selected object to the ground under it when the
// difference lies in `pasmo`. Throws on failure, leaving the scratch files
// behind.
void sprawdz_scenerie_wys(const StanScenerii& stan, const UstawieniaWysokosci& ustawienia,
                          const Pasmo& pasmo, const KontekstPrzebiegu& kontekst, Postep& postep);

}  // namespace wyrownik
