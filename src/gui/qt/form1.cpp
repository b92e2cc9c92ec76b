#include "gui/qt/form1.hpp"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <utility>

#include "batch/cofniecie.hpp"
#include "gui/qt/czcionki.hpp"
#include "gui/qt/frmhelp.hpp"
#include "gui/qt/tekst_qt.hpp"
#include "gui/tabela_kontrolek.hpp"
#include "gui/twipy.hpp"
#include "text/sciezki.hpp"

namespace wyrownik {

namespace {

void umiesc(QWidget* w, int lewo, int gora, int szerokosc, int wysokosc) {
  w->setGeometry(piksele(lewo), piksele(gora), piksele(szerokosc), piksele(wysokosc));
}

template <typename T>
T* utworz(QWidget* rodzic, const char* nazwa) {
  auto* w = new T(rodzic);
  w->setObjectName(QString::fromLatin1(nazwa));
  return w;
}

QLabel* etykieta_w(QWidget* rodzic, const char* nazwa, const QString& tekst) {
  auto* l = utworz<QLabel>(rodzic, nazwa);
  // Status lines show scenery and file names: never rich text.
  l->setTextFormat(Qt::PlainText);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setText(tekst);
  return l;
}

QPushButton* przycisk_w(QWidget* rodzic, const char* nazwa, const QString& tekst) {
  auto* p = utworz<QPushButton>(rodzic, nazwa);
  p->setText(tekst);
  p->setAutoDefault(false);
  return p;
}

void pokaz_w_oknie_komunikatu(const QString& tekst) {
  QMessageBox okno(QMessageBox::NoIcon, QCoreApplication::applicationName(), tekst,
                   QMessageBox::Ok);
  okno.exec();
}

}  // namespace

Form1::Form1(PokazywanieKomunikatu pokazywanie, QWidget* rodzic)
    : QWidget(rodzic),
      pokazywanie_(pokazywanie ? std::move(pokazywanie)
                               : PokazywanieKomunikatu(pokaz_w_oknie_komunikatu)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(tekst_utf8(tytul_form1));
  setFont(czcionka(punkty_okien));
  resize(piksele(szerokosc_form1), piksele(wysokosc_form1));

  // Every control from the shared table, in its order: containers before
  // what they hold, the controls Tab reaches in their tab order.
  QList<QWidget*> kolejnosc;
  for (const OpisKontrolki& k : kontrolki_form1) {
    QWidget* w = utworz_kontrolke(k);
    if (k.wyglad.na_wierzchu) w->raise();  // over a frame it does not belong to
    if (!k.wyglad.wlaczona) w->setEnabled(false);
    if (w->focusPolicy() & Qt::TabFocus) kolejnosc << w;
  }
  for (qsizetype i = 0; i + 1 < kolejnosc.size(); ++i) setTabOrder(kolejnosc[i], kolejnosc[i + 1]);

  File1_ = findChild<QListWidget*>(QStringLiteral("File1"));
  Frame1_ = findChild<QGroupBox*>(QStringLiteral("Frame1"));
  Frame2_ = findChild<QGroupBox*>(QStringLiteral("Frame2"));
  Text1_ = findChild<QLineEdit*>(QStringLiteral("Text1"));
  Text2_ = findChild<QLineEdit*>(QStringLiteral("Text2"));
  Text3_ = findChild<QLineEdit*>(QStringLiteral("Text3"));
  Text4_ = findChild<QLineEdit*>(QStringLiteral("Text4"));
  Command1_ = findChild<QPushButton*>(QStringLiteral("Command1"));
  Command2_ = findChild<QPushButton*>(QStringLiteral("Command2"));
  Command3_ = findChild<QPushButton*>(QStringLiteral("Command3"));
  Command4_ = findChild<QPushButton*>(QStringLiteral("Command4"));
  Command5_ = findChild<QPushButton*>(QStringLiteral("Command5"));
  Check1_ = findChild<QCheckBox*>(QStringLiteral("Check1"));
  Label2_ = findChild<QLabel*>(QStringLiteral("Label2"));
  Label3_ = findChild<QLabel*>(QStringLiteral("Label3"));
  Label4_ = findChild<QLabel*>(QStringLiteral("Label4"));

  {
    // Two lines in a button as wide as Command3: the font shrinks in quarter
    // points until both fit, as the fixed captions do.
    QFont f = Command4_->font();
    const int miejsce = Command4_->width() - 6;
    const QString pierwsza = Command4_->text().section(QLatin1Char('\n'), 0, 0);
    while (f.pointSizeF() > 6) {
      const QFontMetrics m(f);
      if (m.horizontalAdvance(pierwsza) <= miejsce && 2 * m.height() <= Command4_->height() - 2) {
        break;
      }
      f.setPointSizeF(f.pointSizeF() - 0.25);
    }
    Command4_->setFont(f);
  }

  File1_->setFocus();
  connect(Command3_, &QPushButton::clicked, this, &Form1::pokaz_pomoc);
  connect(Command4_, &QPushButton::clicked, this, &Form1::cofnij_ostatnia);
  connect(Command5_, &QPushButton::clicked, this, &Form1::pokaz_raport);
}

QWidget* Form1::utworz_kontrolke(const OpisKontrolki& k) {
  QWidget* rodzic = this;
  if (k.kontener != "Form1") rodzic = findChild<QGroupBox*>(tekst_utf8(k.kontener));
  const char* nazwa = k.nazwa.data();  // the table's names are literals
  const QString tekst = tekst_utf8(k.tekst);
  QWidget* w = nullptr;
  switch (k.rodzaj) {
    case RodzajKontrolki::lista: {
      auto* l = utworz<QListWidget>(rodzic, nazwa);
      // Ctrl- and Shift-click pick several sceneries, as in a desktop file list.
      l->setSelectionMode(QAbstractItemView::ExtendedSelection);
      w = l;
      break;
    }
    case RodzajKontrolki::ramka: {
      auto* r = utworz<QGroupBox>(rodzic, nazwa);
      r->setTitle(tekst);
      w = r;
      break;
    }
    case RodzajKontrolki::pole: {
      auto* p = utworz<QLineEdit>(rodzic, nazwa);
      p->setText(tekst);
      w = p;
      break;
    }
    case RodzajKontrolki::przycisk:
      w = przycisk_w(rodzic, nazwa, tekst);
      break;
    case RodzajKontrolki::etykieta:
      w = etykieta_w(rodzic, nazwa, tekst);
      break;
    case RodzajKontrolki::napis: {
      auto* l = etykieta_w(rodzic, nazwa, tekst);
      l->setWordWrap(true);
      w = l;
      break;
    }
    case RodzajKontrolki::pole_wyboru: {
      auto* c = utworz<QCheckBox>(rodzic, nazwa);
      c->setText(tekst);
      w = c;
      break;
    }
  }
  if (k.wyglad.punkty != punkty_okien || k.wyglad.pogrubiona)
    w->setFont(czcionka(k.wyglad.punkty, k.wyglad.pogrubiona));
  if (k.wyglad.kolor != 0) {
    QPalette paleta = w->palette();
    paleta.setColor(QPalette::WindowText, QColor::fromRgb(k.wyglad.kolor));
    w->setPalette(paleta);
  }
  umiesc(w, k.lewo, k.gora, k.szerokosc, k.wysokosc);
  if (k.rodzaj == RodzajKontrolki::napis) zmiesc_tekst(*static_cast<QLabel*>(w));
  return w;
}

void Form1::pokaz_komunikat(std::string_view tekst) {
  pokazywanie_(z_cp1250(tekst));
}

void Form1::wylacz_wejscia() {
  for (const Wejscie w : wszystkie_wejscia) wejscie(w)->setEnabled(false);
  Check1_->setEnabled(false);  // a preview of batches that cannot run
}

void Form1::wskaz_katalog(const std::filesystem::path& katalog) {
  File1_->clear();
  for (const std::string& nazwa : pliki_scenerii(katalog)) {
    auto* wpis = new QListWidgetItem(nazwa_do_wyswietlenia(nazwa), File1_);
    wpis->setData(Qt::UserRole, QByteArray(nazwa.data(), static_cast<qsizetype>(nazwa.size())));
  }
}

void Form1::pokaz(Etykieta e, std::string_view tekst) {
  etykieta(e)->setText(z_cp1250(tekst));
}

void Form1::przetworz_zdarzenia() {
  QCoreApplication::processEvents();
}

std::string Form1::tekst_pola(Pole p) const {
  return na_cp1250(pole(p)->text());
}

std::string Form1::wpis_listy(std::size_t i) const {
  const QListWidgetItem* wpis = File1_->item(static_cast<int>(i));
  return wpis ? wpis->data(Qt::UserRole).toByteArray().toStdString() : std::string();
}

void Form1::ustaw_wejscia_partii(bool wlaczone) {
  for (const Wejscie w : wejscia_partii) wejscie(w)->setEnabled(wlaczone);
}

void Form1::ustaw_kursor_zajety(bool zajety) {
  if (zajety == kursor_zajety_) return;
  kursor_zajety_ = zajety;
  // Over the main window only: the help window, usable during a batch,
  // keeps its normal pointer.
  if (zajety) {
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

QLineEdit* Form1::pole(Pole p) const {
  switch (p) {
    case Pole::text1:
      return Text1_;
    case Pole::text2:
      return Text2_;
    case Pole::text3:
      return Text3_;
    case Pole::text4:
      return Text4_;
  }
  return nullptr;
}

QLabel* Form1::etykieta(Etykieta e) const {
  switch (e) {
    case Etykieta::label2:
      return Label2_;
    case Etykieta::label3:
      return Label3_;
    case Etykieta::label4:
      return Label4_;
  }
  return nullptr;
}

QPushButton* Form1::przycisk(Przycisk p) const {
  switch (p) {
    case Przycisk::command1:
      return Command1_;
    case Przycisk::command2:
      return Command2_;
    case Przycisk::command3:
      return Command3_;
    case Przycisk::command4:
      return Command4_;
    case Przycisk::command5:
      return Command5_;
  }
  return nullptr;
}

QWidget* Form1::wejscie(Wejscie w) const {
  switch (w) {
    case Wejscie::text1:
      return Text1_;
    case Wejscie::text2:
      return Text2_;
    case Wejscie::text3:
      return Text3_;
    case Wejscie::text4:
      return Text4_;
    case Wejscie::file1:
      return File1_;
    case Wejscie::command1:
      return Command1_;
    case Wejscie::command2:
      return Command2_;
  }
  return nullptr;
}

void Form1::ustaw_cofanie(std::filesystem::path katalog_programu,
                          std::filesystem::path katalog_scenerii) {
  katalog_programu_ = std::move(katalog_programu);
  katalog_scenerii_ = std::move(katalog_scenerii);
  odswiez_cofanie();
}

void Form1::odswiez_cofanie() {
  Command4_->setEnabled(!katalog_programu_.empty() && !lista_kopii(katalog_programu_).empty());
}

void Form1::cofnij_ostatnia() {
  const auto kopie = lista_kopii(katalog_programu_);
  if (kopie.empty()) return odswiez_cofanie();
  const OpisKopii& ostatnia = kopie.back();
  const QString pytanie = QString::fromUtf8("Cofnąć korektę z %1 (plików: %2)?")
                              .arg(QString::fromStdString(ostatnia.czas))
                              .arg(ostatnia.ile_plikow - ostatnia.ile_przywroconych);
  const bool tak = pytanie_ ? pytanie_(pytanie)
                            : QMessageBox::question(this, QCoreApplication::applicationName(),
                                                    pytanie) == QMessageBox::Yes;
  if (!tak) return;
  QString wynik;
  try {
    const WynikCofniecia w = cofnij_partie(katalog_programu_, katalog_scenerii_);
    wynik = QString::fromStdString(opis_cofniecia(w, katalog_scenerii_));
  } catch (const std::exception& e) {
    wynik = QString::fromUtf8("Nie udało się cofnąć korekty.\n") + QString::fromLocal8Bit(e.what());
  }
  odswiez_cofanie();
  pokazywanie_(wynik);
}

void Form1::ustaw_raport(std::filesystem::path plik) {
  plik_raportu_ = std::move(plik);
  odswiez_raport();
}

void Form1::odswiez_raport() {
  std::error_code blad;
  Command5_->setEnabled(!plik_raportu_.empty() &&
                        std::filesystem::is_regular_file(plik_raportu_, blad));
}

bool Form1::tylko_podglad() const {
  return Check1_->isChecked();
}

void Form1::pokaz_raport() {
  odswiez_raport();
  if (!Command5_->isEnabled()) return;
  const bool otwarty = otwieranie_ ? otwieranie_(plik_raportu_)
                                   : QDesktopServices::openUrl(QUrl::fromLocalFile(
                                         QString::fromStdU16String(plik_raportu_.u16string())));
  if (!otwarty) {
    pokazywanie_(QString::fromUtf8("Nie można otworzyć raportu: ") +
                 QString::fromStdU16String(plik_raportu_.u16string()));
  }
}

void Form1::pokaz_pomoc() {
  if (pomoc_) return;
  Frmhelp okno(uklad_pomocy_);
  pomoc_ = &okno;
  okno.otworz(*screen());
  pomoc_ = nullptr;
}

void Form1::closeEvent(QCloseEvent* zdarzenie) {
  // Never refused: a running batch sees przerwac() at its next event point.
  zamkniete_ = true;
  if (pomoc_) pomoc_->close();
  zdarzenie->accept();
}

}  // namespace wyrownik
