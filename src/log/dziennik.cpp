#include "log/dziennik.hpp"

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
constexpr TekstCp1250 blad_odczytu{"Nie cofnięto, nie można odczytać pliku lub jego kopii: "};

}  // namespace

Dziennik::Dziennik(const std::filesystem::path& plik_logu, OperacjeSystemu& operacje)
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

// Pieces go to the file's buffer as they are: a line of any length is
// written through, never copied into an entry first.
void Dziennik::linia(std::string_view a, std::string_view b, std::string_view c,
                     std::string_view d) {
  pilnuj([&] { plik_.zapisz({a, b, c, d, koniec_linii}); });
}

void Dziennik::zmiana(std::string_view przed, std::string_view po) {
  linia(przed_zmiana);
  linia(przed);
  linia(po_zmianie);
  linia(po);
  linia("");
}

void Dziennik::zmiana_wysokosci(std::string_view nazwa_scenerii, std::string_view pelna_sciezka,
                                std::string_view przed, std::string_view po) {
  linia(sceneria, nazwa_scenerii, plik_po_scenerii, pelna_sciezka);
  zmiana(przed, po);
}

void Dziennik::zmiana_polozenia(std::string_view pelna_sciezka, std::string_view przed,
                                std::string_view po) {
  linia(plik, pelna_sciezka);
  zmiana(przed, po);
}

void Dziennik::usuniecie(std::string_view pelna_sciezka, std::string_view usunieta) {
  linia(plik, pelna_sciezka);
  linia(usunieto);
  linia(usunieta);
  linia("");
}

void Dziennik::podsumowanie(std::string_view nazwa_scenerii, std::uint64_t ile_zmian) {
  linia(sceneria, nazwa_scenerii);
  linia(ilosc_zmian, std::to_string(ile_zmian));
}

void Dziennik::podsumowanie(std::string_view nazwa_scenerii, std::uint64_t ile_zmian,
                            std::uint64_t ile_usunietych) {
  podsumowanie(nazwa_scenerii, ile_zmian);
  linia(ilosc_usunietych, std::to_string(ile_usunietych));
}

void Dziennik::bez_zmian(std::string_view pelna_sciezka) {
  linia(pozostawiono, pelna_sciezka);
}

void Dziennik::przywrocenie(std::string_view pelna_sciezka) {
  linia(przywrocono, pelna_sciezka);
}

void Dziennik::pominiecie(std::string_view pelna_sciezka, Pominiecie powod) {
  // A file gone since the batch counts as changed since.
  std::string_view tekst = pominieto;
  if (powod == Pominiecie::poza_scenerie) tekst = poza_scenerie;
  if (powod == Pominiecie::zmieniona_kopia) tekst = zmieniona_kopia;
  if (powod == Pominiecie::blad_odczytu) tekst = blad_odczytu;
  linia(tekst, pelna_sciezka);
}

void Dziennik::oproznij(bool na_dysk) {
  pilnuj([&] { plik_.oproznij(na_dysk); });
}

void Dziennik::zamknij() {
  pilnuj([&] { plik_.zamknij(); });
}

}  // namespace wyrownik
