// Start-up through the real window: its messages (recorded, not shown) and
// which inputs stay usable afterwards.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "batch/start.hpp"
#include "config/komunikaty.hpp"
#include "gui/qt/form1.hpp"
#include "gui/qt/tekst_qt.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

using namespace wyrownik;

namespace {

// The seven inputs start-up may disable, then Command3, then the preview
// check box: "1" enabled, "0" not.
QString stan_wejsc(const Form1& okno) {
  QString stan;
  for (const Wejscie w : wszystkie_wejscia) stan += okno.wejscie(w)->isEnabled() ? '1' : '0';
  stan += okno.przycisk(Przycisk::command3)->isEnabled() ? '1' : '0';
  stan += okno.podglad()->isEnabled() ? '1' : '0';
  return stan;
}

struct Komunikat {
  QString tekst;
  QString wejscia;  // the inputs' state while it was shown
  bool okno_widoczne;
};

struct Przebieg {
  std::vector<Komunikat> komunikaty;
  WynikStartu wynik;
  QString wejscia_po;
  int wpisy_listy;
};

Przebieg uruchom(const std::filesystem::path& program) {
  Przebieg p;
  Form1* wskaznik = nullptr;
  Form1 okno([&](const QString& tekst) {
    p.komunikaty.push_back({tekst, stan_wejsc(*wskaznik), wskaznik->isVisible()});
  });
  wskaznik = &okno;
  p.wynik = wykonaj_start(program, okno);
  p.wejscia_po = stan_wejsc(okno);
  p.wpisy_listy = okno.lista_plikow()->count();
  return p;
}

QString t(std::string_view cp1250) {
  return z_cp1250(cp1250);
}

const QString wszystkie = QStringLiteral("111111111");
const QString zablokowane = QStringLiteral("000000010");

}  // namespace

class TestStartOkna : public QObject {
  Q_OBJECT

 private slots:
  void brak_ini() {
    testy::KatalogTymczasowy program;
    const auto p = uruchom(program.sciezka());
    QCOMPARE(p.komunikaty.size(), 2u);
    QCOMPARE(p.komunikaty[0].tekst, QStringLiteral("Brak pliku wyrownik.ini"));
    QCOMPARE(p.komunikaty[0].wejscia, wszystkie);
    QCOMPARE(p.komunikaty[1].tekst, QString::fromUtf8("Brak podanej ścieżki dostępu"));
    QCOMPARE(p.komunikaty[1].wejscia, zablokowane);
    QVERIFY(!p.komunikaty[0].okno_widoczne);
    QCOMPARE(p.wejscia_po, zablokowane);
    QVERIFY(p.wynik.stan == StanStartu::zablokowany);
  }

  void pusty_ini() {
    testy::KatalogTymczasowy program;
    program.zapisz("wyrownik.ini", "123456789");
    const auto p = uruchom(program.sciezka());
    QCOMPARE(p.komunikaty.size(), 2u);
    QCOMPARE(p.komunikaty[0].tekst, t(komunikat::pusty_ini));
    QCOMPARE(p.komunikaty[0].wejscia, wszystkie);
    QCOMPARE(p.komunikaty[1].tekst, t(komunikat::brak_sciezki));
    QCOMPARE(p.komunikaty[1].wejscia, zablokowane);
    QCOMPARE(p.wejscia_po, zablokowane);
  }

  void brak_sciezki() {
    testy::KatalogTymczasowy program;
    program.zapisz("wyrownik.ini", "[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
    const auto p = uruchom(program.sciezka());
    QCOMPARE(p.komunikaty.size(), 1u);
    QCOMPARE(p.komunikaty[0].tekst, t(komunikat::brak_sciezki));
    QCOMPARE(p.komunikaty[0].wejscia, zablokowane);  // disabled before the message
    QCOMPARE(p.wejscia_po, zablokowane);
  }

  void brak_katalogu_scenery() {
    testy::KatalogTymczasowy program;
    testy::KatalogTymczasowy korzen;
    program.zapisz("wyrownik.ini", "[Sciezka dostepu]\r\n" + korzen.sciezka().string() +
                                       "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
    korzen.zapisz("inny/a.scn", "x");
    const auto p = uruchom(program.sciezka());
    QCOMPARE(p.komunikaty.size(), 1u);
    QCOMPARE(p.komunikaty[0].tekst, QStringLiteral("Brak podkatalogu SCENERY."));
    QCOMPARE(p.komunikaty[0].wejscia, wszystkie);  // disabled after the message
    QCOMPARE(p.wejscia_po, zablokowane);
    QCOMPARE(p.wpisy_listy, 0);
  }

  void puste_listy() {
    testy::KatalogTymczasowy program;
    testy::KatalogTymczasowy korzen;
    korzen.zapisz("Scenery/b.scn", "x");
    korzen.zapisz("Scenery/A.SCN", "x");
    program.zapisz("wyrownik.ini",
                   "[Sciezka dostepu]\r\n" + korzen.sciezka().string() + "\r\n[inc]\r\n*\r\n");
    const auto p = uruchom(program.sciezka());
    QCOMPARE(p.komunikaty.size(), 1u);
    QCOMPARE(p.komunikaty[0].tekst,
             QString::fromUtf8("Lista plików inc lub lista tekstur jest pusta."));
    QCOMPARE(p.komunikaty[0].wejscia, wszystkie);
    QCOMPARE(p.wejscia_po, zablokowane);
    // The list already shows the scenery files, but cannot be used.
    QCOMPARE(p.wpisy_listy, 2);
    QVERIFY(p.wynik.plik_logu.empty());
  }

  void udany_start() {
    testy::KatalogTymczasowy program;
    testy::KatalogTymczasowy korzen;
    korzen.zapisz("scenery/X.SCN", "x");
    korzen.zapisz("scenery/teren.scm", "x");
    program.zapisz("wyrownik.ini", "[Sciezka dostepu]\r\n" + korzen.sciezka().string() +
                                       "/\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
    const auto p = uruchom(program.sciezka());
    QVERIFY(p.komunikaty.empty());
    QCOMPARE(p.wejscia_po, wszystkie);
    QCOMPARE(p.wpisy_listy, 1);
    QVERIFY(p.wynik.stan == StanStartu::gotowy);
    QCOMPARE(p.wynik.plik_logu, program.sciezka() / "Log_korekcja.txt");
  }
};

QTEST_MAIN(TestStartOkna)
#include "start_okna_test.moc"
