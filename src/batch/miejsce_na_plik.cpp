#include "batch/miejsce_na_plik.hpp"

#include <algorithm>
#include <exception>
#include <string_view>
#include <system_error>

#include "backup/kopie_zapasowe.hpp"
#include "platform/nazwy.hpp"
#include "platform/separator.hpp"
#include "report/strona_raportu.hpp"
#include "run/przepisanie.hpp"
#include "scenery/skan.hpp"
#include "text/pliki_robocze.hpp"
#include "text/sciezki.hpp"
#include "text/wielkosc_liter.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

// The scan tells nothing while it looks: the batch itself tells later.
class BezPostepu : public Postep {
 public:
  void faza(Faza, std::string_view) override {}
  void plik(std::string_view) override {}
  void koniec() override {}
};

// A name as the system resolves it: absolute, links and "." and ".." steps
// of the part that exists resolved.
fs::path rozwiazana(const fs::path& p) {
  std::error_code blad;
  fs::path w = fs::weakly_canonical(fs::absolute(p, blad), blad);
  return blad ? p.lexically_normal() : w;
}

bool rowne_nazwy(const fs::path& a, const fs::path& b, bool bez_wielkosci) {
  if (!bez_wielkosci) return a == b;
  return rowne_bez_wielkosci(bajty_sciezki(a), bajty_sciezki(b));
}

// Whether `p` lies in `katalog` or below, by the names the system resolves.
bool pod(const fs::path& p, const fs::path& katalog) {
  const fs::path k = rozwiazana(katalog);
  const auto [a, b] = std::mismatch(k.begin(), k.end(), p.begin(), p.end(),
                                    [](const fs::path& x, const fs::path& y) {
                                      return rowne_nazwy(x, y, !wielkosc_liter_w_nazwach);
                                    });
  return a == k.end();
}

class Cel {
 public:
  explicit Cel(const fs::path& plik) : nazwa_(rozwiazana(plik)) {
    std::error_code blad;
    istnieje_ = fs::exists(fs::status(plik, blad));
    if (istnieje_) linki_ = ile_nazw(plik);
    plik_ = plik;
  }

  // Whether writing the target writes `inny`. A name that does not exist yet
  // would be created by whichever of the two writes first; `bez_wielkosci`
  // for names the batch finds in any letter case.
  bool to_samo(const fs::path& inny, bool bez_wielkosci = !wielkosc_liter_w_nazwach) const {
    std::error_code blad;
    if (istnieje_) return fs::exists(fs::status(inny, blad)) && fs::equivalent(plik_, inny, blad);
    return rowne_nazwy(nazwa_, rozwiazana(inny), bez_wielkosci);
  }

  // Whether the target is a file of the folder or below it, or another name
  // of one (a hard link of a kept backup shares its bytes).
  bool w_katalogu(const fs::path& katalog) const {
    if (pod(nazwa_, katalog)) return true;
    std::error_code blad;
    if (!istnieje_ || linki_ < 2 || !fs::is_directory(katalog, blad)) return false;
    for (auto it = fs::recursive_directory_iterator(katalog, blad);
         !blad && it != fs::recursive_directory_iterator(); it.increment(blad)) {
      if (it->is_regular_file(blad) && fs::equivalent(plik_, it->path(), blad)) return true;
    }
    return false;
  }

  bool istnieje() const { return istnieje_; }
  bool inne_nazwy() const { return linki_ > 1; }
  bool katalog() const {
    std::error_code blad;
    return fs::is_directory(plik_, blad);
  }

 private:
  fs::path plik_, nazwa_;
  bool istnieje_ = false;
  std::uintmax_t linki_ = 1;
};

// The files a scenery lists, found as the batch finds them; a name without a
// file counts by where it would be. A scan that fails ends the list: the
// batch stops at that same failure before it writes anything of that scenery.
std::optional<std::string> plik_scenerii(const Cel& cel, const Srodowisko& s,
                                         const std::string& sceneria) {
  StanScenerii stan;
  stan.tekst_katalogu = s.tekst_katalogu;
  stan.katalog = s.katalog;
  stan.nazwa_scenerii = sceneria;
  stan.skroty = s.skroty;
  BezPostepu cisza;
  try {
    znajdz_min_max(stan, cisza, *s.zapis.operacje);
  } catch (const std::exception&) {
  }
  for (const std::string& wpis : stan.lista_plikow) {
    const auto plik = znajdz_w_scenerii(s.katalog, wpis, stan.pamiec_katalogow());
    const bool trafiony =
        plik ? cel.to_samo(*plik)
             : !cel.istnieje() && nazwa_rozwiazana(wpis) &&
                   cel.to_samo(s.katalog / sciezka_z_bajtow(*nazwa_rozwiazana(wpis)), true);
    if (trafiony) return "a file of the scenery " + sceneria + " (" + wpis + ")";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> zajete_przez_partie(const fs::path& plik, const Srodowisko& s,
                                               const std::vector<std::string>& scenerie) {
  const Cel cel(plik);
  if (cel.katalog()) return "a folder";
  const fs::path raport = plik_raportu(s.zapis.plik_logu);
  fs::path raport_nowy = raport;
  raport_nowy += ".nowy";
  const fs::path ini = znajdz_nazwe(s.katalog_programu, "wyrownik.ini")
                           .value_or(s.katalog_programu / "wyrownik.ini");
  fs::path ini_nowy = rozwiazana(ini);
  ini_nowy += ".nowy";
  const std::pair<fs::path, std::string_view> wlasne[] = {
      {s.zapis.plik_logu, "the log"}, {raport, "the map report"}, {raport_nowy, "the map report"},
      {ini, "wyrownik.ini"},          {ini_nowy, "wyrownik.ini"},
  };
  for (const auto& [p, co] : wlasne) {
    if (cel.to_samo(p)) return std::string(co);
  }
  if (!s.katalog.empty()) {
    for (const std::string_view n : pliki_robocze) {
      if (cel.to_samo(s.katalog / std::string(n))) return "a scratch file of the batch";
    }
  }
  if (!s.katalog_programu.empty() &&
      cel.w_katalogu(s.katalog_programu / std::string(nazwa_katalogu_kopii))) {
    return "the backups under kopie/";
  }
  // Only a name inside the scenery directory, or another name of a file
  // there, can be a scenery file: the scan is spared otherwise.
  if (s.katalog.empty() || !(pod(rozwiazana(plik), s.katalog) || cel.inne_nazwy())) {
    return std::nullopt;
  }
  for (const std::string& sceneria : scenerie) {
    if (auto co = plik_scenerii(cel, s, sceneria)) return co;
  }
  return std::nullopt;
}

}  // namespace wyrownik
