// The fonts of the windows.
#pragma once

#include <QFont>

class QLabel;

namespace wyrownik {

// "MS Sans Serif" where the system has it, the platform's sans-serif
// otherwise; `punkty` in points, so Qt scales it with the screen's density.
QFont czcionka(qreal punkty, bool pogrubiona = false);

// The fixed captions were laid out for "MS Sans Serif"; a wider replacement
// would cut their last lines off. Shrinks the label's font in quarter points
// until its text fits the label (never below 6 points); a text that fits is
// left as it is.
void zmiesc_tekst(QLabel& etykieta);

}  // namespace wyrownik
