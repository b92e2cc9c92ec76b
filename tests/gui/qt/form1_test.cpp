// The main window as designed: its controls, their places and texts, and what
// it offers the runs.
#include "gui/qt/form1.hpp"

#include <QCheckBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <optional>
#include <set>

#include "gui/teksty_okna.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

using namespace wyrownik;

namespace {

struct Kontrolka {
  const char* nazwa;
  const char* klasa;
  const char* kontener;
  int lewo, gora, szerokosc, wysokosc;  // twips, relative to the container
  const char* tekst;                    // UTF-8; nullptr: not checked
};

// In tab order.
const Kontrolka tabela[] = {
    {"File1", "QListWidget", "Form1", 240, 120, 3975, 2820, nullptr},
    {"Text3", "QLineEdit", "Frame1", 2280, 480, 615, 375, "40"},
    {"Text4", "QLineEdit", "Frame1", 2280, 1080, 615, 375, "7"},
    {"Command2", "QPushButton", "Frame1", 3960, 240, 1095, 495, "Działaj"},
    {"Text1", "QLineEdit", "Form1", 7800, 2160, 495, 375, "0.5"},
    {"Text2", "QLineEdit", "Form1", 7800, 2760, 495, 375, "11"},
    {"Label2", "QLabel", "Form1", 240, 3480, 7695, 375, ""},
    {"Command1", "QPushButton", "Form1", 8640, 2280, 1215, 495, "Działaj"},
    {"Label3", "QLabel", "Form1", 240, 4200, 7935, 375, ""},
    {"Label4", "QLabel", "Form1", 240, 4920, 7815, 375, ""},
    {"Label5", "QLabel", "Form1", 120, 5520, 3975, 1095,
     "UWAGA: Dla prawidłowego działania programu, przypominam, aby w ustawieniach systemowych, "
     "separator dziesiętny był ustawiony na kropkę."},
    {"Frame1", "QGroupBox", "Form1", 4560, 120, 5295, 1695,
     "Korekcja współrzędnych obiektów - skrajnia toru"},
    {"Label7", "QLabel", "Frame1", 120, 360, 1935, 615,
     "Maksymalny spodziewany promień sprawdzanego obiektu:"},
    {"Frame2", "QGroupBox", "Form1", 4560, 1920, 5415, 1335,
     "Korekcja współrzędnych wysokościowych"},
    {"Label8", "QLabel", "Frame2", 240, 240, 2895, 495,
     "Nie zmieniaj, gdy różnica wysokości jest mnijesza od:"},
    {"Label9", "QLabel", "Frame2", 240, 840, 2895, 375,
     "Nie zmieniaj, gdy rożnica wysokości jest większa od:"},
    {"Label1", "QLabel", "Frame1", 120, 1080, 2175, 375, "Nr parametru promienia obiektu:"},
    {"Command3", "QPushButton", "Form1", 8640, 3480, 1215, 495, "POMOC"},
};

QString tekst_kontrolki(const QWidget* w) {
  if (auto* p = qobject_cast<const QLineEdit*>(w)) return p->text();
  if (auto* p = qobject_cast<const QPushButton*>(w)) return p->text();
  if (auto* p = qobject_cast<const QLabel*>(w)) return p->text();
  if (auto* p = qobject_cast<const QGroupBox*>(w)) return p->title();
  return {};
}

}  // namespace

class TestForm1 : public QObject {
  Q_OBJECT

 private slots:
  void kontrolki_z_tabeli() {
    Form1 okno;
    QCOMPARE(okno.objectName(), QStringLiteral("Form1"));
    QCOMPARE(okno.windowTitle(), QString::fromUtf8("Korekta współrzędnych obiektów inc"));
    // Client area 10380 x 6930 twips.
    QCOMPARE(okno.size(), QSize(692, 462));
    for (const auto& k : tabela) {
      const QString nazwa = QString::fromLatin1(k.nazwa);
      auto* w = okno.findChild<QWidget*>(nazwa);
      QVERIFY2(w, k.nazwa);
      QVERIFY2(w->inherits(k.klasa), k.nazwa);
      QCOMPARE(w->parentWidget()->objectName(), QString::fromLatin1(k.kontener));
      QCOMPARE(w->geometry(), QRect(k.lewo / 15, k.gora / 15, k.szerokosc / 15, k.wysokosc / 15));
      if (k.tekst) QCOMPARE(tekst_kontrolki(w), QString::fromUtf8(k.tekst));
      QVERIFY2(w->isEnabled(), k.nazwa);
      // Only one widget of each name in the window.
      QCOMPARE(okno.findChildren<QWidget*>(nazwa).size(), 1);
    }
    // Label6 does not exist; nothing else carries a control's name.
    QVERIFY(!okno.findChild<QWidget*>(QStringLiteral("Label6")));
    QCOMPARE(okno.kontrolka<QListWidget>("File1")->count(), 0);
  }

  // The undo, preview and report controls sit in free space: inside the
  // client area, over no control of the table and over no other.
  void dodane_kontrolki_w_wolnym_miejscu() {
    Form1 okno;
    QList<QRect> zajete;
    for (const auto& k : tabela) {
      const QWidget* w = okno.findChild<QWidget*>(QString::fromLatin1(k.nazwa));
      zajete << QRect(w->mapTo(&okno, QPoint(0, 0)), w->size());
    }
    for (const char* nazwa : {"Command4", "Check1", "Command5", "Frame3"}) {
      const QWidget* w = okno.findChild<QWidget*>(QString::fromLatin1(nazwa));
      QVERIFY2(w && w->parentWidget() == &okno, nazwa);
      const QRect r(w->pos(), w->size());
      QVERIFY2(okno.rect().contains(r), nazwa);
      for (const QRect& inny : zajete) QVERIFY2(!r.intersects(inny), nazwa);
      zajete << r;
    }
    QCOMPARE(okno.findChild<QWidget*>(QStringLiteral("Check1"))->property("text").toString(),
             QString::fromUtf8("Tylko podgląd (bez zmian w plikach)"));
    QCOMPARE(okno.kontrolka<QPushButton>("Command5")->text(), QString::fromUtf8("Pokaż raport"));
    QVERIFY(!okno.kontrolka<QPushButton>("Command5")->isEnabled());  // no report yet
  }

  void kolejnosc_tabulacji() {
    Form1 okno;
    std::set<QString> nazwy;
    for (const auto& k : tabela) nazwy.insert(QString::fromLatin1(k.nazwa));
    // Walk the focus chain once round from File1, keeping the controls that
    // Tab reaches.
    QStringList osiagalne;
    QWidget* start = okno.kontrolka("File1");
    QWidget* w = start;
    do {
      if (nazwy.count(w->objectName()) && (w->focusPolicy() & Qt::TabFocus)) {
        osiagalne << w->objectName();
      }
      w = w->nextInFocusChain();
    } while (w != start);
    QCOMPARE(osiagalne, (QStringList{"File1", "Text3", "Text4", "Command2", "Text1", "Text2",
                                     "Command1", "Command3"}));
  }

  void pola_nad_ramka2() {
    Form1 okno;
    okno.show();
    QVERIFY(QTest::qWaitForWindowExposed(&okno));
    // Text1, Text2 and Command1 lie inside Frame2's rectangle yet above it:
    // a click at their centre reaches them, not the frame.
    for (const char* nazwa : {"Text1", "Text2", "Command1"}) {
      auto* w = okno.findChild<QWidget*>(QString::fromLatin1(nazwa));
      auto* ramka = okno.findChild<QWidget*>(QStringLiteral("Frame2"));
      QVERIFY(ramka->geometry().contains(w->geometry()));
      QWidget* trafiony = okno.childAt(w->geometry().center());
      QVERIFY2(trafiony == w || w->isAncestorOf(trafiony), nazwa);
    }
    QTest::mouseClick(okno.findChild<QWidget*>(QStringLiteral("Text2")), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), okno.kontrolka("Text2"));
  }

  void czcionki() {
    Form1 okno;
    auto* label3 = okno.kontrolka("Label3");
    QVERIFY(label3->font().bold());
    QCOMPARE(label3->font().pointSizeF(), 9.75);
    auto* label5 = okno.findChild<QLabel*>(QStringLiteral("Label5"));
    QVERIFY(label5->font().bold());
    // 9.75 points, or a little less where a wider font had to fit the text.
    QVERIFY(label5->font().pointSizeF() <= 9.75 && label5->font().pointSizeF() >= 6);
    QCOMPARE(label5->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    auto* pomoc = okno.kontrolka("Command3");
    QVERIFY(pomoc->font().bold());
    QCOMPARE(pomoc->font().pointSizeF(), 8.25);
    QVERIFY(!okno.kontrolka("Label2")->font().bold());
    QCOMPARE(okno.font().pointSizeF(), 8.25);
    if (QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))) {
      QCOMPARE(okno.font().family(), QStringLiteral("MS Sans Serif"));
    }
    // Every fixed caption shows its whole text.
    for (auto* l : okno.findChildren<QLabel*>()) {
      if (!l->wordWrap()) continue;
      const QRect potrzebne = QFontMetrics(l->font()).boundingRect(
          l->contentsRect(), static_cast<int>(l->alignment()) | Qt::TextWordWrap, l->text());
      QVERIFY2(potrzebne.height() <= l->contentsRect().height(), qPrintable(l->objectName()));
    }
  }

  // The primitives the presenter drives, as the user sees them.
  void widok_dla_prezentera() {
    Form1 okno;
    okno.wypelnij_liste({"a.scn", "Żuraw.scn"});
    auto* lista = okno.kontrolka<QListWidget>("File1");
    QCOMPARE(lista->item(1)->text(), QString::fromUtf8("Żuraw.scn"));
    QVERIFY(lista->selectionMode() == QAbstractItemView::ExtendedSelection);
    lista->item(1)->setSelected(true);
    QVERIFY(!okno.wybrany_wpis(0) && okno.wybrany_wpis(1) && !okno.wybrany_wpis(2));

    okno.ustaw_tekst("Label4", "Czytam plik: <b>Żółw.scm</b>");
    QCOMPARE(okno.kontrolka<QLabel>("Label4")->textFormat(), Qt::PlainText);
    QCOMPARE(okno.kontrolka<QLabel>("Label4")->text(),
             QString::fromUtf8("Czytam plik: <b>Żółw.scm</b>"));
    okno.kontrolka<QLineEdit>("Text1")->setText(QString::fromUtf8("1,5 ż€中"));
    QCOMPARE(okno.tekst("Text1"), std::string("1,5 ż€中"));
    okno.kontrolka<QCheckBox>("Check1")->setChecked(true);
    QVERIFY(okno.zaznaczone("Check1"));
    okno.wlacz("Command2", false);
    QVERIFY(!okno.kontrolka("Command2")->isEnabled());

    okno.kursor_zajety(true);
    okno.kursor_zajety(true);
    QCOMPARE(okno.cursor().shape(), Qt::WaitCursor);
    QVERIFY(!QApplication::overrideCursor());
    okno.kursor_zajety(false);
    QCOMPARE(okno.cursor().shape(), Qt::ArrowCursor);
  }

  // Messages and questions really appear, as message boxes over the window.
  void komunikaty_w_oknach() {
    Form1 okno;
    QStringList pokazane;
    const auto odpowiedz = [&](QMessageBox::StandardButton przycisk) {
      QTimer::singleShot(0, this, [&pokazane, przycisk] {
        auto* okno_komunikatu = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (okno_komunikatu == nullptr) return;
        pokazane << okno_komunikatu->text();
        okno_komunikatu->button(przycisk)->click();
      });
    };
    odpowiedz(QMessageBox::Ok);
    okno.komunikat("Przywrócono plików: 1.");
    odpowiedz(QMessageBox::No);
    QVERIFY(!okno.pytanie("Cofnąć?"));
    odpowiedz(QMessageBox::Yes);
    QVERIFY(okno.pytanie("Cofnąć?"));
    QCOMPARE(pokazane, (QStringList{QString::fromUtf8("Przywrócono plików: 1."),
                                    QString::fromUtf8("Cofnąć?"), QString::fromUtf8("Cofnąć?")}));
  }

  // A first run from the packages' sample ini: the start-up message, then
  // the real folder picker, answered as a user would; the list fills.
  void pierwsze_uruchomienie_z_przykladowym_ini() {
    testy::KatalogTymczasowy k;
    k.zapisz("sim/scenery/a.scn", "x");
    std::filesystem::create_directory(k / "program");
    std::filesystem::copy_file(WYROWNIK_DANE "/../../packaging/wyrownik.ini",
                               k / "program/wyrownik.ini");
    Form1 okno;
    QStringList widziane;
    QTimer odpowiedzi;
    connect(&odpowiedzi, &QTimer::timeout, this, [&] {
      QWidget* modalne = QApplication::activeModalWidget();
      if (auto* m = qobject_cast<QMessageBox*>(modalne)) {
        widziane << m->text();
        m->button(QMessageBox::Ok)->click();
      } else if (auto* d = qobject_cast<QFileDialog*>(modalne)) {
        widziane << d->windowTitle();
        d->setDirectory(QString::fromStdString((k / "sim").string()));
        static_cast<QDialog*>(d)->accept();  // as the dialog's own button does
      }
    });
    odpowiedzi.start(10);
    QVERIFY(okno.prezenter().uruchom(k / "program").stan == StanStartu::gotowy);
    QCOMPARE(widziane, (QStringList{QStringLiteral("Brak podkatalogu SCENERY."),
                                    QString::fromUtf8(tekst::tytul_wyboru.data())}));
    QCOMPARE(okno.kontrolka<QListWidget>("File1")->count(), 1);
    QVERIFY(okno.kontrolka("Command1")->isEnabled());
  }

  // The buttons reach the presenter: a started window runs a batch on a click.
  void przycisk_uruchamia_partie() {
    testy::KatalogTymczasowy k;
    k.zapisz("sim/scenery/a.scn",
             "node -1 0 t triangles trawa.dds\r\n0 7.125 0\r\n100 7.125 0\r\n0 7.125 100\r\n"
             "endtri\r\ninclude drzewo.inc 10 5 20 0 end\r\n");
    k.zapisz("program/wyrownik.ini", "[Sciezka dostepu]\r\n" + (k / "sim").string() +
                                         "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
    Form1 okno;
    QVERIFY(okno.prezenter().uruchom(k / "program").stan == StanStartu::gotowy);
    okno.kontrolka<QListWidget>("File1")->item(0)->setSelected(true);
    okno.kontrolka<QPushButton>("Command1")->click();
    QVERIFY(testy::wczytaj(k / "program/Log_korekcja.txt").find("Ilo\x9C\xE6 zmian: 1") !=
            std::string::npos);
    QVERIFY(okno.kontrolka("Command5")->isEnabled());
  }
};

QTEST_MAIN(TestForm1)
#include "form1_test.moc"
