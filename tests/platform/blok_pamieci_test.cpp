#include "platform/blok_pamieci.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace wyrownik {
namespace {

// Not a multiple of any page size: the ends of what was asked for are
// usable and zeros, and a move hands the block over whole.
TEST(BlokPamieci, EveryByteAskedForIsZeroAndWritableAndAMoveHandsItOver) {
  constexpr std::size_t n = (5u << 20) + 123;
  BlokPamieci blok(n);
  ASSERT_NE(blok.dane(), nullptr);
  EXPECT_EQ(blok.rozmiar(), n);
  for (std::size_t i = 0; i < n; i += 4093) EXPECT_EQ(blok.dane()[i], 0) << i;
  EXPECT_EQ(blok.dane()[n - 1], 0);
  for (std::size_t i = 0; i < n; ++i) blok.dane()[i] = static_cast<char>(i % 251);

  char* const dane = blok.dane();
  BlokPamieci inny(1);
  inny = std::move(blok);
  EXPECT_EQ(blok.dane(), nullptr);
  EXPECT_EQ(blok.rozmiar(), 0u);
  ASSERT_EQ(inny.dane(), dane);
  EXPECT_EQ(inny.dane()[n - 1], static_cast<char>((n - 1) % 251));

  const BlokPamieci pusty(0);
  EXPECT_EQ(pusty.dane(), nullptr);
}

}  // namespace
}  // namespace wyrownik
