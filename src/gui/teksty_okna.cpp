#include "gui/teksty_okna.hpp"

#include <algorithm>
#include <array>

namespace wyrownik {

namespace {
std::string utf8(const std::filesystem::path& p) {
  const std::u8string t = p.u8string();
  return std::string(t.begin(), t.end());
}
}  // namespace

std::string tekst::nie_liczba_obszaru(std::string_view t) {
  return "Obszar: „" + std::string(t) + "” nie jest liczbą (metry, kropka dziesiętna).";
}

std::string tekst::pytanie_cofniecia(std::string_view czas, std::size_t ile) {
  return "Cofnąć korektę z " + std::string(czas) + " (plików: " + std::to_string(ile) + ")?";
}

std::string tekst::podglad(const LicznikiPrzebiegu& s, RodzajPrzebiegu rodzaj) {
  std::string t = "Podgląd: zmian " + std::to_string(s.ile_zmian);
  if (rodzaj == RodzajPrzebiegu::skrajnia) t += ", usuniętych " + std::to_string(s.ile_usunietych);
  return t + ", pominiętych (oznaczonych) " + std::to_string(s.ile_chronionych);
}

std::string tekst::pozostawione(const LicznikiPrzebiegu& s) {
  static constexpr std::string_view slowa[ile_powodow] = {"",
                                                          "wyjątki",
                                                          "bez położenia",
                                                          "poza obszarem",
                                                          "brak terenu",
                                                          "już na terenie",
                                                          "poza pasmem",
                                                          "oznaczone",
                                                          "promień 0",
                                                          "za krótka sonda",
                                                          "z dala od torów"};
  const auto powody = s.powody_od_najczestszego();
  std::string t = "Pozostawione bez zmian: " + std::to_string(s.ile_pozostawionych());
  for (std::size_t i = 0; i < std::min<std::size_t>(2, powody.size()); ++i) {
    t.append(i == 0 ? " (" : ", ").append(slowa[static_cast<std::size_t>(powody[i])]).append(" ");
    t += std::to_string(s.pozostawione[static_cast<std::size_t>(powody[i])]);
  }
  if (!powody.empty()) t += powody.size() > 2 ? ", …)" : ")";
  return t;
}

std::string opis_cofniecia(const WynikCofniecia& w, const std::filesystem::path& katalog_scenerii) {
  switch (w.odmowa) {
    case Odmowa::nieczytelny_spis:
      return "Nie cofnięto korekty: spis kopii zapasowej w " + utf8(w.folder) +
             " jest nieczytelny (usuń ten folder, aby cofać starsze korekty).";
    case Odmowa::brak_katalogu:
      return "Nie cofnięto korekty: spis kopii zapasowej w " + utf8(w.folder) +
             " nie podaje katalogu scenerii.";
    case Odmowa::inny_katalog:
      return "Nie cofnięto korekty z " + w.czas + ": dotyczyła katalogu " + utf8(w.katalog_partii) +
             ", a wyrownik.ini wskazuje teraz " + utf8(katalog_scenerii) + ".";
    case Odmowa::brak:
      break;
  }
  std::string tekst = "Przywrócono plików: " + std::to_string(w.przywrocone.size()) + ".";
  const auto zmienione = static_cast<std::size_t>(
      std::count_if(w.pominiete.begin(), w.pominiete.end(), [](const PlikPominiety& p) {
        return p.powod == Pominiecie::zmieniony || p.powod == Pominiecie::brak_pliku;
      }));
  if (zmienione > 0) {
    tekst += "\nNie cofnięto (zmienione po korekcie): " + std::to_string(zmienione) + ".";
  }
  if (w.pominiete.size() > zmienione) {
    tekst += "\nNie cofnięto (inne przyczyny, zob. Log_korekcja.txt): " +
             std::to_string(w.pominiete.size() - zmienione) + ".";
  }
  if (w.uszkodzone > 0) {
    tekst += "\nUszkodzone wpisy spisu kopii (nie cofnięto): " + std::to_string(w.uszkodzone) + ".";
  }
  return tekst;
}

}  // namespace wyrownik
