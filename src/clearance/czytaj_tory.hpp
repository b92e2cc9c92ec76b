// Reading the visible normal tracks of one scenery file.
#pragma once

#include <filesystem>
#include <functional>

#include "clearance/odcinek_toru.hpp"
#include "platform/operacje_systemu.hpp"
#include "run/zdarzenia.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

using OdbiorcaOdcinkow = std::function<void(const OdcinekToru&)>;

// Hands the chord of every visible "normal" track to `rejestruj_odcinek`, in
// file order. A track's width is header token 8 plus twice token 5 of its
// second counted line; a header with fewer than 8 tokens starts from width 0.
// A track without a first end point (counted line 3 with fewer than three
// tokens) gives no segment. With `braki`, every normal track that gives no
// segment (hidden ones too) goes to it. Throws BladDanych when an end point
// is not a number, BladPliku when the file cannot be read through
// `operacje`.
void czytaj_tory(const std::filesystem::path& plik, const OdbiorcaOdcinkow& rejestruj_odcinek,
                 Szukanie szukanie, OperacjeSystemu& operacje,
                 const OdbiorcaBrakow* braki = nullptr);

}  // namespace wyrownik
