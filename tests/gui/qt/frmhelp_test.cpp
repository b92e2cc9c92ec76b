// The help window: its text, the text box that fills it, and how the main
// window opens and closes it.
#include "gui/qt/frmhelp.hpp"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

#include "gui/qt/form1.hpp"
#include "gui/tekst_pomocy.hpp"

using namespace wyrownik;

namespace {

QString oczekiwany_tekst() {
  QString t = QString::fromStdString(cp1250_na_utf8(tekst_pomocy));
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

bool wypelnia(const Frmhelp& okno) {
  return okno.tekst()->geometry() == okno.rect();
}

}  // namespace

class TestFrmhelp : public QObject {
  Q_OBJECT

 private slots:
  void tekst_i_wyglad() {
    UkladOkna uklad;
    Frmhelp okno(uklad);
    QCOMPARE(okno.windowTitle(), QStringLiteral("Pomoc"));
    auto* tekst = okno.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    QVERIFY(tekst);
    QCOMPARE(tekst, okno.tekst());
    QCOMPARE(tekst->toPlainText(), oczekiwany_tekst());
    // 46 lines and the empty one after the last line end.
    QCOMPARE(tekst->document()->blockCount(), 47);
    QCOMPARE(tekst->document()->findBlockByNumber(0).text(), QStringLiteral("Instrukcja:"));
    QCOMPARE(
        tekst->document()->findBlockByNumber(21).text(),
        QString::fromUtf8("a) Parametr \"Maksymalny spodziewany promień sprawdzanego obiektu:\" "
                          "sluzy do okreslenia,"));
    QCOMPARE(tekst->document()->findBlockByNumber(43).text(), QString());
    QCOMPARE(tekst->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(tekst->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(tekst->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(tekst->font().pointSizeF(), 12.0);
    QVERIFY(!tekst->font().bold());
    // Design size before the opening steps: 7905 x 4905 twips, the box at
    // 120, 120, 7695 x 4215.
    QCOMPARE(okno.size(), QSize(527, 327));
    QCOMPARE(tekst->geometry(), QRect(8, 8, 513, 281));
  }

  void wypelnia_po_zmianach_rozmiaru() {
    UkladOkna uklad;
    Frmhelp okno(uklad);
    const QScreen& ekran = *QGuiApplication::primaryScreen();
    okno.przygotuj(ekran);
    QCOMPARE(okno.size(), ekran.availableGeometry().size());
    QVERIFY(wypelnia(okno));
    for (int i = 0; i < 4; ++i) QCOMPARE(uklad.marginesy[0][static_cast<std::size_t>(i)], 0.0f);
    QCOMPARE(uklad.ostatnia_szerokosc, static_cast<float>(ekran.availableGeometry().width()));

    okno.show();
    QVERIFY(QTest::qWaitForWindowExposed(&okno));
    for (const QSize rozmiar :
         {QSize(300, 200), QSize(800, 120), QSize(40, 500), QSize(640, 480)}) {
      okno.resize(rozmiar);
      QCoreApplication::processEvents();
      QCOMPARE(okno.size(), rozmiar);
      QVERIFY2(wypelnia(okno),
               qPrintable(QStringLiteral("%1x%2").arg(rozmiar.width()).arg(rozmiar.height())));
      QCOMPARE(uklad.ostatnia_wysokosc, static_cast<float>(okno.frameGeometry().height()));
    }
  }

  void otwierany_przyciskiem_pomoc() {
    Form1 glowne;
    glowne.show();
    QVERIFY(QTest::qWaitForWindowExposed(&glowne));
    for (int otwarcie = 0; otwarcie < 2; ++otwarcie) {
      sprawdzone_ = false;
      zamkniete_awaryjnie_ = false;
      QTimer::singleShot(0, this, [&] {
        if (Frmhelp* pomoc = glowne.okno_pomocy()) {
          sprawdz_otwarte(glowne, *pomoc);
          pomoc->close();
        }
        zamknij_modalne();
      });
      QTest::mouseClick(glowne.kontrolka("Command3"), Qt::LeftButton);
      QVERIFY(sprawdzone_);
      QVERIFY(!zamkniete_awaryjnie_);
      QVERIFY(!glowne.okno_pomocy());
    }
  }

  void zamkniecie_glownego_zamyka_pomoc() {
    Form1 glowne;
    glowne.show();
    QVERIFY(QTest::qWaitForWindowExposed(&glowne));
    bool bylo_otwarte = false;
    zamkniete_awaryjnie_ = false;
    QTimer::singleShot(0, this, [&] {
      bylo_otwarte = glowne.okno_pomocy() && glowne.okno_pomocy()->isVisible();
      glowne.close();
      // Should the help window have stayed, the test fails instead of hanging.
      QTimer::singleShot(0, this, &TestFrmhelp::zamknij_modalne);
    });
    glowne.otworz_pomoc();
    QVERIFY(bylo_otwarte);
    QVERIFY(!glowne.okno_pomocy());
    QVERIFY(!glowne.isVisible());
    QVERIFY(glowne.prezenter().zamkniete());
    QVERIFY(!zamkniete_awaryjnie_);
  }

 private:
  void sprawdz_otwarte(const Form1& glowne, Frmhelp& pomoc) {
    QVERIFY(pomoc.isVisible());
    QVERIFY(pomoc.isModal());
    QCOMPARE(QApplication::activeModalWidget(), &pomoc);
    // No owner: a window of its own, not a child of the main window.
    QVERIFY(!pomoc.parentWidget());
    QCOMPARE(pomoc.size(), glowne.screen()->availableGeometry().size());
    QVERIFY(wypelnia(pomoc));
    // A fresh text at every opening, whatever was typed the last time.
    QCOMPARE(pomoc.tekst()->toPlainText(), oczekiwany_tekst());
    pomoc.tekst()->setPlainText(QStringLiteral("zmieniony"));
    pomoc.resize(500, 300);
    QCoreApplication::processEvents();
    QVERIFY(wypelnia(pomoc));
    sprawdzone_ = true;
  }

  void zamknij_modalne() {
    if (QWidget* w = QApplication::activeModalWidget()) {
      zamkniete_awaryjnie_ = true;
      w->close();
    }
  }

  bool sprawdzone_ = false;
  bool zamkniete_awaryjnie_ = false;
};

QTEST_MAIN(TestFrmhelp)
#include "frmhelp_test.moc"
