// The run buttons of the real window: a click runs the batch over the
// selected sceneries, with the inputs disabled meanwhile and the status lines
// emptied at the end.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "batch/partia.hpp"
#include "batch/start.hpp"
#include "gui/qt/form1.hpp"
#include "gui/qt/przebiegi_qt.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

using namespace wyrownik;

namespace {

const char* const scena =
    "node -1 0 t triangles trawa.dds\r\n0 7.125 0\r\n100 7.125 0\r\n0 7.125 100\r\nendtri\r\n"
    "include drzewo.inc 10 5 20 0 end\r\n";

const char* const tory =
    "node 1 0 t track normal 100 1.6 0.25 25 20 0 flat vis\r\n Rail 4 tex 0.2 0.5 1.1\r\n"
    "0 0.2 0 0\r\n0 0 0\r\n0 0 0\r\n100 0.2 0 0\r\n0\r\nendtrack\r\n"
    "include drzewo.inc 50 0 3 1 2 3 5 end\r\n";

class Stanowisko {
 public:
  Stanowisko() : okno([this](const QString& t) { komunikaty << t; }) {
    k.zapisz("sim/scenery/a.scn", scena);
    k.zapisz("sim/scenery/b.scn", tory);
    k.zapisz("program/wyrownik.ini", "[Sciezka dostepu]\r\n" + (k / "sim").string() +
                                         "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
    start = wykonaj_start(k / "program", okno);
    polacz_przebiegi(okno, srodowisko_ze_startu(start));
  }
  void zaznacz(const QString& nazwa) {
    for (int i = 0; i < okno.lista_plikow()->count(); ++i) {
      auto* wpis = okno.lista_plikow()->item(i);
      wpis->setSelected(wpis->text() == nazwa);
    }
  }
  testy::KatalogTymczasowy k;
  QStringList komunikaty;
  Form1 okno;
  WynikStartu start;
};

}  // namespace

class TestPrzebiegi : public QObject {
  Q_OBJECT

 private slots:
  void command4_undoes_the_last_batch_after_asking() {
    Stanowisko s;
    QVERIFY(!s.okno.przycisk(Przycisk::command4)->isEnabled());  // nothing kept yet
    s.zaznacz(QStringLiteral("a.scn"));
    bool wylaczony_w_trakcie = false;
    QTimer::singleShot(
        0, [&] { wylaczony_w_trakcie = !s.okno.przycisk(Przycisk::command4)->isEnabled(); });
    s.okno.przycisk(Przycisk::command1)->click();
    QVERIFY(wylaczony_w_trakcie);
    QVERIFY(s.okno.przycisk(Przycisk::command4)->isEnabled());

    QStringList pytania;
    bool odpowiedz = false;
    s.okno.ustaw_pytanie([&](const QString& p) {
      pytania << p;
      return odpowiedz;
    });
    s.okno.przycisk(Przycisk::command4)->click();  // "no": nothing happens
    QCOMPARE(pytania.size(), 1);
    QVERIFY(pytania[0].contains(QStringLiteral("(plików: 1)")));
    QVERIFY(testy::wczytaj(s.k / "sim/scenery/a.scn") != scena);
    odpowiedz = true;
    s.okno.przycisk(Przycisk::command4)->click();
    QCOMPARE(testy::wczytaj(s.k / "sim/scenery/a.scn"), std::string(scena));
    QCOMPARE(s.komunikaty, QStringList{QString::fromUtf8("Przywrócono plików: 1.")});
    QVERIFY(!s.okno.przycisk(Przycisk::command4)->isEnabled());  // nothing left to undo
  }

  void command1_corrects_the_height_of_the_selected_scenery() {
    Stanowisko s;
    QVERIFY(s.start.stan == StanStartu::gotowy);
    s.zaznacz(QStringLiteral("a.scn"));
    // The batch lets the window handle events: a timer fires while it works,
    // and sees the inputs disabled.
    bool wylaczone_w_trakcie = false;
    QTimer::singleShot(0, [&] { wylaczone_w_trakcie = !s.okno.pole(Pole::text1)->isEnabled(); });
    s.okno.przycisk(Przycisk::command1)->click();
    QVERIFY(s.komunikaty.isEmpty());
    QCOMPARE(
        testy::wczytaj(s.k / "sim/scenery/a.scn"),
        std::string("node -1 0 t triangles trawa.dds\r\n0 7.125 0\r\n100 7.125 0\r\n0 7.125 100\r\n"
                    "endtri\r\ninclude drzewo.inc 10 7.12 20 0 end\r\n"));
    QVERIFY(testy::wczytaj(s.k / "program/Log_korekcja.txt").find("Ilo\x9C\xE6 zmian: 1") !=
            std::string::npos);
    QVERIFY(wylaczone_w_trakcie);
    for (const auto w : {Wejscie::text1, Wejscie::text2, Wejscie::text3, Wejscie::text4,
                         Wejscie::command1, Wejscie::command2, Wejscie::file1}) {
      QVERIFY(s.okno.wejscie(w)->isEnabled());
    }
    QCOMPARE(s.okno.etykieta(Etykieta::label3)->text(), QString());
    QCOMPARE(testy::wczytaj(s.k / "sim/scenery/b.scn"), std::string(tory));  // not selected
  }

  // The preview changes no scenery file, yet writes the log and the report,
  // which Command5 then opens.
  void preview_writes_log_and_report_and_command5_opens_it() {
    Stanowisko s;
    QVERIFY(!s.okno.przycisk(Przycisk::command5)->isEnabled());
    s.zaznacz(QStringLiteral("a.scn"));
    s.okno.podglad()->setChecked(true);
    bool wylaczony_w_trakcie = false;
    QTimer::singleShot(0, [&] { wylaczony_w_trakcie = !s.okno.podglad()->isEnabled(); });
    s.okno.przycisk(Przycisk::command1)->click();
    QVERIFY(s.komunikaty.isEmpty());
    QVERIFY(wylaczony_w_trakcie);
    QCOMPARE(testy::wczytaj(s.k / "sim/scenery/a.scn"), std::string(scena));
    QVERIFY(testy::wczytaj(s.k / "program/Log_korekcja.txt").find("Ilo\x9C\xE6 zmian: 1") !=
            std::string::npos);
    const auto raport = s.k / "program/Log_korekcja.html";
    QVERIFY(testy::wczytaj(raport).find("<circle class=\"w") != std::string::npos);
    QVERIFY(!s.okno.przycisk(Przycisk::command4)->isEnabled());  // nothing replaced, nothing kept
    QVERIFY(s.okno.podglad()->isEnabled());

    std::vector<std::filesystem::path> otwarte;
    s.okno.ustaw_otwieranie([&](const std::filesystem::path& p) {
      otwarte.push_back(p);
      return true;
    });
    QVERIFY(s.okno.przycisk(Przycisk::command5)->isEnabled());
    s.okno.przycisk(Przycisk::command5)->click();
    QCOMPARE(otwarte, std::vector<std::filesystem::path>{raport});
  }

  void command2_moves_objects_out_of_the_clearance() {
    Stanowisko s;
    s.zaznacz(QStringLiteral("b.scn"));
    s.okno.przycisk(Przycisk::command2)->click();
    QVERIFY(s.komunikaty.isEmpty());
    QVERIFY(testy::wczytaj(s.k / "sim/scenery/b.scn")
                .find("include drzewo.inc 50 0 6 1 2 3 5 end\r\n") != std::string::npos);
    QCOMPARE(testy::wczytaj(s.k / "sim/scenery/a.scn"), std::string(scena));
  }

  void closing_the_window_stops_the_batch_cleanly_data() {
    QTest::addColumn<QString>("faza");
    QTest::newRow("scan") << QStringLiteral("FAZA I");
    QTest::newRow("index") << QStringLiteral("FAZA III");
    QTest::newRow("rewrite") << QStringLiteral("FAZA IV");
  }
  void closing_the_window_stops_the_batch_cleanly() {
    QFETCH(QString, faza);
    Stanowisko s;
    s.okno.show();
    s.zaznacz(QStringLiteral("a.scn"));
    // The user closes the window once the batch shows the phase.
    QTimer zamykanie;
    QObject::connect(&zamykanie, &QTimer::timeout, [&] {
      if (s.okno.etykieta(Etykieta::label3)->text() == faza) s.okno.close();
    });
    zamykanie.start(0);
    s.okno.przycisk(Przycisk::command1)->click();
    zamykanie.stop();
    QVERIFY(s.okno.przerwac());
    QVERIFY(!s.okno.isVisible());
    QVERIFY(s.komunikaty.isEmpty());
    QCOMPARE(testy::wczytaj(s.k / "sim/scenery/a.scn"), std::string(scena));
    for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
      QVERIFY2(!std::filesystem::exists(s.k / "sim/scenery" / roboczy), roboczy);
    }
  }

  void a_failure_shows_one_message() {
    Stanowisko s;
    s.k.zapisz("sim/scenery/b.scn",
               std::string(tory) + "node 1 0 t track normal 1 1 0 0 0 0 0 2\r\nx\r\nword 0 0\r\n");
    s.zaznacz(QStringLiteral("b.scn"));
    s.okno.przycisk(Przycisk::command2)->click();
    QCOMPARE(s.komunikaty, QStringList{QString::fromUtf8(
                               "Wystąpił błąd. Dalsze działanie prgramu zostało przerwane.")});
    QVERIFY(s.okno.przycisk(Przycisk::command2)->isEnabled());
  }
};

QTEST_MAIN(TestPrzebiegi)
#include "przebiegi_test.moc"
