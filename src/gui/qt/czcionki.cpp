#include "gui/qt/czcionki.hpp"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>

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

void zmiesc_tekst(QLabel& etykieta) {
  QFont f = etykieta.font();
  const QRect miejsce = etykieta.contentsRect();
  const int flagi = static_cast<int>(etykieta.alignment()) |
                    (etykieta.wordWrap() ? static_cast<int>(Qt::TextWordWrap) : 0);
  while (f.pointSizeF() > 6) {
    const QRect potrzebne = QFontMetrics(f).boundingRect(miejsce, flagi, etykieta.text());
    if (potrzebne.width() <= miejsce.width() && potrzebne.height() <= miejsce.height()) break;
    f.setPointSizeF(f.pointSizeF() - 0.25);
  }
  etykieta.setFont(f);
}

}  // namespace wyrownik
