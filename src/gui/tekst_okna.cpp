#include "gui/tekst_okna.hpp"

#include "platform/separator.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik {

std::string na_ekran(std::string_view bajty_systemu) {
  if (nazwy_na_dysku_w_utf8 && poprawny_utf8(bajty_systemu)) return std::string(bajty_systemu);
  return cp1250_na_utf8(bajty_systemu);
}

std::string nazwa_dla_logu(std::string_view nazwa) {
  if (!nazwy_na_dysku_w_utf8) return std::string(nazwa);
  return utf8_na_cp1250(nazwa).value_or(std::string(nazwa));
}

std::string sciezka_na_ekran(const std::filesystem::path& sciezka) {
  if (!nazwy_na_dysku_w_utf8) {  // the system's own UTF-16 in std::filesystem
    const std::u8string t = sciezka.u8string();
    return std::string(t.begin(), t.end());
  }
  return na_ekran(sciezka.string());
}

}  // namespace wyrownik
