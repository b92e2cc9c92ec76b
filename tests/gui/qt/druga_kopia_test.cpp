// The built program twice on one program directory: the second copy ends at
// once, silently, and leaves the first one working.
#include <sys/stat.h>

#include <QFile>
#include <QProcess>
#include <QtTest>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/blokada.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

using namespace wyrownik;

namespace {

// The process that holds the flock on `plik`, read from /proc/locks: looking
// must not take the lock, or a copy starting at that moment would end.
std::optional<qint64> wlasciciel_blokady(const std::filesystem::path& plik) {
  struct stat st {};
  if (::stat(plik.c_str(), &st) != 0) return std::nullopt;
  std::ifstream blokady("/proc/locks");
  std::string linia;
  while (std::getline(blokady, linia)) {
    std::istringstream s(linia);
    std::string nr, rodzaj, tryb, dostep, urzadzenie;
    qint64 pid = 0;
    s >> nr >> rodzaj;
    if (rodzaj == "->") s >> rodzaj;  // a waiter
    s >> tryb >> dostep >> pid >> urzadzenie;
    if (rodzaj != "FLOCK") continue;
    const auto dwukropek = urzadzenie.rfind(':');
    if (dwukropek == std::string::npos) continue;
    if (std::stoull(urzadzenie.substr(dwukropek + 1)) == st.st_ino) return pid;
  }
  return std::nullopt;
}

QString program() {
  return QString::fromLocal8Bit(qgetenv("WYROWNIK_OKNO"));
}

class Kopia {
 public:
  Kopia(const std::filesystem::path& katalog, const QString& xdg) {
    auto srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    srodowisko.insert(QStringLiteral("XDG_RUNTIME_DIR"), xdg);
    proces_.setProcessEnvironment(srodowisko);
    proces_.start(program(), {QStringLiteral("--program-dir"), QFile::decodeName(katalog.c_str())});
  }
  ~Kopia() {
    if (proces_.state() != QProcess::NotRunning) {
      proces_.kill();
      proces_.waitForFinished(-1);
    }
  }
  QProcess& proces() { return proces_; }

 private:
  QProcess proces_;
};

}  // namespace

class TestDrugaKopia : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(QFileInfo(program()).isExecutable(), "WYROWNIK_OKNO names no program");
    QVERIFY(std::filesystem::exists("/proc/locks"));
    ::chmod(xdg_.sciezka().c_str(), 0700);
  }

  void druga_kopia_konczy_sie_po_cichu() {
    testy::KatalogTymczasowy katalog;     // no ini: the first copy waits on its message box
    const auto plik = katalog.sciezka();  // the lock is the directory's own
    Kopia pierwsza(katalog.sciezka(), xdg());
    QVERIFY(pierwsza.proces().waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(wlasciciel_blokady(plik),
                              std::optional<qint64>(pierwsza.proces().processId()), 30000);

    // The same directory spelt otherwise is the same directory.
    Kopia druga(katalog.sciezka() / "", xdg());
    QVERIFY(druga.proces().waitForFinished(30000));
    QCOMPARE(druga.proces().exitStatus(), QProcess::NormalExit);
    QCOMPARE(druga.proces().exitCode(), 0);
    QCOMPARE(druga.proces().readAllStandardOutput(), QByteArray());
    QCOMPARE(druga.proces().readAllStandardError(), QByteArray());

    QCOMPARE(pierwsza.proces().state(), QProcess::Running);
    QCOMPARE(wlasciciel_blokady(plik), std::optional<qint64>(pierwsza.proces().processId()));

    // Once the first copy is gone, however it ended, the directory is free.
    pierwsza.proces().kill();
    QVERIFY(pierwsza.proces().waitForFinished(30000));
    QVERIFY(Blokada::zajmij(katalog.sciezka()));
  }

  void inny_katalog_programu_to_inna_kopia() {
    testy::KatalogTymczasowy a;
    testy::KatalogTymczasowy b;
    Kopia pierwsza(a.sciezka(), xdg());
    Kopia druga(b.sciezka(), xdg());
    QVERIFY(pierwsza.proces().waitForStarted());
    QVERIFY(druga.proces().waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(wlasciciel_blokady(a.sciezka()),
                              std::optional<qint64>(pierwsza.proces().processId()), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(wlasciciel_blokady(b.sciezka()),
                              std::optional<qint64>(druga.proces().processId()), 30000);
    QCOMPARE(pierwsza.proces().state(), QProcess::Running);
    QCOMPARE(druga.proces().state(), QProcess::Running);
  }

  void zle_uzycie() {
    QProcess p;
    auto srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    srodowisko.insert(QStringLiteral("XDG_RUNTIME_DIR"), xdg());
    p.setProcessEnvironment(srodowisko);
    p.start(program(), {QStringLiteral("--program-dir")});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 64);
    QVERIFY(p.readAllStandardError().contains("usage: wyrownik"));
  }

 private:
  QString xdg() const { return QFile::decodeName(xdg_.sciezka().c_str()); }
  testy::KatalogTymczasowy xdg_;
};

QTEST_MAIN(TestDrugaKopia)
#include "druga_kopia_test.moc"
