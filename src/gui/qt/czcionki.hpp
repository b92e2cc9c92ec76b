// The fonts of the windows.
#pragma once

#include <QFont>

class QRect;
class QString;

namespace wyrownik {

// "MS Sans Serif" where the system has it, the platform's sans-serif
// otherwise; `punkty` in points, so Qt scales it with the screen's density.
QFont czcionka(qreal punkty, bool pogrubiona = false);

// `f`, shrunk until `tekst` laid out with `flagi` fits `miejsce`; a text that
// fits keeps it as it is.
QFont czcionka_w_miejscu(QFont f, const QString& tekst, const QRect& miejsce, int flagi);

}  // namespace wyrownik
