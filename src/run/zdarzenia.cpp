#include "run/zdarzenia.hpp"

#include <algorithm>

namespace wyrownik {

std::string_view klucz_braku(BrakOdcinka b) {
  switch (b) {
    case BrakOdcinka::niewidoczny:
      return "hidden";
    case BrakOdcinka::niepelny:
      return "incomplete";
    case BrakOdcinka::krotka_cieciwa:
      return "short-chord";
  }
  return "";
}

std::string_view klucz_powodu(Powod p) {
  switch (p) {
    case Powod::brak:
      break;
    case Powod::wyjatek:
      return "excepted";
    case Powod::brak_polozenia:
      return "no-position";
    case Powod::poza_obszarem:
      return "outside-area";
    case Powod::brak_terenu:
      return "no-ground";
    case Powod::ponizej_pasma:
      return "below-band";
    case Powod::powyzej_pasma:
      return "above-band";
    case Powod::znacznik:
      return "marker";
    case Powod::zerowy_promien:
      return "zero-radius";
    case Powod::krotka_sonda:
      return "probe-short";
    case Powod::wolny:
      return "clear";
  }
  return "";
}

std::uint64_t LicznikiPrzebiegu::ile_pozostawionych() const {
  std::uint64_t ile = 0;
  for (const std::uint64_t n : pozostawione) ile += n;
  return ile;
}

std::vector<Powod> LicznikiPrzebiegu::powody_od_najczestszego() const {
  std::vector<Powod> powody;
  for (std::size_t i = 0; i < ile_powodow; ++i) {
    if (pozostawione[i] > 0) powody.push_back(static_cast<Powod>(i));
  }
  std::stable_sort(powody.begin(), powody.end(), [this](Powod a, Powod b) {
    return pozostawione[static_cast<std::size_t>(a)] > pozostawione[static_cast<std::size_t>(b)];
  });
  return powody;
}

LicznikiPrzebiegu& LicznikiPrzebiegu::operator+=(const LicznikiPrzebiegu& l) {
  ile_zmian += l.ile_zmian;
  ile_usunietych += l.ile_usunietych;
  ile_chronionych += l.ile_chronionych;
  for (std::size_t i = 0; i < ile_powodow; ++i) pozostawione[i] += l.pozostawione[i];
  return *this;
}

void Sluchacze::poczatek_scenerii(const StanScenerii& stan) {
  for (Sluchacz* s : lista_) s->poczatek_scenerii(stan);
}

void Sluchacze::koniec_scenerii(const StanScenerii& stan, const LicznikiPrzebiegu& l) {
  for (Sluchacz* s : lista_) s->koniec_scenerii(stan, l);
}

void Sluchacze::przerwanie_scenerii(const LicznikiPrzebiegu& l, bool na_prosbe) noexcept {
  for (Sluchacz* s : lista_) s->przerwanie_scenerii(l, na_prosbe);
}

void Sluchacze::tor_bez_odcinka(std::string_view pelna_sciezka, const TorBezOdcinka& t) {
  for (Sluchacz* s : lista_) {
    if (s->rysuje()) s->tor_bez_odcinka(pelna_sciezka, t);
  }
}

bool Sluchacze::chce_tekstur_pod_obiektami() const {
  return std::any_of(lista_.begin(), lista_.end(),
                     [](const Sluchacz* s) { return s->chce_tekstur_pod_obiektami(); });
}

bool Sluchacze::rysuje() const {
  return std::any_of(lista_.begin(), lista_.end(), [](const Sluchacz* s) { return s->rysuje(); });
}

void Sluchacze::teren(double x_min, double x_max, double z_min, double z_max) {
  for (Sluchacz* s : lista_) {
    if (s->rysuje()) s->teren(x_min, x_max, z_min, z_max);
  }
}

void Sluchacze::pas(double x1, double z1, double x2, double z2, double polowa_szerokosci) {
  for (Sluchacz* s : lista_) {
    if (s->rysuje()) s->pas(x1, z1, x2, z2, polowa_szerokosci);
  }
}

void Sluchacze::tor(double x1, double z1, double x2, double z2) {
  for (Sluchacz* s : lista_) {
    if (s->rysuje()) s->tor(x1, z1, x2, z2);
  }
}

void Sluchacze::tekstura_poza_terenem(std::string_view tekstura) {
  for (Sluchacz* s : lista_) {
    if (s->rysuje()) s->tekstura_poza_terenem(tekstura);
  }
}

bool Sluchacze::pierwsza_zmiana(const PlikPrzepisania& p) {
  linii_.clear();
  for (Sluchacz* s : lista_) {
    if (s->pierwsza_zmiana(p)) linii_.push_back(s);
  }
  return !linii_.empty();
}

void Sluchacze::linia(std::string_view surowa, std::string_view koniec,
                      std::optional<std::string_view> zapisana) {
  for (Sluchacz* s : linii_) s->linia(surowa, koniec, zapisana);
}

void Sluchacze::zmiana(const ZmianaLinii& z) {
  for (Sluchacz* s : lista_) s->zmiana(z);
}

void Sluchacze::chroniona(const ZmianaLinii& z) {
  for (Sluchacz* s : lista_) s->chroniona(z);
}

void Sluchacze::pozostawiona(const LiniaPozostawiona& l) {
  for (Sluchacz* s : lista_) s->pozostawiona(l);
}

void Sluchacze::znacznik_bez_obiektu(const ZnacznikBezObiektu& z) {
  for (Sluchacz* s : lista_) s->znacznik_bez_obiektu(z);
}

void Sluchacze::przed_zastapieniem(const PlikPrzepisania& p, const std::filesystem::path& nowa) {
  for (Sluchacz* s : lista_) s->przed_zastapieniem(p, nowa);
}

void Sluchacze::gotowy(const PlikPrzepisania& p) {
  for (Sluchacz* s : lista_) s->gotowy(p);
  linii_.clear();
}

void Sluchacze::porzucony(const PlikPrzepisania& p) noexcept {
  for (Sluchacz* s : lista_) s->porzucony(p);
  linii_.clear();
}

}  // namespace wyrownik
