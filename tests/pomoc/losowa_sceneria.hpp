// Random small scenery trees for the differential test of the shortcuts:
// terrain in several files, tracks of every kind, objects on and near them,
// includes nested in mixed letter case and spelling, hidden and missing
// files, stale scratch files, folders in the way, numbers in odd spellings,
// CR LF, LF and lines without an end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace wyrownik::testy {

struct LosowaSceneria {
  // Paths below the scenery directory, "/" between components.
  std::vector<std::pair<std::string, std::string>> pliki;
  std::vector<std::string> foldery;
  std::vector<std::string> glowne;  // the *.scn files, in list order

  void zapisz(const std::filesystem::path& katalog) const {
    for (const auto& f : foldery) std::filesystem::create_directories(katalog / f);
    for (const auto& [nazwa, tresc] : pliki) {
      std::filesystem::create_directories((katalog / nazwa).parent_path());
      std::ofstream(katalog / nazwa, std::ios::binary) << tresc;
    }
  }
};

class GeneratorScenerii {
 public:
  explicit GeneratorScenerii(std::uint64_t ziarno) : los_(ziarno) {}

  LosowaSceneria losuj() {
    LosowaSceneria s;
    const int ile_glownych = 1 + los(3);
    const int ile_czesci = los(6);
    for (int i = 0; i < ile_czesci; ++i) {
      // Some parts are hidden; the last may exist nowhere or be a folder.
      const char* folder = los(2) ? "sub/" : (los(2) ? "Sub/Dir/" : "");
      czesci_.push_back(std::string(folder) + (los(6) == 0 ? ".ukryty" : "czesc") +
                        std::to_string(i) + ".scm");
    }
    for (int i = 0; i < ile_glownych; ++i) {
      s.glowne.push_back("main" + std::to_string(i) + ".scn");
      s.pliki.emplace_back(s.glowne.back(), plik());
    }
    for (std::size_t i = 0; i < czesci_.size(); ++i) {
      const int los_czesci = los(12);
      if (los_czesci == 0) continue;  // named, never written
      if (los_czesci == 1) {
        s.foldery.push_back(czesci_[i]);
        continue;
      }
      s.pliki.emplace_back(czesci_[i], plik());
    }
    switch (los(6)) {
      case 0:
        s.pliki.emplace_back("aaa.ccc", "include x.inc 1 2 3 end\r\nleft by a crash");
        break;
      case 1:
        s.foldery.emplace_back("aaa.ccc");
        break;
      case 2:
        s.pliki.emplace_back("aaa.aaa", "stale");
        break;
      default:
        break;
    }
    return s;
  }

  int los(int n) { return static_cast<int>(los_() % static_cast<std::uint64_t>(n)); }

 private:
  double wsp(double od, double do_) {
    return od + (do_ - od) * static_cast<double>(los_() % 10001) / 10000.0;
  }

  // A number as scenery authors write them, mostly plain.
  std::string liczba(double v) {
    char bufor[64];
    switch (los(50)) {
      case 0:
        return std::to_string(static_cast<long>(v));
      case 1:
        std::snprintf(bufor, sizeof bufor, "+%.1f", v);
        return bufor;
      case 2:
        std::snprintf(bufor, sizeof bufor, "%.0f.", v);
        return bufor;
      case 3:
        std::snprintf(bufor, sizeof bufor, "%.3e", v);
        return bufor;
      case 4:
        std::snprintf(bufor, sizeof bufor, "%08.3f", v);
        return bufor;
      case 5:
        return los(2) ? "-0" : "abc";
      case 6:
        std::snprintf(bufor, sizeof bufor, "%.2fx", v);
        return bufor;
      default:
        std::snprintf(bufor, sizeof bufor, "%.*f", los(5), v);
        return bufor;
    }
  }

  std::string slowo(std::string s) {
    for (char& c : s) {
      if (los(5) == 0) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
    return s;
  }

  // A separator between tokens: mostly a space.
  std::string odstep() {
    switch (los(12)) {
      case 0:
        return "\t";
      case 1:
        return "  ";
      case 2:
        return " ; ";
      default:
        return " ";
    }
  }

  // The name of another part, spelt as a scenery might.
  std::string nazwa_czesci() {
    std::string n = czesci_[static_cast<std::size_t>(los(static_cast<int>(czesci_.size())))];
    if (los(3) == 0) n = slowo(n);
    if (los(3) == 0) {
      for (char& c : n) c = c == '/' ? '\\' : c;
    }
    if (los(8) == 0) n = "x\\..\\" + n;
    return n;
  }

  void obiekt(std::vector<std::string>& l) {
    static const char* const nazwy[] = {"drzewo.inc", "obiekty/slup.inc", "semafor1.inc",
                                        "dir\\OBJ.INC"};
    std::string s = los(6) == 0 ? " " : "";
    s += los(10) == 0 ? "//" : "";
    s += slowo("include") + odstep() + nazwy[los(4)];
    // Half of them near a track end, where the clearance run has work.
    double x = wsp(-10, 110), z = wsp(-10, 110);
    if (!konce_torow_.empty() && los(2)) {
      const auto& k =
          konce_torow_[static_cast<std::size_t>(los(static_cast<int>(konce_torow_.size())))];
      x = k.first + wsp(-8, 8);
      z = k.second + wsp(-8, 8);
    }
    s += odstep() + liczba(x) + odstep() + liczba(wsp(-3, 10)) + odstep() + liczba(z);
    for (int i = los(5); i > 0; --i) s += odstep() + liczba(wsp(0, 10));
    if (los(8) != 0) s += odstep() + slowo("end");
    if (los(10) == 0) s += ";";
    l.push_back(s);
  }

  void teren(std::vector<std::string>& l) {
    const std::string tekstura = los(4) == 0 ? "kamien.dds" : "trawa" + std::to_string(los(3));
    const std::string rodzaj = los(3) == 0 ? "triangle_strip" : "triangles";
    if (los(3) == 0) {
      l.push_back("node -1 0 t " + rodzaj + " material ambient 1 endmaterial " + tekstura);
    } else {
      l.push_back(slowo("node") + " -1 0 t " + slowo(rodzaj) + " " + tekstura);
    }
    for (int i = 3 * (1 + los(4)) + (los(6) == 0 ? 1 : 0); i > 0; --i) {
      if (los(15) == 0) l.emplace_back("junk");
      l.push_back(liczba(wsp(-20, 120)) + odstep() + liczba(wsp(-3, 8)) + odstep() +
                  liczba(wsp(-20, 120)) + " 0 1 0 0 0");
    }
    if (los(12) != 0) l.push_back(slowo("endtri"));
  }

  void tor(std::vector<std::string>& l) {
    static const char* const rodzaje[] = {"normal", "normal", "switch", "road", "river"};
    std::string naglowek = "node 1 0 t track " + slowo(rodzaje[los(5)]) + " 100 " +
                           liczba(wsp(1, 5)) + " 0.25 25 20 0 flat " +
                           (los(5) == 0 ? "unvis" : "vis");
    if (los(8) == 0) naglowek = "node 1 0 t track normal";  // too short for a width
    l.push_back(naglowek);
    l.push_back(" Rail 4 tex " + liczba(wsp(0, 1)) + " 0.5 1.1");
    const double x = wsp(-10, 110), z = wsp(-10, 110);
    const double x2 = x + wsp(-60, 60), z2 = z + wsp(-60, 60);
    konce_torow_.emplace_back(x, z);
    konce_torow_.emplace_back((x + x2) / 2, (z + z2) / 2);
    l.push_back(liczba(x) + " 0.2 " + liczba(z) + " 0");
    l.emplace_back("0 0 0");
    if (los(10) == 0) l.emplace_back("");
    l.emplace_back("0 0 0");
    l.push_back(liczba(x2) + " 0.2 " + liczba(z2) + " 0");
    l.emplace_back("0");
    if (los(12) != 0) l.push_back(slowo("endtrack"));
  }

  // One file: blocks of lines, each file with its own line ends.
  std::string plik() {
    std::vector<std::string> linie;
    if (los(2)) teren(linie);
    for (int i = 1 + los(12); i > 0; --i) {
      const int r = los(20);
      if (r < 8) {
        for (int j = 1 + los(4); j > 0; --j) obiekt(linie);
      } else if (r < 10) {
        teren(linie);
      } else if (r < 13) {
        tor(linie);
      } else if (r < 16 && !czesci_.empty()) {
        linie.push_back(slowo("include") + odstep() + nazwa_czesci() + odstep() + "end");
      } else if (r < 18) {
        linie.emplace_back(los(2)   ? ""
                           : los(2) ? "// " + slowo("include") + " note"
                                    : "//" + slowo(" wyrownik: POMIN"));
      } else {
        linie.emplace_back(los(2) ? "  " : "\tatmo 0 0 0 endatmo");
      }
    }
    const int konce = los(3);  // CR LF, LF, mixed
    std::string tresc;
    for (std::size_t i = 0; i < linie.size(); ++i) {
      tresc += linie[i];
      if (i + 1 == linie.size() && los(5) == 0) break;  // the last line without an end
      tresc += konce == 1 || (konce == 2 && los(2)) ? "\n" : "\r\n";
    }
    return tresc;
  }

  std::mt19937_64 los_;
  std::vector<std::string> czesci_;
  std::vector<std::pair<double, double>> konce_torow_;
};

}  // namespace wyrownik::testy
