#include "gui/qt/frmhelp.hpp"

#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <cmath>

#include "gui/qt/czcionki.hpp"
#include "gui/tabela_kontrolek.hpp"
#include "gui/tekst_pomocy.hpp"
#include "gui/twipy.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik {

namespace {

int calkowite(float wartosc) {
  return static_cast<int>(std::lround(wartosc));
}

}  // namespace

Frmhelp::Frmhelp(UkladOkna& uklad, QWidget* rodzic) : QDialog(rodzic), uklad_(uklad) {
  setObjectName(QStringLiteral("Frmhelp"));
  setWindowTitle(QString::fromUtf8(tytul_pomocy));
  setFont(czcionka(punkty_okien));
  resize(piksele(szerokosc_pomocy), piksele(wysokosc_pomocy));

  Text1_ = new QPlainTextEdit(this);
  Text1_->setObjectName(QStringLiteral("Text1"));
  Text1_->setFont(czcionka(punkty_pomocy));
  Text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QString tekst = QString::fromStdString(cp1250_na_utf8(tekst_pomocy));
  tekst.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Text1_->setPlainText(tekst);
  Text1_->setGeometry(piksele(margines_pomocy), piksele(margines_pomocy),
                      piksele(szerokosc_tekstu_pomocy), piksele(wysokosc_tekstu_pomocy));
}

void Frmhelp::przygotuj(const QScreen& ekran) {
  const QRect obszar = ekran.availableGeometry();
  move(obszar.topLeft());
  // Width first, then height, each a size change of its own. The layout runs
  // here rather than from the resize events, which a hidden window only gets
  // when it is shown, after the margins are recorded.
  if (ustaw_rozmiar_zewnetrzny(
          {static_cast<float>(obszar.width()), rozmiar_zewnetrzny().wysokosc})) {
    rozmiesc(uklad_, *this);
  }
  if (ustaw_rozmiar_zewnetrzny(
          {rozmiar_zewnetrzny().szerokosc, static_cast<float>(obszar.height())})) {
    rozmiesc(uklad_, *this);
  }
  zapamietaj_uklad(uklad_, *this);
}

int Frmhelp::otworz(const QScreen& ekran) {
  przygotuj(ekran);
  return exec();
}

void Frmhelp::resizeEvent(QResizeEvent* zdarzenie) {
  QDialog::resizeEvent(zdarzenie);
  rozmiesc(uklad_, *this);
}

Rozmiar Frmhelp::rozmiar_klienta() const {
  if (isMinimized()) return {0, 0};
  return {static_cast<float>(width()), static_cast<float>(height())};
}

Rozmiar Frmhelp::rozmiar_zewnetrzny() const {
  // Before the window system has framed the window the frame counts nothing.
  const QSize ramka = isVisible() ? frameGeometry().size() : size();
  return {static_cast<float>(ramka.width()), static_cast<float>(ramka.height())};
}

Prostokat Frmhelp::kontrolka(std::size_t) const {
  const QRect g = Text1_->geometry();
  return {static_cast<float>(g.x()), static_cast<float>(g.y()), static_cast<float>(g.width()),
          static_cast<float>(g.height())};
}

void Frmhelp::ustaw_kontrolke(std::size_t, const Prostokat& m) {
  Text1_->setGeometry(calkowite(m.lewo), calkowite(m.gora), calkowite(m.szerokosc),
                      calkowite(m.wysokosc));
}

bool Frmhelp::ustaw_rozmiar_zewnetrzny(Rozmiar r) {
  if (isMinimized()) return false;
  const QSize ramka = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
  resize(calkowite(r.szerokosc) - ramka.width(), calkowite(r.wysokosc) - ramka.height());
  return true;
}

}  // namespace wyrownik
