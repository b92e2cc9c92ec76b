#include "cli/teksty_cli.hpp"

#include <algorithm>
#include <array>

#include "cli/okno_cli.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik::cli {

namespace {

const char* opis(Pominiecie p) {
  switch (p) {
    case Pominiecie::zmieniony:
      return "changed since the batch";
    case Pominiecie::brak_pliku:
      return "gone since the batch";
    case Pominiecie::poza_scenerie:
      return "the manifest names it outside the scenery directory";
    case Pominiecie::zmieniona_kopia:
      return "its kept copy no longer holds the file from before the batch";
    case Pominiecie::blad_odczytu:
      return "it or its kept copy cannot be read";
  }
  return "";
}

std::string odmowa(const WynikCofniecia& w, const std::filesystem::path& katalog) {
  std::string t = std::string(tekst::program) + "undo refused, nothing restored: ";
  switch (w.odmowa) {
    case Odmowa::nieczytelny_spis:
      t += "the manifest of the newest backup " + tekst_sciezki(w.folder) +
           " cannot be read (remove that folder to undo older batches)";
      break;
    case Odmowa::brak_katalogu:
      t += "the manifest of " + tekst_sciezki(w.folder) +
           " does not say which scenery directory its batch worked in";
      break;
    case Odmowa::inny_katalog:
      t += "the batch of " + w.czas + " worked in " + tekst_sciezki(w.katalog_partii) +
           ", the scenery directory configured now is " + tekst_sciezki(katalog);
      break;
    case Odmowa::brak:
      break;
  }
  return t + '\n';
}

}  // namespace

std::string tekst::brak_scenerii(std::string_view nazwa, std::string_view katalog) {
  return std::string(program) + "no scenery file " + std::string(nazwa) + " in " +
         std::string(katalog);
}

std::string tekst::nadpisalby(std::string_view opcja, std::string_view zajete,
                              std::string_view cel) {
  return std::string(program) + std::string(opcja) + " would overwrite " + std::string(zajete) +
         ": " + std::string(cel);
}

namespace {
// What an option's file holds, in the messages.
std::string_view co(std::string_view opcja) {
  return opcja == "--diff" ? "patch" : "explanation";
}
}  // namespace

std::string tekst::nie_do(std::string_view opcja) {
  return "cannot write the " + std::string(co(opcja)) + " to";
}

std::string tekst::nie_zapisano(std::string_view opcja) {
  return "cannot write the " + std::string(co(opcja)) + ": ";
}

std::string tekst::zostal(std::string_view opcja) {
  return "the " + std::string(co(opcja)) + " of the interrupted batch could not be removed: ";
}

std::string tekst::podsumowanie(const LicznikiPrzebiegu& suma, bool na_sucho, bool przerwana) {
  std::string t(program);
  if (przerwana) {
    t += "interrupted: the batch stopped before its end";
    t += na_sucho ? " (a dry run: no file was changed)"
                  : " (each file as before it or wholly corrected; undo gives back what it "
                    "replaced)";
    t += "; ";
  }
  t += (na_sucho ? "would change " : "changed ") + std::to_string(suma.ile_zmian);
  t += (na_sucho ? ", would remove " : ", removed ") + std::to_string(suma.ile_usunietych);
  t += ", kept by markers " + std::to_string(suma.ile_chronionych);
  return t + "; " + pozostawione(suma);
}

std::string tekst::pozostawione(const LicznikiPrzebiegu& suma) {
  static constexpr std::string_view slowa[ile_powodow] = {"",
                                                          "excepted",
                                                          "no position",
                                                          "outside the area",
                                                          "no ground",
                                                          "already on the ground",
                                                          "beyond the band",
                                                          "kept by a marker",
                                                          "radius 0 or less",
                                                          "probe short of a track",
                                                          "clear of the tracks"};
  const auto powody = suma.powody_od_najczestszego();
  std::string t = "left alone " + std::to_string(suma.ile_pozostawionych());
  for (std::size_t i = 0; i < std::min<std::size_t>(2, powody.size()); ++i) {
    t.append(i == 0 ? " (" : ", ").append(slowa[static_cast<std::size_t>(powody[i])]).append(" ");
    t += std::to_string(suma.pozostawione[static_cast<std::size_t>(powody[i])]);
  }
  if (!powody.empty()) t += powody.size() > 2 ? ", ...)" : ")";
  return t;
}

std::string tekst::wiersz_kopii(const OpisKopii& k, std::string_view folder) {
  if (!k.czytelny) return std::string(folder) + "  manifest unreadable";
  std::string t = k.czas + "  " + std::to_string(k.ile_plikow) + " file(s)";
  if (k.ile_przywroconych > 0) t += ", " + std::to_string(k.ile_przywroconych) + " restored";
  if (k.uszkodzone > 0) t += ", " + std::to_string(k.uszkodzone) + " damaged record(s)";
  return t + "  " + cp1250_na_utf8(k.ustawienia);
}

std::string tekst::opis_cofniecia(const WynikCofniecia& w, const std::filesystem::path& katalog) {
  std::string t;
  for (const auto& o : w.ostrzezenia) t += std::string(uwaga) + o + '\n';
  if (!w.bylo_co_cofac) return t + std::string(program) + std::string(nic_do_cofniecia) + '\n';
  if (w.odmowa != Odmowa::brak) return t + odmowa(w, katalog);
  t += "undone the batch of " + w.czas + ": " + std::to_string(w.przywrocone.size()) +
       " file(s) restored\n";
  for (const auto& p : w.pominiete) {
    t += std::string("left alone (") + opis(p.powod) +
         "): " + (p.plik.empty() ? cp1250_na_utf8(p.nazwa) : tekst_sciezki(p.plik)) + '\n';
  }
  if (w.uszkodzone > 0) {
    t += std::to_string(w.uszkodzone) +
         " damaged record(s) in the manifest: a file they named, if any, was not restored\n";
  }
  if (w.przerwane) {
    t += std::string(program) +
         "interrupted: the undo stopped before its end; undo again to restore the rest of the "
         "batch\n";
  }
  return t;
}

}  // namespace wyrownik::cli
