#include "pomoc/katalog_tymczasowy.hpp"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace wyrownik::testy {

KatalogTymczasowy::KatalogTymczasowy() {
  // A new name each try: create_directory() is false for one that exists.
  std::random_device los;
  const auto tmp = std::filesystem::temp_directory_path();
  for (int proba = 0; proba < 100; ++proba) {
    const auto nazwa = tmp / ("wyrownik-test-" + std::to_string(los()));
    if (std::filesystem::create_directory(nazwa)) {
      sciezka_ = nazwa;
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

KatalogTymczasowy::~KatalogTymczasowy() {
  std::error_code blad;
  std::filesystem::permissions(sciezka_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, blad);
  std::filesystem::remove_all(sciezka_, blad);
}

std::filesystem::path KatalogTymczasowy::zapisz(std::string_view nazwa,
                                                std::string_view tresc) const {
  const auto p = *this / nazwa;
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
