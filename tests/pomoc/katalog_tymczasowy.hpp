// A temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wyrownik::testy {

class KatalogTymczasowy {
 public:
  KatalogTymczasowy();
  ~KatalogTymczasowy();
  KatalogTymczasowy(const KatalogTymczasowy&) = delete;
  KatalogTymczasowy& operator=(const KatalogTymczasowy&) = delete;

  const std::filesystem::path& sciezka() const { return sciezka_; }
  // Names in tests are UTF-8 (as the sources are), on every system.
  std::filesystem::path operator/(std::string_view nazwa) const {
    return sciezka_ / std::filesystem::path(std::u8string(nazwa.begin(), nazwa.end()));
  }

  // Writes a file (creating folders on the way) with exactly these bytes.
  std::filesystem::path zapisz(std::string_view nazwa, std::string_view tresc) const;

 private:
  std::filesystem::path sciezka_;
};

// The whole content of a file; fails the test when it cannot be read.
std::string wczytaj(const std::filesystem::path& sciezka);

}  // namespace wyrownik::testy
