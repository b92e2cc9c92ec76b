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

// A fixed caption, wrapped at word boundaries within its rectangle.
QLabel* napis_w(QWidget* rodzic, const char* nazwa, const QString& tekst, int lewo, int gora,
                int szerokosc, int wysokosc, const QFont& font) {
  auto* l = etykieta_w(rodzic, nazwa, tekst);
  l->setWordWrap(true);
  l->setFont(font);
  umiesc(l, lewo, gora, szerokosc, wysokosc);
  zmiesc_tekst(*l);
  return l;
}

QLineEdit* pole_w(QWidget* rodzic, const char* nazwa, const char* tekst) {
  auto* p = utworz<QLineEdit>(rodzic, nazwa);
  p->setText(QString::fromLatin1(tekst));
  return p;
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
  setWindowTitle(QString::fromUtf8("Korekta współrzędnych obiektów inc"));
  setFont(czcionka(8.25));
  resize(piksele(10380), piksele(6690));

  // Created in tab order; containers before the controls they hold.
  File1_ = utworz<QListWidget>(this, "File1");
  // Ctrl- and Shift-click pick several sceneries, as in a desktop file list.
  File1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  umiesc(File1_, 240, 120, 3975, 2820);

  Frame1_ = utworz<QGroupBox>(this, "Frame1");
  Frame1_->setTitle(QString::fromUtf8("Korekcja współrzędnych obiektów - skrajnia toru"));
  umiesc(Frame1_, 4560, 120, 5295, 1695);
  Frame2_ = utworz<QGroupBox>(this, "Frame2");
  Frame2_->setTitle(QString::fromUtf8("Korekcja współrzędnych wysokościowych"));
  umiesc(Frame2_, 4560, 1920, 5415, 1335);

  Text3_ = pole_w(Frame1_, "Text3", "40");
  umiesc(Text3_, 2280, 480, 615, 375);
  Text4_ = pole_w(Frame1_, "Text4", "7");
  umiesc(Text4_, 2280, 1080, 615, 375);
  Command2_ = przycisk_w(Frame1_, "Command2", QString::fromUtf8("Działaj"));
  umiesc(Command2_, 3960, 240, 1095, 495);

  // Text1, Text2 and Command1 belong to the window and lie over Frame2, so
  // they must stay above it to be seen and reached.
  Text1_ = pole_w(this, "Text1", "0.5");
  umiesc(Text1_, 7800, 2160, 495, 375);
  Text2_ = pole_w(this, "Text2", "11");
  umiesc(Text2_, 7800, 2760, 495, 375);
  Label2_ = etykieta_w(this, "Label2", QString());
  umiesc(Label2_, 240, 3480, 7695, 375);
  Command1_ = przycisk_w(this, "Command1", QString::fromUtf8("Działaj"));
  umiesc(Command1_, 8640, 2280, 1215, 495);
  Label3_ = etykieta_w(this, "Label3", QString());
  Label3_->setFont(czcionka(9.75, true));
  umiesc(Label3_, 240, 4200, 7935, 375);
  Label4_ = etykieta_w(this, "Label4", QString());
  umiesc(Label4_, 240, 4920, 7815, 375);

  auto* label5 =
      napis_w(this, "Label5",
              QString::fromUtf8("UWAGA: Dla prawidłowego działania programu, przypominam, "
                                "aby w ustawieniach systemowych, separator dziesiętny był "
                                "ustawiony na kropkę."),
              120, 5520, 3975, 1095, czcionka(9.75, true));
  QPalette czerwona = label5->palette();
  czerwona.setColor(QPalette::WindowText, QColor(255, 0, 0));
  label5->setPalette(czerwona);

  const QFont zwykla = font();
  napis_w(Frame1_, "Label7",
          QString::fromUtf8("Maksymalny spodziewany promień sprawdzanego obiektu:"), 120, 360, 1935,
          615, zwykla);
  napis_w(Frame2_, "Label8",
          QString::fromUtf8("Nie zmieniaj, gdy różnica wysokości jest mnijesza od:"), 240, 240,
          2895, 495, zwykla);
  napis_w(Frame2_, "Label9",
          QString::fromUtf8("Nie zmieniaj, gdy rożnica wysokości jest większa od:"), 240, 840, 2895,
          375, zwykla);
  napis_w(Frame1_, "Label1", QString::fromUtf8("Nr parametru promienia obiektu:"), 120, 1080, 2175,
          375, zwykla);

  Command3_ = przycisk_w(this, "Command3", QStringLiteral("POMOC"));
  Command3_->setFont(czcionka(8.25, true));
  umiesc(Command3_, 8640, 3480, 1215, 495);

  // Under Command3, as wide, clear of every other control.
  Command4_ = przycisk_w(this, "Command4", QString::fromUtf8("Cofnij ostatnią\nkorektę"));
  umiesc(Command4_, 8640, 4080, 1215, 495);
  Command4_->setEnabled(false);
  {
    // Two lines in a button as wide as Command3: the font shrinks in quarter
    // points until both fit, as the fixed captions do.
    QFont f = Command4_->font();
    const int miejsce = Command4_->width() - 6;
    while (f.pointSizeF() > 6) {
      const QFontMetrics m(f);
      if (m.horizontalAdvance(QString::fromUtf8("Cofnij ostatnią")) <= miejsce &&
          2 * m.height() <= Command4_->height() - 2) {
        break;
      }
      f.setPointSizeF(f.pointSizeF() - 0.25);
    }
    Command4_->setFont(f);
  }

  // In the free space right of Label5 and under Command4: clear of every
  // control above.
  Check1_ = utworz<QCheckBox>(this, "Check1");
  Check1_->setText(QString::fromUtf8("Tylko podgląd (bez zmian w plikach)"));
  umiesc(Check1_, 4320, 5640, 4215, 375);
  Command5_ = przycisk_w(this, "Command5", QString::fromUtf8("Pokaż raport"));
  umiesc(Command5_, 8640, 4680, 1215, 495);
  Command5_->setEnabled(false);

  Text1_->raise();
  Text2_->raise();
  Command1_->raise();

  QWidget* kolejnosc[] = {File1_,    Text3_,    Text4_,    Command2_, Text1_,   Text2_,
                          Command1_, Command3_, Command4_, Check1_,   Command5_};
  for (std::size_t i = 0; i + 1 < std::size(kolejnosc); ++i) {
    setTabOrder(kolejnosc[i], kolejnosc[i + 1]);
  }
  File1_->setFocus();

  connect(Command3_, &QPushButton::clicked, this, &Form1::pokaz_pomoc);
  connect(Command4_, &QPushButton::clicked, this, &Form1::cofnij_ostatnia);
  connect(Command5_, &QPushButton::clicked, this, &Form1::pokaz_raport);
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

void Form1::ustaw_cofanie(std::filesystem::path katalog_programu) {
  katalog_programu_ = std::move(katalog_programu);
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
    const WynikCofniecia w = cofnij_partie(katalog_programu_);
    wynik = QString::fromUtf8("Przywrócono plików: %1.").arg(w.przywrocone.size());
    if (!w.pominiete.empty()) {
      wynik +=
          QString::fromUtf8("\nNie cofnięto (zmienione po korekcie): %1.").arg(w.pominiete.size());
    }
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
