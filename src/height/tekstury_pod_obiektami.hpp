// What lies under the objects the ground does not reach: the triangles of
// nodes whose texture is not ground, tested as they are read against where
// the scan found objects, with the run's own containment test. A builder
// then learns which texture "[tekstury]" leaves out.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "height/trojkat.hpp"
#include "platform/plik_mapowany.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

class TeksturyPodObiektami {
 public:
  // Every position the scan found but those not finite, sorted into an
  // unnamed scratch file in `katalog` (in memory up to `w_pamieci_do`
  // bytes): the program's own memory holds nothing per object. Throws
  // BladPliku.
  TeksturyPodObiektami(const PolozeniaObiektow& polozenia, const std::filesystem::path& katalog,
                       OperacjeSystemu& operacje, std::size_t w_pamieci_do = 256 << 10);

  // The texture of a node about to be read (Windows-1250), as a number for
  // trojkat(): one look-up per node, none per triangle.
  std::uint32_t tekstura(std::string_view nazwa);
  // A triangle of a node whose texture is not ground.
  void trojkat(const Trojkat& t, std::uint32_t tekstura);

  // The textures of the triangles containing (x, z), in the order first
  // read, a space between two (a texture, being one token, holds none);
  // empty when none does or the scan did not find the position. Safe on
  // several threads once reading is over.
  std::string_view pod(double x, double z) const;

 private:
  std::size_t komorka(double x, double z) const;
  std::uint32_t z_dodana(std::uint32_t zestaw, std::uint32_t tekstura);

  std::uint32_t poczatek(std::size_t komorka) const;
  PolozenieObiektu polozenie(std::size_t i) const;
  std::uint32_t zestaw(std::size_t i) const;
  void ustaw_zestaw(std::size_t i, std::uint32_t zestaw);

  // Positions sorted by the cell of a coarse grid over them: the cell c
  // holds polozenie(poczatek(c) .. poczatek(c + 1)). Per position, its set
  // of textures (0: none yet). All three in the file, one after the other.
  double min_x_ = 0, min_z_ = 0, na_komorki_ = 1;
  std::size_t kolumny_ = 1, rzedy_ = 1;
  std::size_t ile_ = 0;
  std::size_t od_polozen_ = 0, od_zestawow_ = 0;
  std::optional<PlikMapowany> plik_;
  std::vector<char> pamiec_;  // instead of the file
  char* baza_ = nullptr;      // the file's mapping or pamiec_
  // Sets by number: their textures' numbers and their text; set 0 is empty.
  std::vector<std::vector<std::uint32_t>> skladniki_{{}};
  std::vector<std::string> teksty_{{}};
  // A set with one more texture, remembered: (set << 32 | texture) -> set.
  std::unordered_map<std::uint64_t, std::uint32_t> przejscia_;
  std::vector<std::string> nazwy_;
  std::unordered_map<std::string, std::uint32_t> numery_;
};

}  // namespace wyrownik
