#include "run/zdarzenia.hpp"

#include <algorithm>

namespace wyrownik {

void Sluchacze::poczatek_scenerii(const StanScenerii& stan) {
  for (Sluchacz* s : lista_) s->poczatek_scenerii(stan);
}

void Sluchacze::koniec_scenerii(const StanScenerii& stan, const LicznikiPrzebiegu& l) {
  for (Sluchacz* s : lista_) s->koniec_scenerii(stan, l);
}

void Sluchacze::przerwanie_scenerii(const LicznikiPrzebiegu& l, bool na_prosbe) noexcept {
  for (Sluchacz* s : lista_) s->przerwanie_scenerii(l, na_prosbe);
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
