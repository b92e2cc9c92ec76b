#include "report/pisanie_raportu.hpp"

#include <system_error>
#include <utility>

#include "report/strona_raportu.hpp"

namespace wyrownik {

PisanieRaportu::PisanieRaportu(const Raport& raport, std::filesystem::path plik,
                               OperacjeSystemu& operacje, bool z_wyprzedzeniem)
    : raport_(raport),
      plik_(std::move(plik)),
      nowy_(nowy_raport(plik_)),
      operacje_(operacje),
      z_wyprzedzeniem_(z_wyprzedzeniem) {}

PisanieRaportu::~PisanieRaportu() {
  czekaj();
}

void PisanieRaportu::czekaj() noexcept {
  if (watek_.joinable()) watek_.join();
}

void PisanieRaportu::nowa_sceneria(bool ostatnia) {
  czekaj();
  napisana_ = false;
  blad_ = nullptr;
  ostatnia_ = ostatnia;
}

void PisanieRaportu::koniec_scenerii(const StanScenerii&, const LicznikiPrzebiegu&) {
  if (!z_wyprzedzeniem_ || !ostatnia_ || napisana_) return;
  try {
    // Nothing the report holds changes after this, till the batch's end:
    // the thread reads it alone.
    watek_ = std::thread([this] {
      try {
        napisz_raport(nowy_, raport_, operacje_);
      } catch (...) {
        blad_ = std::current_exception();
      }
    });
    napisana_ = true;
  } catch (const std::system_error&) {
    // No thread: the page is written at the end.
  }
}

void PisanieRaportu::zakoncz() {
  czekaj();
  if (!napisana_) napisz_raport(nowy_, raport_, operacje_);
  napisana_ = false;
  if (blad_) std::rethrow_exception(std::exchange(blad_, nullptr));
  zastap_raport(nowy_, plik_, operacje_);
}

}  // namespace wyrownik
