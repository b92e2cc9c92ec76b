#include "gui/qt/form1.hpp"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "gui/qt/czcionki.hpp"
#include "gui/twipy.hpp"

namespace wyrownik {

namespace {

QString z_utf8(std::string_view tekst) {
  return QString::fromUtf8(tekst.data(), static_cast<qsizetype>(tekst.size()));
}

QLabel* etykieta(QWidget* rodzic, const QString& tekst, bool zawijana) {
  auto* l = new QLabel(tekst, rodzic);
  // Status lines show scenery and file names: never rich text.
  l->setTextFormat(Qt::PlainText);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setWordWrap(zawijana);
  return l;
}

QWidget* kontrolka_rodzaju(RodzajKontrolki rodzaj, QWidget* rodzic, const QString& tekst) {
  switch (rodzaj) {
    case RodzajKontrolki::lista: {
      auto* l = new QListWidget(rodzic);
      // Ctrl- and Shift-click pick several sceneries, as in a desktop file list.
      l->setSelectionMode(QAbstractItemView::ExtendedSelection);
      return l;
    }
    case RodzajKontrolki::ramka:
      return new QGroupBox(tekst, rodzic);
    case RodzajKontrolki::pole:
      return new QLineEdit(tekst, rodzic);
    case RodzajKontrolki::przycisk: {
      auto* p = new QPushButton(tekst, rodzic);
      p->setAutoDefault(false);
      return p;
    }
    case RodzajKontrolki::etykieta:
      return etykieta(rodzic, tekst, false);
    case RodzajKontrolki::napis:
      return etykieta(rodzic, tekst, true);
    case RodzajKontrolki::pole_wyboru:
      return new QCheckBox(tekst, rodzic);
  }
  return nullptr;
}

// Where a fixed text goes inside its control, and how it is laid out there.
void zmiesc_tekst(QWidget& w, RodzajKontrolki rodzaj) {
  if (rodzaj == RodzajKontrolki::napis) {
    auto& l = static_cast<QLabel&>(w);
    const int flagi = static_cast<int>(l.alignment()) | Qt::TextWordWrap;
    l.setFont(czcionka_w_miejscu(l.font(), l.text(), l.contentsRect(), flagi));
  } else if (rodzaj == RodzajKontrolki::przycisk) {
    auto& p = static_cast<QPushButton&>(w);
    p.setFont(
        czcionka_w_miejscu(p.font(), p.text(), p.rect().adjusted(3, 1, -3, -1), Qt::AlignCenter));
  }
}

}  // namespace

Form1::Form1(QWidget* rodzic) : QWidget(rodzic) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(z_utf8(tytul_form1));
  setFont(czcionka(punkty_okien));
  resize(piksele(szerokosc_form1), piksele(wysokosc_form1));
  // Every control from the shared table, in its order: containers before
  // what they hold, the controls Tab reaches in their tab order.
  QWidget* poprzednia = nullptr;
  for (std::size_t i = 0; i < kontrolki_form1.size(); ++i) {
    const OpisKontrolki& k = kontrolki_form1[i];
    QWidget* w = kontrolki_[i] = utworz_kontrolke(k);
    if (auto* p = qobject_cast<QPushButton*>(w)) {
      const auto nazwa = NazwaKontrolki::z_numeru(i);
      connect(p, &QPushButton::clicked, this, [this, nazwa] { prezenter_.klikniecie(nazwa); });
    }
    if (!(w->focusPolicy() & Qt::TabFocus)) continue;
    if (poprzednia != nullptr) setTabOrder(poprzednia, w);
    poprzednia = w;
  }
  kontrolka("File1")->setFocus();
}

QWidget* Form1::utworz_kontrolke(const OpisKontrolki& k) {
  QWidget* rodzic = k.kontener == "Form1" ? this : kontrolka(NazwaKontrolki::z_nazwy(k.kontener));
  QWidget* w = kontrolka_rodzaju(k.rodzaj, rodzic, z_utf8(k.tekst));
  w->setObjectName(z_utf8(k.nazwa));
  if (k.wyglad.punkty != punkty_okien || k.wyglad.pogrubiona)
    w->setFont(czcionka(k.wyglad.punkty, k.wyglad.pogrubiona));
  if (k.wyglad.kolor != 0) {
    QPalette paleta = w->palette();
    paleta.setColor(QPalette::WindowText, QColor::fromRgb(k.wyglad.kolor));
    w->setPalette(paleta);
  }
  w->setGeometry(piksele(k.lewo), piksele(k.gora), piksele(k.szerokosc), piksele(k.wysokosc));
  zmiesc_tekst(*w, k.rodzaj);
  if (k.wyglad.na_wierzchu) w->raise();  // over a frame it does not belong to
  w->setEnabled(k.wyglad.wlaczona);
  return w;
}

void Form1::ustaw_tekst(NazwaKontrolki k, std::string_view tekst) {
  kontrolka<QLabel>(k)->setText(z_utf8(tekst));
}

std::string Form1::tekst(NazwaKontrolki k) const {
  return kontrolka<QLineEdit>(k)->text().toStdString();
}

void Form1::wypelnij_liste(const std::vector<std::string>& wpisy) {
  auto* lista = kontrolka<QListWidget>("File1");
  lista->clear();
  for (const std::string& w : wpisy) lista->addItem(z_utf8(w));
}

bool Form1::wybrany_wpis(std::size_t i) const {
  const QListWidgetItem* wpis = kontrolka<QListWidget>("File1")->item(static_cast<int>(i));
  return wpis != nullptr && wpis->isSelected();
}

void Form1::komunikat(std::string_view tekst) {
  QMessageBox okno(QMessageBox::NoIcon, QCoreApplication::applicationName(), z_utf8(tekst),
                   QMessageBox::Ok, this);
  okno.exec();
}

bool Form1::pytanie(std::string_view tekst) {
  return QMessageBox::question(this, QCoreApplication::applicationName(), z_utf8(tekst)) ==
         QMessageBox::Yes;
}

std::optional<std::filesystem::path> Form1::wybierz_folder(std::string_view tytul) {
  const QString folder = QFileDialog::getExistingDirectory(this, z_utf8(tytul));
  if (folder.isEmpty()) return std::nullopt;
  return std::filesystem::path(QFile::encodeName(folder).toStdString());
}

void Form1::kursor_zajety(bool zajety) {
  if (zajety == kursor_zajety_) return;
  kursor_zajety_ = zajety;
  // Over the main window only: the help window keeps its normal pointer.
  if (zajety) {
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

bool Form1::otworz(const std::filesystem::path& plik) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(plik.string().c_str())));
}

void Form1::otworz_pomoc() {
  if (pomoc_) return;
  Frmhelp okno(uklad_pomocy_);
  pomoc_ = &okno;
  okno.otworz(*screen());
  pomoc_ = nullptr;
}

void Form1::zamknij_pomoc() {
  if (pomoc_) pomoc_->close();
}

void Form1::closeEvent(QCloseEvent* zdarzenie) {
  if (prezenter_.zamykanie()) {
    zdarzenie->accept();
  } else {
    zdarzenie->ignore();  // the batch stops at its next event point, then closes the window
  }
}

}  // namespace wyrownik
