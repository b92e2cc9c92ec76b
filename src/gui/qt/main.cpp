// The desktop program: one copy per program directory, start-up with its
// messages, then the main window.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gui/opcje_okna.hpp"
#include "gui/qt/form1.hpp"
#include "gui/start_programu.hpp"
#include "platform/proces.hpp"

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
  if (!opcje || opcje->pomoc) {
    std::fputs(opcje ? "" : ("wyrownik: " + blad + "\n").c_str(), stderr);
    std::fputs(wyrownik::uzycie_okna, opcje ? stdout : stderr);
    return opcje ? 0 : 64;
  }
  const std::filesystem::path katalog =
      opcje->katalog_programu
          ? std::filesystem::path(*opcje->katalog_programu)
          : std::filesystem::path(
                QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());

  const auto zajecie = wyrownik::zajmij_program(katalog, [](std::string_view tekst) {
    QMessageBox::critical(nullptr, QCoreApplication::applicationName(),
                          QString::fromUtf8(tekst.data(), static_cast<qsizetype>(tekst.size())));
  });
  if (!zajecie.blokada) return zajecie.kod_wyjscia;

  wyrownik::Form1 okno;
  okno.prezenter().uruchom(katalog);
  okno.show();
  return aplikacja.exec();
}
