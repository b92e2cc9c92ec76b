#include "app/qt/przebiegi_qt.hpp"

#include <QListWidget>
#include <QPushButton>
#include <memory>

#include "clearance/sprawdz_scenerie_skr.hpp"
#include "height/sprawdz_scenerie_wys.hpp"
#include "scenery/kodowanie.hpp"

namespace wyrownik {

std::size_t OknoPartiiQt::ile_pozycji() const {
  return static_cast<std::size_t>(okno_.lista_plikow()->count());
}

bool OknoPartiiQt::zaznaczona(std::size_t i) const {
  const QListWidgetItem* wpis = okno_.lista_plikow()->item(static_cast<int>(i));
  return wpis != nullptr && wpis->isSelected();
}

std::string OknoPartiiQt::pozycja(std::size_t i) const {
  // The log names the scenery in the scenery's own code page; names on disk
  // are usually UTF-8.
  const std::string nazwa = okno_.wpisy_listy().at(i);
  return utf8_na_cp1250(nazwa).value_or(nazwa);
}

void OknoPartiiQt::wlacz(Wejscie wejscie, bool wlaczone) {
  if (QWidget* w = okno_.wejscie(wejscie)) w->setEnabled(wlaczone);
}

void polacz_przebiegi(Form1& okno, Srodowisko srodowisko) {
  auto wspolne = std::make_shared<const Srodowisko>(std::move(srodowisko));
  const auto podlacz = [&okno, wspolne](Przycisk przycisk, Korekcja korekcja) {
    QObject::connect(okno.przycisk(przycisk), &QPushButton::clicked, &okno,
                     [&okno, wspolne, korekcja] {
                       OknoPartiiQt okno_partii(okno);
                       uruchom_partie(*wspolne, okno_partii, korekcja);
                       // A batch stopped by closing the window leaves it to close.
                       if (okno.przerwac()) okno.close();
                     });
  };
  podlacz(Przycisk::command1, sprawdz_scenerie_wys);
  podlacz(Przycisk::command2, sprawdz_scenerie_skr);
}

}  // namespace wyrownik
