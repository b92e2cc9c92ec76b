#include "pomoc/katalog_tymczasowy.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace wyrownik::testy {

KatalogTymczasowy::KatalogTymczasowy() {
  std::string wzor = (std::filesystem::temp_directory_path() / "wyrownik-test-XXXXXX").string();
  if (::mkdtemp(wzor.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  sciezka_ = wzor;
}

KatalogTymczasowy::~KatalogTymczasowy() {
  std::error_code blad;
  std::filesystem::permissions(sciezka_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, blad);
  std::filesystem::remove_all(sciezka_, blad);
}

std::filesystem::path KatalogTymczasowy::zapisz(std::string_view nazwa,
                                                std::string_view tresc) const {
  const auto p = sciezka_ / std::string(nazwa);
  std::filesystem::create_directories(p.parent_path());
  std::ofstream plik(p, std::ios::binary | std::ios::trunc);
  plik.write(tresc.data(), static_cast<std::streamsize>(tresc.size()));
  if (!plik) throw std::runtime_error("cannot write " + p.string());
  return p;
}

std::string wczytaj(const std::filesystem::path& sciezka) {
  std::ifstream plik(sciezka, std::ios::binary);
  if (!plik) throw std::runtime_error("cannot read " + sciezka.string());
  return {std::istreambuf_iterator<char>(plik), std::istreambuf_iterator<char>()};
}

}  // namespace wyrownik::testy
