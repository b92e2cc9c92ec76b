// The main window: the scenery list, the inputs of the two corrections, the
// status lines and the help button.
#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "batch/start.hpp"
#include "gui/qt/frmhelp.hpp"
#include "gui/tabela_kontrolek.hpp"
#include "gui/uklad_okna.hpp"
#include "gui/wejscia.hpp"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace wyrownik {

enum class Przycisk { command1, command2, command3, command4, command5 };

class Form1 : public QWidget, public OknoStartu {
  Q_OBJECT

 public:
  // Shows one message and returns when it has been acknowledged. The default
  // is a message box with an OK button; tests record instead.
  using PokazywanieKomunikatu = std::function<void(const QString&)>;
  // Asks a yes/no question and returns the answer. The default is a message
  // box; tests answer instead.
  using Pytanie = std::function<bool(const QString&)>;
  // Opens a file in the system's program for it; false when none opens it.
  // The default asks the desktop; tests record instead.
  using Otwieranie = std::function<bool(const std::filesystem::path&)>;

  explicit Form1(PokazywanieKomunikatu pokazywanie = {}, QWidget* rodzic = nullptr);

  // Start-up (OknoStartu).
  void pokaz_komunikat(std::string_view tekst) override;
  void wylacz_wejscia() override;
  void wskaz_katalog(const std::filesystem::path& katalog) override;

  // What a batch shows and asks: the status lines Label2..Label4, a chance
  // to handle pending events, and whether the window has been closed since.
  void pokaz(Etykieta etykieta, std::string_view tekst);
  void przetworz_zdarzenia();
  bool przerwac() const { return zamkniete_; }

  // What the batch driver reads and sets.
  // The text of a number box as Windows-1250 ("?" for characters it lacks).
  std::string tekst_pola(Pole pole) const;
  // File1's entry i, the directory's own bytes; empty beyond the list.
  std::string wpis_listy(std::size_t i) const;
  // Disables or enables Text1..Text4, Command1 and Command2 around a batch;
  // File1 and Command3 stay usable.
  void ustaw_wejscia_partii(bool wlaczone);
  // Command4 undoes the last batch kept under `katalog_programu`; it is
  // enabled only while such a batch exists.
  void ustaw_cofanie(std::filesystem::path katalog_programu,
                     std::filesystem::path katalog_scenerii);
  void odswiez_cofanie();
  void ustaw_pytanie(Pytanie pytanie) { pytanie_ = std::move(pytanie); }
  // Command5 opens the map report at `plik` in the browser; it is enabled
  // only while the report exists. Check1 asks for batches that change no
  // scenery file (a dry run with its log and report).
  void ustaw_raport(std::filesystem::path plik);
  void odswiez_raport();
  void ustaw_otwieranie(Otwieranie otwieranie) { otwieranie_ = std::move(otwieranie); }
  bool tylko_podglad() const;
  QCheckBox* podglad() const { return Check1_; }
  // The busy pointer over the main window, or the normal one again.
  void ustaw_kursor_zajety(bool zajety);

  // The controls themselves.
  QListWidget* lista_plikow() const { return File1_; }
  QLineEdit* pole(Pole pole) const;
  QLabel* etykieta(Etykieta etykieta) const;
  QPushButton* przycisk(Przycisk przycisk) const;
  QWidget* wejscie(Wejscie wejscie) const;

  // The help window while it is open, else null.
  Frmhelp* okno_pomocy() const { return pomoc_; }

 public slots:
  // Opens the help window modally; returns when the user has closed it.
  void pokaz_pomoc();
  // Asks, then undoes the last batch and tells the result.
  void cofnij_ostatnia();
  // Opens the last map report.
  void pokaz_raport();

 protected:
  void closeEvent(QCloseEvent* zdarzenie) override;

 private:
  QWidget* utworz_kontrolke(const OpisKontrolki& opis);

  PokazywanieKomunikatu pokazywanie_;
  QListWidget* File1_;
  QGroupBox* Frame1_;
  QGroupBox* Frame2_;
  QLineEdit* Text1_;
  QLineEdit* Text2_;
  QLineEdit* Text3_;
  QLineEdit* Text4_;
  QPushButton* Command1_;
  QPushButton* Command2_;
  QPushButton* Command3_;
  QPushButton* Command4_;
  QCheckBox* Check1_;
  QPushButton* Command5_;
  Pytanie pytanie_;
  Otwieranie otwieranie_;
  std::filesystem::path plik_raportu_;
  std::filesystem::path katalog_programu_, katalog_scenerii_;
  QLabel* Label2_;
  QLabel* Label3_;
  QLabel* Label4_;
  UkladOkna uklad_pomocy_;
  QPointer<Frmhelp> pomoc_;
  bool zamkniete_ = false;
  bool kursor_zajety_ = false;
};

}  // namespace wyrownik
