// What a benchmarked run left behind, checked against what the generator
// expects of it: a fast run is worth nothing if it is wrong.
#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "generator_scenerii.hpp"
#include "run/zdarzenia.hpp"

namespace wyrownik::bench {

using Rodzaj = RodzajPrzebiegu;

// True when both files hold the same bytes; read in blocks, so any size will do.
inline bool te_same_bajty(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
  if (!fa || !fb) return false;
  std::vector<char> ba(1 << 20), bb(1 << 20);
  for (;;) {
    fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
    fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
    if (fa.gcount() != fb.gcount()) return false;
    if (!std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin())) return false;
    if (fa.gcount() == 0 || !fa) return fa.eof() && fb.eof();
  }
}

// The lines of a file split at CR LF; the file must end with one.
inline std::vector<std::string> linie_pliku(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  const std::string tekst((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  std::vector<std::string> linie;
  std::size_t od = 0;
  for (std::size_t kon; (kon = tekst.find("\r\n", od)) != std::string::npos; od = kon + 2) {
    linie.push_back(tekst.substr(od, kon - od));
  }
  if (od != tekst.size())
    linie.push_back(tekst.substr(od));  // an unended last line is a fault the check sees
  return linie;
}

// The tokens of a line read the way the runs read it: ";" and TAB count as
// spaces, and runs of spaces as one.
inline std::vector<std::string> tokeny_linii(std::string_view linia) {
  std::vector<std::string> tokeny;
  std::string biezacy;
  for (const char c : linia) {
    if (c == ' ' || c == ';' || c == '\t') {
      if (!biezacy.empty()) tokeny.push_back(std::move(biezacy));
      biezacy.clear();
    } else {
      biezacy += c;
    }
  }
  if (!biezacy.empty()) tokeny.push_back(std::move(biezacy));
  return tokeny;
}

inline double wartosc(const std::string& token) {
  double v = NAN;
  std::from_chars(token.data(), token.data() + token.size(), v);
  return v;
}

// A changed line's tokens against the original's: equal but for those at
// `zmienione` (0-based), and with no more than two decimals there.
inline bool zmienione_tylko(const std::vector<std::string>& przed,
                            const std::vector<std::string>& po,
                            std::initializer_list<std::size_t> zmienione) {
  if (przed.size() != po.size()) return false;
  for (std::size_t i = 0; i < po.size(); ++i) {
    const bool zmieniony = std::find(zmienione.begin(), zmienione.end(), i) != zmienione.end();
    if (!zmieniony && przed[i] != po[i]) return false;
    if (zmieniony) {
      const auto kropka = po[i].find('.');
      if (kropka != std::string::npos && po[i].size() - kropka > 3) return false;
    }
  }
  return true;
}

// Walks the original and the rewritten file side by side: a line fated 'k'
// must be there unchanged, 'u' gone, 'z' changed and accepted by
// `sprawdz_zmiane`. Returns the first fault, empty when there is none.
inline std::string sprawdz_losy(
    const std::filesystem::path& przed, const std::filesystem::path& po, std::string_view losy,
    const std::function<bool(const std::string&, const std::string&)>& sprawdz_zmiane) {
  const auto linie_przed = linie_pliku(przed);
  const auto linie_po = linie_pliku(po);
  if (linie_przed.size() != losy.size())
    return "the fates do not match the lines of " + przed.string();
  std::size_t j = 0;
  for (std::size_t i = 0; i < linie_przed.size(); ++i) {
    const std::string opis = po.filename().string() + " line " + std::to_string(i + 1);
    if (losy[i] == 'u') continue;
    if (j == linie_po.size()) return opis + ": missing";
    const std::string& a = linie_przed[i];
    const std::string& b = linie_po[j++];
    if (losy[i] == 'k' && a != b) return opis + ": changed, should stay: " + b;
    if (losy[i] == 'z' && (a == b || !sprawdz_zmiane(a, b))) return opis + ": wrong change: " + b;
  }
  if (j != linie_po.size()) return po.filename().string() + ": lines left that should be gone";
  return "";
}

// The scenery after a run against the generated original: the objects file
// the run works on line by line, every other file byte for byte, and no
// scratch file left behind. Returns the first fault, empty when there is none.
inline std::string sprawdz_wynik(const std::filesystem::path& wzor,
                                 const std::filesystem::path& wynik, const OpisScenerii& opis,
                                 Rodzaj rodzaj) {
  namespace fs = std::filesystem;
  const auto wysokosc = [](const std::string& a, const std::string& b) {
    const auto ta = tokeny_linii(a), tb = tokeny_linii(b);
    // Y set to the ground, which lies within 0.2 of the smooth surface the
    // terrain samples.
    return zmienione_tylko(ta, tb, {3}) &&
           std::abs(wartosc(tb[3]) - teren(wartosc(tb[2]), wartosc(tb[4]))) <= 0.2;
  };
  const auto skrajnia = [](const std::string& a, const std::string& b) {
    const auto ta = tokeny_linii(a), tb = tokeny_linii(b);
    // Pushed at right angles to a track along X: X only rounded, Z moved
    // from within 2 of the track to 2.92 from it.
    if (!zmienione_tylko(ta, tb, {2, 4})) return false;
    const double dz = std::abs(wartosc(tb[4]) - wartosc(ta[4]));
    return std::abs(wartosc(tb[2]) - wartosc(ta[2])) <= 0.0051 && dz >= 0.9 && dz <= 4.93;
  };
  std::size_t pliki = 0;
  for (const auto& wpis : fs::recursive_directory_iterator(wzor)) {
    if (!wpis.is_regular_file()) continue;
    ++pliki;
    const fs::path wzgledna = fs::relative(wpis.path(), wzor);
    const fs::path po = wynik / wzgledna;
    std::string blad;
    if (rodzaj == Rodzaj::wysokosc && wzgledna == fs::path("obiekty/drzewa.scm")) {
      blad = sprawdz_losy(wpis.path(), po, opis.losy_drzew, wysokosc);
    } else if (rodzaj == Rodzaj::skrajnia && wzgledna == fs::path("obiekty/slupy.scm")) {
      blad = sprawdz_losy(wpis.path(), po, opis.losy_slupow, skrajnia);
    } else if (!te_same_bajty(wpis.path(), po)) {
      blad = wzgledna.string() + " differs from the original";
    }
    if (!blad.empty()) return blad;
  }
  std::size_t pozostale = 0;
  for (const auto& wpis : fs::recursive_directory_iterator(wynik))
    pozostale += wpis.is_regular_file();
  if (pozostale != pliki) return "files were left behind in the scenery directory";
  return "";
}

}  // namespace wyrownik::bench
