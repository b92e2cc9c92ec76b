#include "platform/potok.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace wyrownik {
namespace {

TEST(Potok, TakesEveryItemInTheOrderMadeAcrossBatches) {
  std::vector<int> wziete;
  w_potoku<int>(
      [](const auto& oddaj) {
        for (int i = 0; i < 10007; ++i) oddaj(i);
      },
      [&](int i) { wziete.push_back(i); }, 16, 2);
  ASSERT_EQ(wziete.size(), 10007u);
  for (int i = 0; i < 10007; ++i) ASSERT_EQ(wziete[static_cast<std::size_t>(i)], i);
}

TEST(Potok, AMakersFailureComesAfterEverythingMadeBeforeIt) {
  std::vector<int> wziete;
  EXPECT_THROW(w_potoku<int>(
                   [](const auto& oddaj) {
                     for (int i = 0; i < 50; ++i) oddaj(i);
                     throw std::runtime_error("read failed");
                   },
                   [&](int i) { wziete.push_back(i); }, 16, 2),
               std::runtime_error);
  EXPECT_EQ(wziete.size(), 50u);
}

TEST(Potok, ATakersFailureStopsTheMaker) {
  // The maker would never end on its own: only the taker's failure stops it.
  int wziete = 0;
  EXPECT_THROW(w_potoku<int>(
                   [](const auto& oddaj) {
                     for (;;) oddaj(1);
                   },
                   [&](int) {
                     if (++wziete == 100) throw std::runtime_error("disk full");
                   },
                   16, 2),
               std::runtime_error);
  EXPECT_EQ(wziete, 100);
}

}  // namespace
}  // namespace wyrownik
