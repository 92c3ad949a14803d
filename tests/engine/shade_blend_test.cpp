// The shade cache's two forms of the one-light blend: the byte of one surface value, and the
// table of all sixteen surface quotients that an entry holds. The pixels read the table, so
// every entry must be exactly the byte, for every base the cache can meet; and the shortcuts the
// cache takes for a zero base and a base of 255 or more must be what the blend gives.
#include "engine/shade_blend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

// Bases on and just around every whole number the blend can reach, where the rounding of the
// sum to single precision decides the byte, plus the ends of the range.
std::vector<double> TestBases() {
  std::vector<double> bases = {0.0,          std::numeric_limits<double>::denorm_min(),
                               1e-300,       0.5,
                               254.99999999, 255.0,
                               255.5,        1e10,
                               1e300,        std::numeric_limits<double>::infinity()};
  const double infinity = std::numeric_limits<double>::infinity();
  for (int k = 1; k <= 260; ++k) {
    double whole = k;
    for (double below : {0x1p-40, 0x1p-30, 0x1p-24, 0x1p-20, 0x1p-17, 1e-7, 1e-6, 0.5})
      bases.push_back(whole - below);
    bases.push_back(whole);
    bases.push_back(std::nextafter(whole, 0.0));
    bases.push_back(std::nextafter(whole, infinity));
  }
  std::mt19937 random(1812);
  std::uniform_real_distribution<double> anywhere(0, 300);
  for (int i = 0; i < 20000; ++i) bases.push_back(anywhere(random));
  // Bases that come from the cache's own arithmetic: a float q times 17 / 18.
  std::uniform_real_distribution<float> q(0, 300);
  for (int i = 0; i < 20000; ++i) bases.push_back(static_cast<double>(q(random)) * 17 / 18);
  return bases;
}

TEST(ShadeBlend, EveryEntryOfTheTableIsTheBlendOfItsSurfaceBytes) {
  for (double base : TestBases()) {
    uint8_t table[16];
    BlendQuotients(base, table);
    for (int32_t n = 0; n < 16; ++n)
      ASSERT_EQ(table[n], BlendByte(base, 18 * n)) << "base " << base << " quotient " << n;
    // The pixels look a surface byte up by its quotient by 18.
    for (int32_t surface = 0; surface < 256; ++surface)
      ASSERT_EQ(table[surface / 18], BlendByte(base, surface))
          << "base " << base << " surface " << surface;
  }
}

// A light with no colour in a channel gives a zero base there: the blend is then the surface's
// quotient itself. A base of 255 or more (a light nearer than its range) clamps every surface
// to 255. The cache fills such channels without blending, on the strength of these two.
TEST(ShadeBlend, AZeroBaseGivesTheQuotientAndABaseOf255OrMoreGives255) {
  for (int32_t surface = 0; surface < 256; ++surface) {
    EXPECT_EQ(BlendByte(0.0, surface), surface / 18) << surface;
    for (double base : {255.0, std::nextafter(255.0, 256.0), 2550.0 * 17 / 18, 1e300,
                        std::numeric_limits<double>::infinity()})
      EXPECT_EQ(BlendByte(base, surface), 255) << base << " " << surface;
  }
  // Just below 255 the surface still counts: 254.9 + 0 stays 254, + 1 clamps.
  EXPECT_EQ(BlendByte(254.9, 0), 254);
  EXPECT_EQ(BlendByte(254.9, 18), 255);
}

}  // namespace
