// The main window as designed: its controls, their places and texts, and what
// it offers the runs.
#include "gui/qt/form1.hpp"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <optional>
#include <set>

#include "gui/qt/przebiegi_qt.hpp"
#include "gui/qt/tekst_qt.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "text/kodowanie.hpp"
#include "text/sciezki.hpp"

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

QByteArray bajty(const std::string& s) {
  return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

class TestForm1 : public QObject {
  Q_OBJECT

 private slots:
  void kontrolki_z_tabeli() {
    Form1 okno;
    QCOMPARE(okno.objectName(), QStringLiteral("Form1"));
    QCOMPARE(okno.windowTitle(), QString::fromUtf8("Korekta współrzędnych obiektów inc"));
    // Client area 10380 x 6690 twips.
    QCOMPARE(okno.size(), QSize(692, 446));
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
    QCOMPARE(okno.lista_plikow()->count(), 0);
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
    for (const char* nazwa : {"Command4", "Check1", "Command5"}) {
      const QWidget* w = okno.findChild<QWidget*>(QString::fromLatin1(nazwa));
      QVERIFY2(w && w->parentWidget() == &okno, nazwa);
      const QRect r(w->pos(), w->size());
      QVERIFY2(okno.rect().contains(r), nazwa);
      for (const QRect& inny : zajete) QVERIFY2(!r.intersects(inny), nazwa);
      zajete << r;
    }
    QCOMPARE(okno.findChild<QWidget*>(QStringLiteral("Check1"))->property("text").toString(),
             QString::fromUtf8("Tylko podgląd (bez zmian w plikach)"));
    QCOMPARE(okno.przycisk(Przycisk::command5)->text(), QString::fromUtf8("Pokaż raport"));
    QVERIFY(!okno.przycisk(Przycisk::command5)->isEnabled());  // no report yet
  }

  void kolejnosc_tabulacji() {
    Form1 okno;
    std::set<QString> nazwy;
    for (const auto& k : tabela) nazwy.insert(QString::fromLatin1(k.nazwa));
    // Walk the focus chain once round from File1, keeping the controls that
    // Tab reaches.
    QStringList osiagalne;
    QWidget* start = okno.lista_plikow();
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
    QCOMPARE(QApplication::focusWidget(), okno.pole(Pole::text2));
  }

  void czcionki() {
    Form1 okno;
    auto* label3 = okno.etykieta(Etykieta::label3);
    QVERIFY(label3->font().bold());
    QCOMPARE(label3->font().pointSizeF(), 9.75);
    auto* label5 = okno.findChild<QLabel*>(QStringLiteral("Label5"));
    QVERIFY(label5->font().bold());
    // 9.75 points, or a little less where a wider font had to fit the text.
    QVERIFY(label5->font().pointSizeF() <= 9.75 && label5->font().pointSizeF() >= 6);
    QCOMPARE(label5->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    auto* pomoc = okno.przycisk(Przycisk::command3);
    QVERIFY(pomoc->font().bold());
    QCOMPARE(pomoc->font().pointSizeF(), 8.25);
    QVERIFY(!okno.etykieta(Etykieta::label2)->font().bold());
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

  void lista_plikow_scenerii() {
    testy::KatalogTymczasowy k;
    for (const char* nazwa :
         {"b.scn", "X.SCN", "a.Scn", ".ukryty.scn", "c.scm", "scn", "\xC5\xBBuraw.scn",
          "\xAF"
          "uraw2.scn"}) {
      k.zapisz(nazwa, "x");
    }
    std::filesystem::create_directory(k / "katalog.scn");
    Form1 okno;
    okno.wskaz_katalog(k.sciezka());
    const auto oczekiwane = pliki_scenerii(k.sciezka());
    std::vector<std::string> wpisy;
    for (std::size_t i = 0; i < oczekiwane.size(); ++i) wpisy.push_back(okno.wpis_listy(i));
    QCOMPARE(wpisy, oczekiwane);
    QCOMPARE(okno.wpis_listy(oczekiwane.size()), std::string());
    QStringList widoczne;
    for (int i = 0; i < okno.lista_plikow()->count(); ++i)
      widoczne << okno.lista_plikow()->item(i)->text();
    QCOMPARE(widoczne.size(), 5);
    QVERIFY(widoczne.contains(QStringLiteral("X.SCN")));
    QVERIFY(widoczne.contains(QStringLiteral("a.Scn")));
    // A UTF-8 name and a Windows-1250 name both read as Polish letters.
    QVERIFY(widoczne.contains(QString::fromUtf8("Żuraw.scn")));
    QVERIFY(widoczne.contains(QString::fromUtf8("Żuraw2.scn")));
    QCOMPARE(widoczne.indexOf(QStringLiteral("a.Scn")), 0);
    QCOMPARE(widoczne.indexOf(QStringLiteral("b.scn")), 1);
    QCOMPARE(widoczne.indexOf(QStringLiteral("X.SCN")), 2);

    // Several entries at once.
    auto* lista = okno.lista_plikow();
    QVERIFY(lista->selectionMode() == QAbstractItemView::ExtendedSelection);

    // Pointing it elsewhere replaces the entries.
    testy::KatalogTymczasowy pusty;
    okno.wskaz_katalog(pusty.sciezka());
    QCOMPARE(lista->count(), 0);
  }

  void co_widza_przebiegi() {
    Form1 okno;
    OknoPartiiQt postep(okno);
    postep.pokaz_status(WierszStatusu::sceneria,
                        TekstCp1250{"Aktualnie sprawdzana sceneria:Żółw.scn"});
    postep.pokaz_status(WierszStatusu::faza, "FAZA I");
    postep.pokaz_status(WierszStatusu::plik, "Czytam plik: <b>a\\b.scm</b>");
    QCOMPARE(okno.etykieta(Etykieta::label2)->text(),
             QString::fromUtf8("Aktualnie sprawdzana sceneria:Żółw.scn"));
    QCOMPARE(okno.etykieta(Etykieta::label3)->text(), QStringLiteral("FAZA I"));
    QCOMPARE(okno.etykieta(Etykieta::label4)->textFormat(), Qt::PlainText);
    QCOMPARE(okno.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
             QStringLiteral("Czytam plik: <b>a\\b.scm</b>"));
    QVERIFY(!postep.przerwac());

    QCOMPARE(okno.tekst_pola(Pole::text1), std::string("0.5"));
    QCOMPARE(okno.tekst_pola(Pole::text2), std::string("11"));
    QCOMPARE(okno.tekst_pola(Pole::text3), std::string("40"));
    QCOMPARE(okno.tekst_pola(Pole::text4), std::string("7"));
    okno.pole(Pole::text1)->setText(QString::fromUtf8("1,5 ż€中"));
    QCOMPARE(bajty(okno.tekst_pola(Pole::text1)), QByteArray("1,5 \xBF\x80?"));

    std::optional<PracaOkna> praca(okno);
    QCOMPARE(okno.cursor().shape(), Qt::WaitCursor);
    for (auto p : {Pole::text1, Pole::text2, Pole::text3, Pole::text4})
      QVERIFY(!okno.pole(p)->isEnabled());
    QVERIFY(!okno.przycisk(Przycisk::command1)->isEnabled());
    QVERIFY(!okno.przycisk(Przycisk::command2)->isEnabled());
    // The list stays changeable and the help usable while a batch runs.
    QVERIFY(okno.lista_plikow()->isEnabled());
    QVERIFY(okno.przycisk(Przycisk::command3)->isEnabled());
    praca.reset();
    QCOMPARE(okno.cursor().shape(), Qt::ArrowCursor);
    for (auto p : {Pole::text1, Pole::text2, Pole::text3, Pole::text4})
      QVERIFY(okno.pole(p)->isEnabled());
    QVERIFY(okno.przycisk(Przycisk::command1)->isEnabled());

    okno.ustaw_kursor_zajety(true);
    okno.ustaw_kursor_zajety(true);
    QCOMPARE(okno.cursor().shape(), Qt::WaitCursor);
    QVERIFY(!QApplication::overrideCursor());
    okno.ustaw_kursor_zajety(false);
    QCOMPARE(okno.cursor().shape(), Qt::ArrowCursor);

    okno.show();
    okno.close();
    QVERIFY(postep.przerwac());
  }
};

QTEST_MAIN(TestForm1)
#include "form1_test.moc"
