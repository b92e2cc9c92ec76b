#include "gui/qt/czcionki.hpp"

#include <QFontDatabase>
#include <QFontMetrics>

#include "gui/dopasowanie.hpp"

namespace wyrownik {

QFont czcionka(qreal punkty, bool pogrubiona) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  const QString rodzina = QStringLiteral("MS Sans Serif");
  if (QFontDatabase::hasFamily(rodzina)) {
    f.setFamily(rodzina);
  } else {
    f.setStyleHint(QFont::SansSerif);
  }
  f.setPointSizeF(punkty);
  f.setBold(pogrubiona);
  return f;
}

QFont czcionka_w_miejscu(QFont f, const QString& tekst, const QRect& miejsce, int flagi) {
  f.setPointSizeF(punkty_w_miejscu(f.pointSizeF(), [&](double punkty) {
    QFont proba = f;
    proba.setPointSizeF(punkty);
    const QRect potrzebne = QFontMetrics(proba).boundingRect(miejsce, flagi, tekst);
    return potrzebne.width() <= miejsce.width() && potrzebne.height() <= miejsce.height();
  }));
  return f;
}

}  // namespace wyrownik
