// The desktop program: one copy per program directory, start-up with its
// messages, then the main window.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <string>
#include <vector>

#include "gui/qt/form1.hpp"
#include "gui/start_programu.hpp"
#include "platform/proces.hpp"
#include "platform/sterta.hpp"

int main(int argc, char** argv) {
  wyrownik::przygotuj_proces();
  wyrownik::przygotuj_sterte();
  QApplication aplikacja(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("wyrownik"));

  std::vector<std::string> argumenty;
  const QStringList wszystkie = QCoreApplication::arguments();
  for (qsizetype i = 1; i < wszystkie.size(); ++i) {
    argumenty.push_back(QFile::encodeName(wszystkie[i]).toStdString());
  }
  std::string blad;
  const auto opcje = wyrownik::parsuj_opcje_okna(argumenty, blad);
  if (!opcje || opcje->pomoc) {
    std::fputs(opcje ? "" : ("wyrownik: " + blad + "\n").c_str(), stderr);
    std::fputs(wyrownik::uzycie_okna, opcje ? stdout : stderr);
    return opcje ? 0 : 64;
  }
  const auto program = wyrownik::zajmij_program(*opcje, argv[0], [](std::string_view tekst) {
    QMessageBox::critical(nullptr, QCoreApplication::applicationName(),
                          QString::fromUtf8(tekst.data(), static_cast<qsizetype>(tekst.size())));
  });
  if (!program.blokada) return program.kod_wyjscia;

  wyrownik::Form1 okno;
  okno.prezenter().uruchom(program.katalog);
  okno.show();
  return aplikacja.exec();
}
