#include "platform/nazwy.hpp"

namespace wyrownik {

std::filesystem::path sciezka_z_bajtow(std::string_view bajty) {
  return std::filesystem::path(std::string(bajty));
}

std::string bajty_sciezki(const std::filesystem::path& sciezka) {
  return sciezka.string();
}

bool czy_ukryty(const std::filesystem::path& sciezka) {
  return sciezka.filename().native().starts_with('.');
}

std::uintmax_t ile_nazw(const std::filesystem::path& sciezka) {
  std::error_code blad;
  const std::uintmax_t ile = std::filesystem::hard_link_count(sciezka, blad);
  return blad ? 2 : ile;
}

}  // namespace wyrownik
