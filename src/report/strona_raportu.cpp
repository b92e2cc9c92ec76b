#include "report/strona_raportu.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

#include "platform/bledy.hpp"
#include "report/osadzone.hpp"
#include "text/kodowanie.hpp"
#include "text/tekst_wspolrzednej.hpp"

namespace wyrownik {

namespace {

// The page as it is made: handed to the file's buffer in small blocks, so
// that a batch of many changes never holds its whole page in memory, and the
// text grows no further than a block (a text grown to megabytes by doubling
// moved itself into fresh pages at each step: a fifth of the page's time).
struct Ujscie {
  static constexpr std::size_t blok = 64 << 10;
  std::string tekst;
  PlikZapisu* plik = nullptr;
  void moze_oproznij() {
    if (plik == nullptr || tekst.size() < blok) return;
    plik->zapisz(tekst);
    tekst.clear();
  }
};

void liczba(std::string& s, double v, int cyfry) {
  if (!std::isfinite(v)) v = 0;
  dopisz_stalopozycyjnie(s, v, cyfry);
}

// Windows-1250 text as escaped UTF-8; runs of plain ASCII are copied whole,
// since most of a table is such.
// The bytes that are not copied as they are: the upper half and markup.
constexpr std::array<bool, 256> do_zmiany = [] {
  std::array<bool, 256> t{};
  for (std::size_t b = 0x80; b < t.size(); ++b) t[b] = true;
  for (const unsigned char b : {'&', '<', '>', '"'}) t[b] = true;
  return t;
}();

void html(std::string& s, std::string_view tekst_cp1250) {
  std::size_t od = 0;
  for (std::size_t i = 0; i < tekst_cp1250.size(); ++i) {
    const auto b = static_cast<unsigned char>(tekst_cp1250[i]);
    if (!do_zmiany[b]) continue;
    s.append(tekst_cp1250.substr(od, i - od));
    od = i + 1;
    switch (b) {
      case '&':
        s += "&amp;";
        continue;
      case '<':
        s += "&lt;";
        continue;
      case '>':
        s += "&gt;";
        continue;
      case '"':
        s += "&quot;";
        continue;
      default:
        break;
    }
    const char32_t kod = cp1250_gorna_polowa[b - 0x80];
    dopisz_utf8(s, kod == 0 ? 0xFFFD : kod);
  }
  s.append(tekst_cp1250.substr(od));
}

// A round step (1, 2 or 5 times a power of ten) near a tenth of `dlugosc`.
double okragly_krok(double dlugosc) {
  const double surowy = std::max(dlugosc / 8, 1e-3);
  const double potega = std::pow(10.0, std::floor(std::log10(surowy)));
  for (const double m : {1.0, 2.0, 5.0}) {
    if (m * potega >= surowy) return m * potega;
  }
  return 10 * potega;
}

// Writes the plan of one scenery; SVG y is -Z so that Z points up.
class Plan {
 public:
  Plan(Ujscie& u, const MapaZmian& m, std::size_t nr) : u_(u), s_(u.tekst), m_(m), nr_(nr) {
    const Zakres& z = m.zakres();
    szer_ = std::max(z.max_x - z.min_x, 10.0);
    wys_ = std::max(z.max_z - z.min_z, 10.0);
    const double bok = std::max(szer_, wys_);
    cyfry_ = bok < 1000 ? 2 : 1;
    jednostka_ = bok / 250;
    margines_ = bok * 0.12;
  }

  void pisz() {
    const Zakres& z = m_.zakres();
    s_ += "<svg class=\"plan\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"";
    liczba(s_, z.min_x - margines_, cyfry_);
    s_ += ' ';
    liczba(s_, -(z.min_z + wys_) - margines_, cyfry_);
    s_ += ' ';
    liczba(s_, szer_ + 2 * margines_, cyfry_);
    s_ += ' ';
    liczba(s_, wys_ + 2 * margines_, cyfry_);
    s_ += "\" preserveAspectRatio=\"xMidYMid meet\">\n";
    definicje();
    teren();
    pasy();
    tory();
    osie();
    zmiany();
    pozostawione();
    s_ += "</svg>\n";
  }

 private:
  void xy(double x, double z) {
    liczba(s_, x, cyfry_);
    s_ += ' ';
    liczba(s_, -z, cyfry_);
  }

  void definicje() {
    // Arrowheads sized to the plan, not to the (unscaled) line width.
    s_ += "<defs><marker id=\"grot-" + std::to_string(nr_) +
          "\" viewBox=\"0 0 10 10\" refX=\"9\" refY=\"5\" markerUnits=\"userSpaceOnUse\" "
          "markerWidth=\"";
    liczba(s_, 3 * jednostka_, cyfry_);
    s_ += "\" markerHeight=\"";
    liczba(s_, 3 * jednostka_, cyfry_);
    s_ +=
        "\" orient=\"auto\"><path class=\"grot\" d=\"M0 0L10 5L0 10z\"/>"
        "</marker><path id=\"krzyz-" +
        std::to_string(nr_) + "\" d=\"";
    const double r = 2 * jednostka_;
    s_ += 'M';
    xy(-r, -r);
    s_ += 'L';
    xy(r, r);
    s_ += 'M';
    xy(-r, r);
    s_ += 'L';
    xy(r, -r);
    s_ += "\"/></defs>\n";
  }

  // Runs of ground cells along each row, one path.
  void teren() {
    s_ += "<path class=\"teren\" d=\"";
    const Zakres& z = m_.zakres();
    const double bok = m_.bok_komorki();
    for (int r = 0; r < m_.rzedy(); ++r) {
      for (int k = 0; k < m_.kolumny();) {
        if (!m_.zajeta(k, r)) {
          ++k;
          continue;
        }
        const int od = k;
        while (k < m_.kolumny() && m_.zajeta(k, r)) ++k;
        s_ += 'M';
        xy(z.min_x + od * bok, z.min_z + (r + 1) * bok);
        s_ += 'h';
        liczba(s_, (k - od) * bok, cyfry_);
        s_ += 'v';
        liczba(s_, bok, cyfry_);
        s_ += 'h';
        liczba(s_, -(k - od) * bok, cyfry_);
        s_ += 'z';
      }
      u_.moze_oproznij();
    }
    s_ += "\"/>\n";
  }

  void pasy() {
    s_ += "<path class=\"pasy\" d=\"";
    for (const PasNaMapie& p : m_.pasy()) {
      const double dx = p.x2 - p.x1, dz = p.z2 - p.z1;
      const double d = std::hypot(dx, dz);
      if (!(d > 0)) continue;
      const double nx = -dz / d * p.polowa_szerokosci, nz = dx / d * p.polowa_szerokosci;
      s_ += 'M';
      xy(p.x1 + nx, p.z1 + nz);
      s_ += 'L';
      xy(p.x2 + nx, p.z2 + nz);
      s_ += 'L';
      xy(p.x2 - nx, p.z2 - nz);
      s_ += 'L';
      xy(p.x1 - nx, p.z1 - nz);
      s_ += 'z';
      u_.moze_oproznij();
    }
    s_ += "\"/>\n";
  }

  void tory() {
    s_ += "<path class=\"tory\" d=\"";
    for (const OdcinekNaMapie& t : m_.tory()) {
      s_ += 'M';
      xy(t.x1, t.z1);
      s_ += 'L';
      xy(t.x2, t.z2);
      u_.moze_oproznij();
    }
    s_ += "\"/>\n";
  }

  void tekst(double x, double z, std::string_view kotwica, std::string_view tresc) {
    s_ += "<text x=\"";
    liczba(s_, x, cyfry_);
    s_ += "\" y=\"";
    liczba(s_, -z, cyfry_);
    s_ += "\" text-anchor=\"";
    s_ += kotwica;
    s_ += "\">";
    s_ += tresc;
    s_ += "</text>";
  }

  // The frame of the extent, ticks and labels in metres on the lower and
  // left edges, the axis names and a scale bar below.
  void osie() {
    const Zakres& z = m_.zakres();
    const double x0 = z.min_x, z0 = z.min_z, krok = okragly_krok(std::max(szer_, wys_));
    const int cyfry_etykiet = krok >= 1 ? 0 : krok >= 0.1 ? 1 : 2;
    s_ += "<rect class=\"ramka\" x=\"";
    liczba(s_, x0, cyfry_);
    s_ += "\" y=\"";
    liczba(s_, -(z0 + wys_), cyfry_);
    s_ += "\" width=\"";
    liczba(s_, szer_, cyfry_);
    s_ += "\" height=\"";
    liczba(s_, wys_, cyfry_);
    s_ += "\"/>\n<g class=\"osie\" font-size=\"";
    liczba(s_, 5 * jednostka_, cyfry_);
    s_ += "\">";
    const double t = jednostka_ * 2;
    std::string etykieta;
    for (double x = std::ceil(x0 / krok) * krok; x <= x0 + szer_ + 1e-9; x += krok) {
      s_ += "<line x1=\"";
      liczba(s_, x, cyfry_);
      s_ += "\" x2=\"";
      liczba(s_, x, cyfry_);
      s_ += "\" y1=\"";
      liczba(s_, -z0, cyfry_);
      s_ += "\" y2=\"";
      liczba(s_, -z0 + t, cyfry_);
      s_ += "\"/>";
      etykieta.clear();
      liczba(etykieta, x, cyfry_etykiet);
      tekst(x, z0 - 4 * t, "middle", etykieta);
    }
    for (double zz = std::ceil(z0 / krok) * krok; zz <= z0 + wys_ + 1e-9; zz += krok) {
      s_ += "<line x1=\"";
      liczba(s_, x0 - t, cyfry_);
      s_ += "\" x2=\"";
      liczba(s_, x0, cyfry_);
      s_ += "\" y1=\"";
      liczba(s_, -zz, cyfry_);
      s_ += "\" y2=\"";
      liczba(s_, -zz, cyfry_);
      s_ += "\"/>";
      etykieta.clear();
      liczba(etykieta, zz, cyfry_etykiet);
      tekst(x0 - 1.5 * t, zz - 0.85 * t, "end", etykieta);
    }
    tekst(x0 + szer_, z0 - 8 * t, "end", "X [m]");
    tekst(x0 - 1.5 * t, z0 + wys_ + 2 * t, "end", "Z [m]");
    s_ += "</g>\n<g class=\"skala\" font-size=\"";
    liczba(s_, 5 * jednostka_, cyfry_);
    s_ += "\"><path d=\"M";
    const double y = z0 - 8 * t;
    xy(x0, y + t);
    s_ += 'V';
    liczba(s_, -y, cyfry_);
    s_ += 'H';
    liczba(s_, x0 + krok, cyfry_);
    s_ += 'V';
    liczba(s_, -(y + t), cyfry_);
    s_ += "\"/>";
    etykieta.clear();
    liczba(etykieta, krok, cyfry_etykiet);
    etykieta += " m";
    tekst(x0 + krok + t, y, "start", etykieta);
    s_ += "</g>\n";
  }

  // Heights in four sizes by amount, set by a style of the plan: a class is
  // shorter than a radius on each of many thousand markers.
  static constexpr int rozmiary = 4;

  void zmiany() {
    float najwieksza = 0;
    for (const ZmianaNaMapie& z : m_.zmiany()) najwieksza = std::max(najwieksza, std::abs(z.dy()));
    const std::string plan = "#plan-" + std::to_string(nr_);
    s_ += "<style>";
    for (int k = 1; k <= rozmiary; ++k) {
      const std::string nr = std::to_string(k);
      s_ += plan + " .w" + nr + "," + plan + " .n" + nr + "{r:";
      liczba(s_, jednostka_ * (0.6 + 1.6 * std::sqrt(static_cast<double>(k) / rozmiary)), cyfry_);
      s_ += "px}";
    }
    if (m_.ile_chronionych() > 0) {
      s_ += plan + " .p{r:";
      liczba(s_, jednostka_ * 1.4, cyfry_);
      s_ += "px}";
    }
    s_ += "</style>\n<g class=\"zmiany\" marker-end=\"url(#grot-" + std::to_string(nr_) + ")\">\n";
    const std::string krzyz =
        "<use href=\"#krzyz-" + std::to_string(nr_) + "\" marker-end=\"none\" x=\"";
    for (const ZmianaNaMapie& z : m_.zmiany()) {
      switch (z.rodzaj) {
        case RodzajZmiany::wysokosc: {
          const double udzial = najwieksza > 0 ? std::abs(z.dy()) / najwieksza : 0;
          const int rozmiar =
              std::clamp(static_cast<int>(std::ceil(udzial * rozmiary)), 1, rozmiary);
          const char klasa[] = {z.dy() >= 0 ? 'w' : 'n', static_cast<char>('0' + rozmiar), 0};
          kolko(klasa, z);
          break;
        }
        case RodzajZmiany::przesuniecie:
          s_ += "<path d=\"M";
          xy(z.x, z.z);
          s_ += 'L';
          xy(z.x2(), z.z2());
          s_ += "\"/>\n";
          break;
        case RodzajZmiany::usuniecie:
          s_ += krzyz;
          liczba(s_, z.x, cyfry_);
          s_ += "\" y=\"";
          liczba(s_, -z.z, cyfry_);
          s_ += "\"/>\n";
          break;
        case RodzajZmiany::chroniona:
          kolko("p", z);
          break;
      }
      u_.moze_oproznij();
    }
    s_ += "</g>\n";
  }

  // Objects left alone: hollow rings, coloured by reason, each tied to its
  // row (data-w) when the table has one.
  void pozostawione() {
    if (m_.pozostawione().empty()) return;
    s_ += "<style>#plan-" + std::to_string(nr_) + " .pozostawione circle{r:";
    liczba(s_, jednostka_ * 1.6, cyfry_);
    s_ += "px}</style>\n<g class=\"pozostawione\">\n";
    for (const PozostawionaNaMapie& p : m_.pozostawione()) {
      s_ += "<circle class=\"o-";
      s_ += klucz_powodu(p.powod);
      s_ += "\" cx=\"";
      liczba(s_, p.x, cyfry_);
      s_ += "\" cy=\"";
      liczba(s_, -p.z, cyfry_);
      if (p.wiersz >= 0) s_ += "\" data-w=\"" + std::to_string(p.wiersz);
      s_ += "\"/>\n";
      u_.moze_oproznij();
    }
    s_ += "</g>\n";
  }

  // A marker at the object's place as read.
  void kolko(const char* klasa, const ZmianaNaMapie& z) {
    s_ += "<circle class=\"";
    s_ += klasa;
    s_ += "\" cx=\"";
    liczba(s_, z.x, cyfry_);
    s_ += "\" cy=\"";
    liczba(s_, -z.z, cyfry_);
    s_ += "\"/>\n";
  }

  Ujscie& u_;
  std::string& s_;
  const MapaZmian& m_;
  std::size_t nr_;
  double szer_, wys_, jednostka_, margines_;
  int cyfry_;
};

std::string_view nazwa_rodzaju(RodzajZmiany r) {
  switch (r) {
    case RodzajZmiany::wysokosc:
      return "wysokość";
    case RodzajZmiany::przesuniecie:
      return "przesunięcie";
    case RodzajZmiany::usuniecie:
      return "usunięcie";
    case RodzajZmiany::chroniona:
      return "pominięty (oznaczony)";
  }
  return "";
}

void tabela(Ujscie& u, const MapaZmian& m, std::size_t nr) {
  std::string& s = u.tekst;
  s += "<div "
       "class=\"tabela "
       "zmian\"><table><thead><tr><th>Nr</th><th>Plik</th><th>Linia</th><th>Zmiana</th>"
       "<th>Przed zmianą</th><th>Po zmianie</th></tr></thead>\n<tbody>\n";
  const std::string kotwica = "<td><a href=\"#plan-" + std::to_string(nr) + "\" data-i=\"";
  std::size_t i = 0;
  for (const WierszZmiany& w : m.wiersze()) {
    s += "<tr>";
    s += kotwica;
    s += std::to_string(i);
    s += "\">";
    s += std::to_string(++i);
    s += "</a></td><td>";
    html(s, m.pliki()[w.plik]);
    s += "</td><td>";
    s += std::to_string(w.nr_linii);
    s += "</td><td>";
    s += nazwa_rodzaju(w.rodzaj);
    s += "</td><td class=\"t\">";
    html(s, w.przed);
    s += "</td><td class=\"t\">";
    html(s, w.po);
    s += "</td></tr>\n";
    u.moze_oproznij();
  }
  s += "</tbody></table></div>\n";
  const std::size_t pominiete = m.zmiany().size() - m.wiersze().size();
  if (pominiete > 0) {
    s += "<p class=\"pominiete\">Pominięto w tabeli " + std::to_string(pominiete) +
         " zmian (na planie są wszystkie, w Log_korekcja.txt pełny opis).</p>\n";
  }
}

std::string_view nazwa_powodu(Powod p) {
  switch (p) {
    case Powod::brak:
      break;
    case Powod::wyjatek:
      return "wyjątek (początek nazwy z listy wyjątków)";
    case Powod::brak_polozenia:
      return "bez położenia (brak trzech liczb z rzędu)";
    case Powod::poza_obszarem:
      return "poza obszarem";
    case Powod::brak_terenu:
      return "brak terenu pod obiektem";
    case Powod::ponizej_pasma:
      return "już na terenie (różnica poniżej dolnej granicy)";
    case Powod::powyzej_pasma:
      return "poza pasmem (różnica powyżej górnej granicy)";
    case Powod::znacznik:
      return "oznaczony „// wyrownik: pomin”";
    case Powod::zerowy_promien:
      return "promień 0 lub mniej (kolizja niemożliwa)";
    case Powod::krotka_sonda:
      return "w pasie skrajni, sonda nie sięga toru";
    case Powod::wolny:
      return "z dala od torów";
  }
  return "";
}

// Which textures lie under the objects with no ground under them: the
// texture "[tekstury]" leaves out is at the top.
void tekstury_pod_obiektami(std::string& s, const MapaZmian& m) {
  if (m.tekstury_pod_obiektami().empty()) return;
  std::vector<std::pair<std::string_view, std::uint64_t>> wg_ilosci(
      m.tekstury_pod_obiektami().begin(), m.tekstury_pod_obiektami().end());
  std::stable_sort(wg_ilosci.begin(), wg_ilosci.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  s += "<table class=\"tekstury\"><thead><tr><th>Tekstura pod obiektami bez terenu</th>"
       "<th>Obiektów</th></tr></thead><tbody>\n";
  for (const auto& [tekstura, ile] : wg_ilosci) {
    s += "<tr><td>";
    html(s, tekstura);
    s += "</td><td>" + std::to_string(ile) + "</td></tr>\n";
  }
  if (m.bez_trojkata() > 0) {
    s += "<tr><td>(żaden trójkąt)</td><td>" + std::to_string(m.bez_trojkata()) + "</td></tr>\n";
  }
  s += "</tbody></table>\n";
}

// What the run left as it was, and why: the counts (all of them), the
// switch of the plan's rings, and a row for each object as far as the table
// goes.
void pozostawione(Ujscie& u, const MapaZmian& m, std::size_t nr) {
  std::string& s = u.tekst;
  const LicznikiPrzebiegu& l = m.liczniki();
  if (l.ile_pozostawionych() == 0) return;
  s += "<h3>Pozostawione bez zmian</h3>\n<table class=\"powody\"><thead><tr><th>Przyczyna</th>"
       "<th>Klucz</th><th>Ilość</th></tr></thead><tbody>\n";
  for (const Powod p : l.powody_od_najczestszego()) {
    s += "<tr><td><i class=\"o-";
    s += klucz_powodu(p);
    s += "\">○</i> ";
    s += nazwa_powodu(p);
    s += "</td><td>";
    s += klucz_powodu(p);
    s += "</td><td>" + std::to_string(l.pozostawione[static_cast<std::size_t>(p)]) + "</td></tr>\n";
  }
  s += "</tbody></table>\n";
  const auto brak_terenu = l.pozostawione[static_cast<std::size_t>(Powod::brak_terenu)];
  if (brak_terenu > 0 && !m.tekstury_poza_terenem().empty()) {
    s += "<p>Węzły trójkątów, których tekstury nie ma w [tekstury] (nie są terenem): ";
    const char* miedzy = "";
    for (const auto& [tekstura, ile] : m.tekstury_poza_terenem()) {
      s += miedzy;
      html(s, tekstura);
      s += " (" + std::to_string(ile) + ")";
      miedzy = ", ";
    }
    s += ".</p>\n";
  }
  tekstury_pod_obiektami(s, m);
  if (!m.pozostawione().empty()) {
    s += "<p><label><input type=\"checkbox\" class=\"pokaz-pozostawione\" checked> pokaż "
         "pozostawione na planie (puste kółka)</label></p>\n";
  }
  if (m.wiersze_pozostawionych().empty()) return;
  s += "<div class=\"tabela pozostawionych\"><table><thead><tr><th>Nr</th><th>Plik</th>"
       "<th>Linia</th><th>Przyczyna</th><th>X</th><th>Y</th><th>Z</th><th>Wartość</th>"
       "<th>Tekstury pod obiektem</th></tr>"
       "</thead>\n<tbody>\n";
  std::size_t i = 0;
  for (const WierszPozostawionej& w : m.wiersze_pozostawionych()) {
    s += "<tr><td>";
    ++i;
    if (w.znak >= 0) {
      s += "<a href=\"#plan-" + std::to_string(nr) + "\" data-p=\"" + std::to_string(w.znak) +
           "\">" + std::to_string(i) + "</a>";
    } else {
      s += std::to_string(i);
    }
    s += "</td><td>";
    html(s, m.pliki()[w.plik]);
    s += "</td><td>" + std::to_string(w.nr_linii) + "</td><td>";
    s += klucz_powodu(w.powod);
    s += "</td><td>";
    html(s, w.x);
    s += "</td><td>";
    html(s, w.y);
    s += "</td><td>";
    html(s, w.z);
    s += "</td><td>";
    if (w.wartosc) liczba(s, *w.wartosc, 2);
    s += "</td><td>";
    html(s, w.szczegol);
    s += "</td></tr>\n";
    u.moze_oproznij();
  }
  s += "</tbody></table></div>\n";
  const std::uint64_t wymienione =
      l.ile_pozostawionych() - l.pozostawione[static_cast<std::size_t>(Powod::wolny)];
  if (wymienione > m.wiersze_pozostawionych().size()) {
    s += "<p class=\"pominiete\">Pominięto w tabeli " +
         std::to_string(wymienione - m.wiersze_pozostawionych().size()) +
         " obiektów (na planie są wszystkie; --explain w wierszu poleceń daje pełną tabelę).</p>\n";
  }
}

std::string_view nazwa_braku(BrakOdcinka b) {
  switch (b) {
    case BrakOdcinka::niewidoczny:
      return "ukryty (unvis/novis)";
    case BrakOdcinka::niepelny:
      return "niepełny (brak szerokości lub końca)";
    case BrakOdcinka::krotka_cieciwa:
      return "końce bliżej niż 1 m";
  }
  return "";
}

// Track nodes the run took nothing from: a track the builder thinks is
// there, and that neither moves objects nor carries the ground.
void tory_bez_odcinka(Ujscie& u, const MapaZmian& m) {
  std::string& s = u.tekst;
  const auto& ile = m.ile_torow_bez_odcinka();
  const std::uint64_t razem = ile[0] + ile[1] + ile[2];
  if (razem == 0) return;
  s += m.skrajnia() ? "<h3>Tory bez odcinka skrajni</h3>\n"
                    : "<h3>Drogi i rzeki bez pasa terenu</h3>\n";
  s += "<p class=\"bez-odcinka\">";
  const char* miedzy = "";
  for (std::size_t b = 0; b < ile.size(); ++b) {
    if (ile[b] == 0) continue;
    s += miedzy;
    s += nazwa_braku(static_cast<BrakOdcinka>(b));
    s += ": " + std::to_string(ile[b]);
    miedzy = ", ";
  }
  s += ".</p>\n<div class=\"tabela bez-odcinka\"><table><thead><tr><th>Plik</th><th>Linia</th>"
       "<th>Przyczyna</th></tr></thead>\n<tbody>\n";
  for (const TorBezOdcinkaWTabeli& t : m.tory_bez_odcinka()) {
    s += "<tr><td>";
    html(s, m.pliki()[t.plik]);
    s += "</td><td>" + std::to_string(t.tor.linia) + "</td><td>";
    s += klucz_braku(t.tor.powod);
    s += "</td></tr>\n";
    u.moze_oproznij();
  }
  s += "</tbody></table></div>\n";
  if (razem > m.tory_bez_odcinka().size()) {
    s += "<p class=\"pominiete\">Pominięto w tabeli " +
         std::to_string(razem - m.tory_bez_odcinka().size()) + " torów.</p>\n";
  }
}

// Markers the builder believes protect an object, and that protect nothing.
void znaczniki_bez_obiektu(std::string& s, const MapaZmian& m) {
  if (m.znaczniki_bez_obiektu().empty()) return;
  s += "<p class=\"uwagi\">Znaczniki „// wyrownik: pomin”, które nie chronią żadnego obiektu "
       "(następna niepusta linia nie jest obiektem):</p>\n<ul class=\"uwagi\">\n";
  for (const ZnacznikBezObiektu& z : m.znaczniki_bez_obiektu()) {
    s += "<li>";
    html(s, z.plik);
    s += ", linia " + std::to_string(z.linia) + ": ";
    s += z.wzieta == 0 ? std::string("za nim nie ma już żadnej linii")
                       : "linia " + std::to_string(z.wzieta) + " nie jest obiektem";
    s += "</li>\n";
  }
  s += "</ul>\n";
}

}  // namespace

std::filesystem::path plik_raportu(const std::filesystem::path& plik_logu) {
  std::filesystem::path p = plik_logu;
  return p.replace_extension(".html");
}

namespace {

void pisz_strone(Ujscie& u, const Raport& raport) {
  std::string& s = u.tekst;
  const std::string_view tytul = raport.skrajnia() ? "Korekta skrajni" : "Korekta wysokości";
  s += "<!DOCTYPE html>\n<html lang=\"pl\"><head><meta charset=\"utf-8\">\n<title>wyrownik: ";
  s += tytul;
  s += "</title>\n";
  s += "<style>\n";
  s += osadzone::styl;
  s += "</style>\n";
  s += "</head><body>\n<h1>";
  s += tytul;
  s += "</h1>\n";
  if (raport.na_sucho()) {
    s += "<p><b>Tylko podgląd:</b> żaden plik scenerii nie został zmieniony.</p>\n";
  }
  s += "<p class=\"legenda\">";
  s += raport.skrajnia()
           ? "<span>— tor</span><span><i class=\"pas\">■</i> pas skrajni</span><span><i "
             "class=\"przesuniecie\">→</i> przesunięty obiekt</span><span><i "
             "class=\"usuniecie\">✕</i> usunięty obiekt</span>"
           : "<span><i class=\"podniesienie\">●</i> podniesiony</span><span><i "
             "class=\"obnizenie\">●</i> obniżony</span><span>(wielkość: o ile)</span><span><i "
             "class=\"teren\">■</i> teren</span><span><i class=\"pas\">■</i> drogi i "
             "rzeki</span>";
  const bool pominiete = std::any_of(raport.scenerie().begin(), raport.scenerie().end(),
                                     [](const MapaZmian& m) { return m.ile_chronionych() > 0; });
  if (pominiete) s += "<span><i class=\"pominiecie\">●</i> pominięty (oznaczony)</span>";
  s += "<span>Kółko myszy: powiększenie, przeciąganie: przesunięcie, dwuklik: całość.</span></p>\n";
  if (raport.scenerie().empty()) s += "<p>Żadna sceneria nie została przetworzona.</p>\n";
  std::size_t nr = 0;
  for (const MapaZmian& m : raport.scenerie()) {
    s += "<section id=\"plan-" + std::to_string(nr) + "\"><h2>Sceneria: ";
    html(s, m.nazwa_scenerii());
    s += "</h2>\n<p class=\"podsumowanie\">Ilość zmian: " + std::to_string(m.ile_zmian());
    if (m.skrajnia()) s += ", ilość usuniętych: " + std::to_string(m.ile_usunietych());
    if (m.ile_chronionych() > 0) {
      s += ", pominiętych (oznaczonych): " + std::to_string(m.ile_chronionych());
    }
    s += "</p>\n";
    znaczniki_bez_obiektu(s, m);
    Plan(u, m, nr).pisz();
    s += "<p class=\"opis\"></p>\n";
    tabela(u, m, nr);
    pozostawione(u, m, nr);
    tory_bez_odcinka(u, m);
    s += "</section>\n";
    ++nr;
  }
  s += "<script>\n";
  s += osadzone::skrypt;
  s += "</script>\n";
  s += "</body></html>\n";
}

}  // namespace

std::string strona_raportu(const Raport& raport) {
  Ujscie u;
  pisz_strone(u, raport);
  return std::move(u.tekst);
}

void napisz_raport(const std::filesystem::path& nowy, const Raport& raport,
                   OperacjeSystemu& operacje) {
  PlikZapisu plik(nowy, PlikZapisu::Tryb::nowy, operacje);
  Ujscie u{{}, &plik};
  pisz_strone(u, raport);
  plik.zapisz(u.tekst);
  // Not synced: a report lost to a power cut is made again by the next
  // batch, and a sync of megabytes would cost the batch time.
  plik.zamknij();
}

void zastap_raport(const std::filesystem::path& nowy, const std::filesystem::path& sciezka,
                   OperacjeSystemu& operacje) {
  // The old report goes first: a rename over an existing file makes some
  // file systems (ext4) write the new one out before the rename returns,
  // milliseconds the batch would wait for a page that need not be durable.
  // The name is without a report only between the two calls. Nor is the
  // directory synced after the rename: the page itself is not durable.
  usun_pozostalosc(sciezka, operacje);
  if (const auto blad = operacje.zmien_nazwe(nowy, sciezka))
    throw BladPliku("cannot replace", sciezka, blad);
}

std::filesystem::path nowy_raport(const std::filesystem::path& sciezka) {
  std::filesystem::path nowy = sciezka;
  nowy += ".nowy";
  return nowy;
}

void zapisz_raport(const std::filesystem::path& sciezka, const Raport& raport,
                   OperacjeSystemu& operacje) {
  const std::filesystem::path nowy = nowy_raport(sciezka);
  napisz_raport(nowy, raport, operacje);
  zastap_raport(nowy, sciezka, operacje);
}

}  // namespace wyrownik
