// The map report as a listener of the runs: what each run read and changed,
// on the map of its scenery.
#pragma once

#include "report/raport.hpp"
#include "run/zdarzenia.hpp"

namespace wyrownik {

class SluchaczMapy : public Sluchacz {
 public:
  // Each map keeps its many markers off the program's own memory, in
  // scratch files made through `operacje` in the scenery's directory.
  SluchaczMapy(Raport& raport, OperacjeSystemu& operacje) : raport_(raport), operacje_(operacje) {}

  // The batch begins the map of a scenery before its run (an empty extent
  // has no run and no map).
  void nowa_sceneria(const StanScenerii& stan);

  bool rysuje() const override { return mapa_ != nullptr; }
  void teren(double x_min, double x_max, double z_min, double z_max) override {
    mapa_->teren(x_min, x_max, z_min, z_max);
  }
  void pas(double x1, double z1, double x2, double z2, double polowa_szerokosci) override {
    mapa_->pas(x1, z1, x2, z2, polowa_szerokosci);
  }
  void tor(double x1, double z1, double x2, double z2) override { mapa_->tor(x1, z1, x2, z2); }
  void tekstura_poza_terenem(std::string_view tekstura) override {
    mapa_->tekstura_poza_terenem(tekstura);
  }
  void tor_bez_odcinka(std::string_view pelna_sciezka, const TorBezOdcinka& t) override {
    mapa_->tor_bez_odcinka(pelna_sciezka, t);
  }
  bool chce_tekstur_pod_obiektami() const override { return true; }
  void zmiana(const ZmianaLinii& z) override;
  void chroniona(const ZmianaLinii& z) override;
  void pozostawiona(const LiniaPozostawiona& l) override;
  void znacznik_bez_obiektu(const ZnacznikBezObiektu& z) override {
    mapa_->znacznik_bez_obiektu(z);
  }
  void koniec_scenerii(const StanScenerii&, const LicznikiPrzebiegu& l) override;

 private:
  Raport& raport_;
  OperacjeSystemu& operacje_;
  MapaZmian* mapa_ = nullptr;
};

}  // namespace wyrownik
