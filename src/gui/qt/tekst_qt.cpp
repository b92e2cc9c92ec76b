#include "gui/qt/tekst_qt.hpp"

#include <QList>
#include <QStringDecoder>

#include "text/kodowanie.hpp"

namespace wyrownik {

QString z_cp1250(std::string_view tekst) {
  const std::string utf8 = cp1250_na_utf8(tekst);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string na_cp1250(const QString& tekst) {
  std::string wynik;
  wynik.reserve(static_cast<std::size_t>(tekst.size()));
  for (const char32_t kod : tekst.toUcs4()) wynik += znak_cp1250(kod).value_or('?');
  return wynik;
}

QString nazwa_do_wyswietlenia(std::string_view nazwa) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString tekst = utf8.decode(QByteArrayView(nazwa.data(), static_cast<qsizetype>(nazwa.size())));
  if (!utf8.hasError()) return tekst;
  return z_cp1250(nazwa);
}

}  // namespace wyrownik
