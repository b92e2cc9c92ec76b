// The main window in Qt: the controls of the shared table, drawn; its
// behaviour is PrezenterForm1's, to which it forwards its events.
#pragma once

#include <QCheckBox>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <array>

#include "gui/prezenter_form1.hpp"
#include "gui/qt/frmhelp.hpp"
#include "gui/tabela_kontrolek.hpp"
#include "gui/uklad_okna.hpp"
#include "gui/widok_form1.hpp"

namespace wyrownik {

class Form1 : public QWidget, public WidokForm1 {
  Q_OBJECT

 public:
  explicit Form1(QWidget* rodzic = nullptr);

  PrezenterForm1& prezenter() { return prezenter_; }
  template <class T = QWidget>
  T* kontrolka(NazwaKontrolki nazwa) const {
    return qobject_cast<T*>(kontrolki_[nazwa.numer()]);
  }
  // The help window while it is open, else null.
  Frmhelp* okno_pomocy() const { return pomoc_; }

  // The view (WidokForm1).
  void ustaw_tekst(NazwaKontrolki kontrolka, std::string_view tekst) override;
  void wlacz(NazwaKontrolki k, bool wlaczona) override { kontrolka(k)->setEnabled(wlaczona); }
  std::string tekst(NazwaKontrolki kontrolka) const override;
  bool zaznaczone(NazwaKontrolki k) const override { return kontrolka<QCheckBox>(k)->isChecked(); }
  void wypelnij_liste(const std::vector<std::string>& wpisy) override;
  bool wybrany_wpis(std::size_t i) const override;
  void komunikat(std::string_view tekst) override;
  bool pytanie(std::string_view tekst) override;
  std::optional<std::filesystem::path> wybierz_folder(std::string_view tytul) override;
  void kursor_zajety(bool zajety) override;
  bool otworz(const std::filesystem::path& plik) override;
  void przetworz_zdarzenia() override { QCoreApplication::processEvents(); }
  void otworz_pomoc() override;
  void zamknij_pomoc() override;
  void zamknij() override { close(); }

 protected:
  void closeEvent(QCloseEvent* zdarzenie) override;

 private:
  QWidget* utworz_kontrolke(const OpisKontrolki& opis);

  PrezenterForm1 prezenter_{*this};
  std::array<QWidget*, kontrolki_form1.size()> kontrolki_{};
  UkladOkna uklad_pomocy_;
  QPointer<Frmhelp> pomoc_;
  bool kursor_zajety_ = false;
};

}  // namespace wyrownik
