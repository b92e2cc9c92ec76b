#include "scenery/dziennik.hpp"

#include "text/kodowanie.hpp"

namespace wyrownik {

namespace {
constexpr std::string_view koniec_linii = "\r\n";
constexpr TekstCp1250 sceneria{"Sceneria: "};
constexpr TekstCp1250 plik_po_scenerii{"  Plik: "};
constexpr TekstCp1250 plik{"Plik: "};
constexpr TekstCp1250 przed_zmiana{"Przed zmiana:"};
constexpr TekstCp1250 po_zmianie{"Po zmianie:"};
constexpr TekstCp1250 usunieto{"Usunięto:"};
constexpr TekstCp1250 ilosc_zmian{"Ilość zmian: "};
constexpr TekstCp1250 ilosc_usunietych{"Ilość usuniętych: "};
constexpr TekstCp1250 pozostawiono{"Korektę przerwano, plik pozostawiono bez zmian: "};
constexpr TekstCp1250 przywrocono{"Cofnięto korektę, przywrócono: "};
constexpr TekstCp1250 pominieto{"Nie cofnięto, plik zmieniony po korekcie: "};
constexpr TekstCp1250 poza_scenerie{"Nie cofnięto, ścieżka spoza katalogu scenerii: "};
constexpr TekstCp1250 zmieniona_kopia{
    "Nie cofnięto, kopia zapasowa różni się od pliku sprzed korekty: "};

void dopisz_linie(std::string& wpis, std::string_view a, std::string_view b = {},
                  std::string_view c = {}, std::string_view d = {}) {
  wpis.append(a).append(b).append(c).append(d).append(koniec_linii);
}

void dopisz_zmiane(std::string& wpis, std::string_view przed, std::string_view po) {
  dopisz_linie(wpis, przed_zmiana);
  dopisz_linie(wpis, przed);
  dopisz_linie(wpis, po_zmianie);
  dopisz_linie(wpis, po);
  dopisz_linie(wpis, "");
}
}  // namespace

Dziennik::Dziennik(const std::filesystem::path& plik_logu, const OperacjeZapisu& operacje)
    : plik_(plik_logu, PlikZapisu::Tryb::dopisz, operacje) {}

Dziennik::~Dziennik() {
  if (!plik_.otwarty() || zawiodl_) return;
  try {
    plik_.oproznij();
  } catch (...) {
    // Already on the failure path; the batch reports the first failure.
  }
}

template <typename F>
void Dziennik::pilnuj(F&& dzialanie) {
  try {
    dzialanie();
  } catch (...) {
    zawiodl_ = true;
    throw;
  }
}

void Dziennik::zapisz(std::string_view tekst) {
  pilnuj([&] { plik_.zapisz(tekst); });
}

void Dziennik::zmiana_wysokosci(std::string_view nazwa_scenerii, std::string_view pelna_sciezka,
                                std::string_view przed, std::string_view po) {
  wpis_.clear();
  dopisz_linie(wpis_, sceneria, nazwa_scenerii, plik_po_scenerii, pelna_sciezka);
  dopisz_zmiane(wpis_, przed, po);
  zapisz(wpis_);
}

void Dziennik::zmiana_polozenia(std::string_view pelna_sciezka, std::string_view przed,
                                std::string_view po) {
  wpis_.clear();
  dopisz_linie(wpis_, plik, pelna_sciezka);
  dopisz_zmiane(wpis_, przed, po);
  zapisz(wpis_);
}

void Dziennik::usuniecie(std::string_view pelna_sciezka, std::string_view linia) {
  wpis_.clear();
  dopisz_linie(wpis_, plik, pelna_sciezka);
  dopisz_linie(wpis_, usunieto);
  dopisz_linie(wpis_, linia);
  dopisz_linie(wpis_, "");
  zapisz(wpis_);
}

void Dziennik::podsumowanie(std::string_view nazwa_scenerii, std::uint64_t ile_zmian) {
  wpis_.clear();
  dopisz_linie(wpis_, sceneria, nazwa_scenerii);
  dopisz_linie(wpis_, ilosc_zmian, std::to_string(ile_zmian));
  zapisz(wpis_);
}

void Dziennik::podsumowanie(std::string_view nazwa_scenerii, std::uint64_t ile_zmian,
                            std::uint64_t ile_usunietych) {
  podsumowanie(nazwa_scenerii, ile_zmian);
  wpis_.clear();
  dopisz_linie(wpis_, ilosc_usunietych, std::to_string(ile_usunietych));
  zapisz(wpis_);
}

void Dziennik::bez_zmian(std::string_view pelna_sciezka) {
  wpis_.clear();
  dopisz_linie(wpis_, pozostawiono, pelna_sciezka);
  zapisz(wpis_);
}

void Dziennik::przywrocenie(std::string_view pelna_sciezka) {
  wpis_.clear();
  dopisz_linie(wpis_, przywrocono, pelna_sciezka);
  zapisz(wpis_);
}

void Dziennik::pominiecie(std::string_view pelna_sciezka, Pominiecie powod) {
  wpis_.clear();
  // A file gone since the batch counts as changed since.
  std::string_view tekst = pominieto;
  if (powod == Pominiecie::poza_scenerie) tekst = poza_scenerie;
  if (powod == Pominiecie::zmieniona_kopia) tekst = zmieniona_kopia;
  dopisz_linie(wpis_, tekst, pelna_sciezka);
  zapisz(wpis_);
}

void Dziennik::oproznij(bool na_dysk) {
  pilnuj([&] { plik_.oproznij(na_dysk); });
}

void Dziennik::zamknij() {
  pilnuj([&] { plik_.zamknij(); });
}

}  // namespace wyrownik
