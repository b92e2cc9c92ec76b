// The desktop program: one copy per program directory, start-up with its
// messages, then the main window.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "batch/start.hpp"
#include "gui/opcje_okna.hpp"
#include "gui/qt/form1.hpp"
#include "gui/qt/przebiegi_qt.hpp"
#include "platform/bledy.hpp"
#include "platform/blokada.hpp"
#include "platform/proces.hpp"

namespace {

std::filesystem::path sciezka_z(const QString& tekst) {
  return std::filesystem::path(QFile::encodeName(tekst).toStdString());
}

}  // namespace

int main(int argc, char** argv) {
  wyrownik::przygotuj_proces();
  QApplication aplikacja(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("wyrownik"));

  std::vector<std::string> argumenty;
  const QStringList wszystkie = QCoreApplication::arguments();
  for (qsizetype i = 1; i < wszystkie.size(); ++i) {
    argumenty.push_back(QFile::encodeName(wszystkie[i]).toStdString());
  }
  std::string blad;
  const auto opcje = wyrownik::parsuj_opcje_okna(argumenty, blad);
  if (!opcje) {
    std::fprintf(stderr, "wyrownik: %s\n%s", blad.c_str(), wyrownik::uzycie_okna);
    return 64;
  }
  if (opcje->pomoc) {
    std::fputs(wyrownik::uzycie_okna, stdout);
    return 0;
  }
  const std::filesystem::path katalog = opcje->katalog_programu
                                            ? std::filesystem::path(*opcje->katalog_programu)
                                            : sciezka_z(QCoreApplication::applicationDirPath());

  std::optional<wyrownik::Blokada> blokada;
  try {
    blokada = wyrownik::Blokada::zajmij(katalog);
  } catch (const wyrownik::BladPliku& b) {
    // Without the lock two copies could share the log and the scratch
    // files: better not to start.
    QMessageBox::critical(nullptr, QCoreApplication::applicationName(),
                          QString::fromUtf8("Nie można sprawdzić, czy program już działa.\n") +
                              QString::fromLocal8Bit(b.what()));
    return 1;
  }
  // Another copy works in this program directory: end silently.
  if (!blokada) return 0;

  wyrownik::Form1 okno;
  const wyrownik::WynikStartu start = wyrownik::wykonaj_start(katalog, okno);
  if (start.stan == wyrownik::StanStartu::gotowy) {
    wyrownik::polacz_przebiegi(okno, wyrownik::srodowisko_ze_startu(start));
  }
  okno.show();
  return aplikacja.exec();
}
