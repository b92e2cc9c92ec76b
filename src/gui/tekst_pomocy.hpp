// The help window: its design and its instruction text.
#pragma once

#include <string_view>

#include "text/kodowanie.hpp"

namespace wyrownik {

// Twips, as designed; the window opens at the size of the screen's work
// area, its text box keeping its margins.
inline constexpr std::string_view tytul_pomocy = "Pomoc";
inline constexpr int szerokosc_pomocy = 7905, wysokosc_pomocy = 4905;
inline constexpr int margines_pomocy = 120;
inline constexpr int szerokosc_tekstu_pomocy = 7695, wysokosc_tekstu_pomocy = 4215;
inline constexpr double punkty_pomocy = 12;

// 46 lines, each ended by CR LF, Windows-1250. The misspellings, the blank
// line 44 and the spaces at the ends of lines 18 and 28 are the text as users
// know it.
inline constexpr TekstCp1250 tekst_pomocy{
    "Instrukcja:\r\n"
    "1) Wgrac program wraz z plikiem wyrownik.ini do dowolnego katalogu\r\n"
    "2) Edytowac plik wyrownik.ini\r\n"
    "W pliku ini ustawiamy:\r\n"
    " a) W sekcji [Sciezka dostepu] glowny folder symulatora\r\n"
    " b) W sekcji [inc] jakie wspisy do includow ma program sprawdzac\r\n"
    "    Istnieje mozliwosc wpisania symbolu pojedynczej gwiazdki (*), wtedy program bedzie "
    "zmienial\r\n"
    "wszystkie pliki inc\r\n"
    " c) W sekcji [tekstury] poczatki nazw tekstur trojkatow, ktore sluza jako podloze\r\n"
    " d) W sekcji [drogi] mozliwe sa dwie wartosci: 0 lub 1\r\n"
    "    Dla wyrownika wspolrzednej wysokosciowej, wartosc 1 bedzie oznaczala przeliczanie "
    "wspolrzednej\r\n"
    "    wysokosciowej plikow inc, gdy dany plik inc lezy w obszarze tracka jako road (drogi, "
    "perony, chodniki itp)\r\n"
    "    Wartosc 0, powoduje, iz funkcja powyzsza jest niedostepna\r\n"
    " e) W sekcji [rzeki], podobnie jak dla road, tylko, ze dla river\r\n"
    " f) W sekcji [Wyjatki - poczatki nazw inc] wypisuje sie poczatki nazw includow, ktore maja "
    "zostac pominiete\r\n"
    "    przy korekcji wspolrzedych wysokosciowych. Czesto celowo stosowane obiekty podziemne, np. "
    "semafory,\r\n"
    "    tarcze i aby wyrownik tego nie zmienil. Generalnie wypisanie wyjatkow ma sens, gdy ktos "
    "wpisze\r\n"
    "    w sekcje [inc] * (gwiazdke), a jednoczesnie nie chce korygowac jakis obiektow. \r\n"
    "Punkty 2d, 2e, 2f przeznaczone sa tylko dla wyrownika wspolrzednej wysokosciowej.\r\n"
    "3) Uruchomic program\r\n"
    "4) Najpierw wykonujemy korekcje wspolrzednych, tak, aby nie wchodzily obiekty w skrajnie "
    "toru\r\n"
    "a) Parametr \"Maksymalny spodziewany promień sprawdzanego obiektu:\" sluzy do okreslenia,\r\n"
    "jaki w calej scenerii moze miec maksymalny promien sprawdzany obiekt.\r\n"
    "b) Parametr \"Nr parametru promienia obiektu:\" sluzy do okreslenia jaki jest rzeczywisty "
    "promien\r\n"
    "obiektu, jesli plik inc takowy zawiera (np. plik inc drzewa - tree.inc zawiera informacje o "
    "rozpietosci\r\n"
    "drzewa i jest to parametr nr 7, ktory moze byc promieniem).\r\n"
    "Jesli inc nie zawiera informacji o promieniu, to wpisuje sie liczbe 0 i wtedy za promien "
    "sluzy liczba\r\n"
    "wpisana w punkcie 4a \r\n"
    "5) Idea korekcji wspolrzednych skrajni toru, polega na przesuwaniu danego includa względem "
    "osi X i Y.\r\n"
    "Jesli includ jest pomiedzy torami, to moze zdarzyc sie, ze program tak przesunie includ, ze "
    "od jednego\r\n"
    "toru, dany obiekt odsunie, ale na drugi tor, obiekt wsunie (taki ping-pong). Program wykrywa "
    "taką\r\n"
    "sytuację i usuwa obiekt ze scenerii. Są to stosunkowo rzadkie sytuacje.\r\n"
    "6) Wybrac scenerie do sprawdzania i nacisnac przycisk Dzialaj\r\n"
    "7) Powstanie plik Log_korekcja.txt, w ktorym to beda opisane zmiany, plus statystyka dla "
    "danej scenerii\r\n"
    "8) Teraz jesli ma ktos ochote, mozna korygowac wspolrzedne wysokosciowe\r\n"
    // "mnijesza" as the label it quotes spells it.
    "9) Parametry o nazwie \"Nie zmieniaj, gdy roznica wysokosci jest mnijesza/wieksza od\", sluzy "
    "do\r\n"
    "\"znieczulania programu\", to znaczy, aby program nie zmienial wspisu, gdy roznica pomiedzy "
    "oryginalna\r\n"
    "wspolrzedna wysokosciowa, a wyliczona przez program nie miesci sie w przedziale, to "
    "program\r\n"
    "nie zmieni wpisu. Ma to na celu wyposrodkowanie, pomiedzy tym, co sie oplaca zmieniac, a tym "
    "co moze\r\n"
    "jeszcze pozostac. Jesli przedzial ten bedzie wynosil 0-100, to w zasadzie program zmieni "
    "wszystkie wpisy.\r\n"
    "10) Wybrac scenerie do spradzania (multiselect)\r\n"
    "11) Ncisnac przycisk Dzialaj\r\n"
    "12) Powstanie plik Log_korekcja.txt, w ktorym to beda opisane zmiany plus statystyka dla "
    "danej scenerii\r\n"
    "\r\n"
    "UWAGA:\r\n"
    "Program czyta plik ini tylko przy uruchomieniu programu.\r\n"};

}  // namespace wyrownik
