// Paths of the scenery tree: include names written with backslashes on
// case-insensitive file systems, opened here on any file system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/separator.hpp"

namespace wyrownik {

// The text of the scenery directory: the root as given, a separator unless it
// already ends with "/" or "\", then "scenery" and a separator.
std::string tekst_katalogu_scenerii(std::string_view korzen);

// The directory `tekst` names, each component found without regard to letter
// case where the exact one does not exist; nullopt when there is no such
// directory.
std::optional<std::filesystem::path> znajdz_katalog(std::string_view tekst);

// The directories a batch has listed, each once: names written in another
// letter case than the files would otherwise list a directory per lookup,
// which grows with the square of the number of files.
class PamiecKatalogow {
 public:
  // The entry of `rodzic` named `skladnik` in any letter case (also a UTF-8
  // name on disk for a Windows-1250 name); the first in listing order wins.
  // Throws BladPliku when the directory exists but cannot be listed.
  std::optional<std::string> dopasuj(const std::filesystem::path& rodzic,
                                     std::string_view skladnik);

 private:
  // Per directory: folded name -> the name on disk.
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> katalogi_;
};

// The file an include name (relative to the scenery directory, "\" between
// components) names, each component found without regard to letter case
// where the exact one does not exist. "." and ".." are resolved on the text
// first. nullopt when nothing exists there, and for any name that leads
// outside the scenery directory, also where it really leads (absolute, drive
// letter, ".." above it, a link to a place outside): such a file is never
// read nor written. Only a name where nothing exists is missing: a lookup the
// system refuses (a folder without search permission) throws BladPliku.
std::optional<std::filesystem::path> znajdz_w_scenerii(const std::filesystem::path& katalog,
                                                       std::string_view nazwa,
                                                       PamiecKatalogow* pamiec = nullptr);

// Whether `plik`, every link on the way followed, lies inside `katalog`;
// false for a dangling link. Throws BladPliku when either cannot be looked up.
bool wewnatrz_katalogu(const std::filesystem::path& plik, const std::filesystem::path& katalog);

// One name in a directory, in any letter case; nullopt when there is none or
// the directory cannot be read. For the program's own files (the ini).
std::optional<std::filesystem::path> znajdz_nazwe(const std::filesystem::path& katalog,
                                                  std::string_view nazwa);

// The name with "." and ".." resolved on the text, components joined by "\":
// two spellings of one file give one text. nullopt for a name that leads
// outside the scenery directory.
std::optional<std::string> nazwa_rozwiazana(std::string_view nazwa);

// The full path as the log shows it: the directory text, then the name with
// every "\" turned into the native separator.
std::string tekst_pelnej_sciezki(std::string_view tekst_katalogu, std::string_view nazwa);

// An ordinary file: a regular file the system does not hide (czy_ukryty).
bool czy_zwykly_plik(const std::filesystem::path& sciezka);

// The "*.scn" files of a directory, in any letter case, hidden ones left out,
// ordered as a file list sorts: without regard to letter case. Names are the
// directory's own bytes.
std::vector<std::string> pliki_scenerii(const std::filesystem::path& katalog);

}  // namespace wyrownik
