// The help window: the instruction text in one text box that always fills
// the client area.
#pragma once

#include <QDialog>

#include "gui/uklad_okna.hpp"

class QPlainTextEdit;
class QScreen;

namespace wyrownik {

class Frmhelp : public QDialog, private OknoUkladu {
  Q_OBJECT

 public:
  // `uklad` outlives the window: a later opening finds the margins and sizes
  // this one leaves.
  explicit Frmhelp(UkladOkna& uklad, QWidget* rodzic = nullptr);

  QPlainTextEdit* tekst() const { return Text1_; }

  // The opening steps: the size of `ekran` (its usable area), laid out at
  // each change, then the size and the margins remembered. The window is not
  // shown yet.
  void przygotuj(const QScreen& ekran);
  // przygotuj(), then shown modally until the user closes it.
  int otworz(const QScreen& ekran);

 protected:
  void resizeEvent(QResizeEvent* zdarzenie) override;

 private:
  Rozmiar rozmiar_klienta() const override;
  Rozmiar rozmiar_zewnetrzny() const override;
  std::size_t ile_kontrolek() const override { return 1; }
  Prostokat kontrolka(std::size_t numer) const override;
  void ustaw_kontrolke(std::size_t numer, const Prostokat& miejsce) override;
  bool ustaw_rozmiar_zewnetrzny(Rozmiar rozmiar) override;

  UkladOkna& uklad_;
  QPlainTextEdit* Text1_;
};

}  // namespace wyrownik
