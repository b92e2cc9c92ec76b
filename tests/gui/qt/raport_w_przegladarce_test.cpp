// A report as a browser draws it: Chromium, headless, takes a picture of a
// page with every kind of marker, and the picture shows them. Skipped where
// no Chromium is installed.
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include "pomoc/katalog_tymczasowy.hpp"
#include "report/strona_raportu.hpp"

using namespace wyrownik;

namespace {

// How many pixels are near the colour.
int ile_pikseli(const QImage& obraz, QColor kolor) {
  int ile = 0;
  for (int y = 0; y < obraz.height(); ++y) {
    for (int x = 0; x < obraz.width(); ++x) {
      const QColor c = obraz.pixelColor(x, y);
      if (std::abs(c.red() - kolor.red()) + std::abs(c.green() - kolor.green()) +
              std::abs(c.blue() - kolor.blue()) <
          40) {
        ++ile;
      }
    }
  }
  return ile;
}

// The page of the report as Chromium draws it.
QImage obraz_strony(const QString& chromium, const Raport& raport,
                    const testy::KatalogTymczasowy& k, const std::string& nazwa) {
  const auto strona = k / (nazwa + ".html"), obraz = k / (nazwa + ".png");
  zapisz_raport(strona, raport, operacje_systemowe());
  QProcess p;
  p.start(chromium,
          {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           "--user-data-dir=" + QString::fromStdString((k / ("profil-" + nazwa)).string()),
           "--window-size=1000,900", "--screenshot=" + QString::fromStdString(obraz.string()),
           "file://" + QString::fromStdString(strona.string())});
  if (!p.waitForFinished(120000)) return {};
  return QImage(QString::fromStdString(obraz.string()));
}

}  // namespace

class TestRaportWPrzegladarce : public QObject {
  Q_OBJECT

 private slots:
  // The same scenery with and without changes: the arrows of the moves
  // (blue) and the crosses of the removals (red) add their colours, and the
  // clearance strip is there in both.
  void plan_widac_w_przegladarce() {
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty()) QSKIP("no chromium installed");
    testy::KatalogTymczasowy k;
    const auto sceneria = [](Raport& r, bool ze_zmianami) {
      MapaZmian& m = r.nowa_sceneria("a.scn", Zakres{0, 0, 200, 200});
      m.tor(100, 0, 100, 200);
      m.pas(100, 0, 100, 200, 3);
      for (int i = 0; ze_zmianami && i < 10; ++i) {
        const std::string z = std::to_string(20 * i);
        m.zmiana(RodzajZmiany::przesuniecie, "a.scm", 1, "include a.inc 101 0 " + z + " end",
                 "include a.inc 160 0 " + z + " end");
        m.zmiana(RodzajZmiany::usuniecie, "a.scm", 2, "include a.inc 40 0 " + z + " end", "");
      }
    };
    Raport pusty(RodzajPrzebiegu::skrajnia, false), pelny(RodzajPrzebiegu::skrajnia, false);
    sceneria(pusty, false);
    sceneria(pelny, true);
    const QImage bez = obraz_strony(chromium, pusty, k, "bez");
    const QImage ze = obraz_strony(chromium, pelny, k, "ze");
    QVERIFY(!bez.isNull() && !ze.isNull());
    const QColor niebieski(0x15, 0x65, 0xc0), czerwony(0xd5, 0x00, 0x00), pas(0xf6, 0xe4, 0xbf);
    QVERIFY(ile_pikseli(ze, niebieski) > ile_pikseli(bez, niebieski) + 500);
    QVERIFY(ile_pikseli(ze, czerwony) > ile_pikseli(bez, czerwony) + 300);
    QVERIFY(ile_pikseli(bez, pas) > 1000);
  }

  // Objects left alone with no ground under them: hollow rings in their
  // reason's colour, on the plan and in the reasons' table that is their
  // legend.
  void pozostawione_widac_w_przegladarce() {
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty()) QSKIP("no chromium installed");
    testy::KatalogTymczasowy k;
    Raport bez_nich(RodzajPrzebiegu::wysokosc, false), z_nimi(RodzajPrzebiegu::wysokosc, false);
    bez_nich.nowa_sceneria("a.scn", Zakres{0, 0, 200, 200}).teren(0, 100, 0, 100);
    MapaZmian& m = z_nimi.nowa_sceneria("a.scn", Zakres{0, 0, 200, 200});
    m.teren(0, 100, 0, 100);
    LicznikiPrzebiegu l;
    for (int i = 0; i < 10; ++i) {
      const std::string z = std::to_string(20 * i);
      m.pozostawiona("a.scm", 1, "include a.inc 150 0 " + z + " end", {Powod::brak_terenu, {}});
    }
    l.pozostawione[static_cast<std::size_t>(Powod::brak_terenu)] = 10;
    m.podsumowanie(l);
    const QImage bez = obraz_strony(chromium, bez_nich, k, "bez");
    const QImage ze = obraz_strony(chromium, z_nimi, k, "ze");
    QVERIFY(!bez.isNull() && !ze.isNull());
    const QColor brak_terenu(0xc2, 0x18, 0x5b);
    QVERIFY(ile_pikseli(ze, brak_terenu) > ile_pikseli(bez, brak_terenu) + 200);
  }
};

QTEST_MAIN(TestRaportWPrzegladarce)
#include "raport_w_przegladarce_test.moc"
