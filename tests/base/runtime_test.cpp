#include "base/base.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// The Windows C runtime's generator after srand(1) gives 41, 18467, 6334, 26500 (worked by hand
// from state = state * 214013 + 2531011: 1 -> 2745024, whose bits 16..30 are 41).
TEST(Rand, DrawsTheWindowsRuntimeSequence) {
  Srand(1);
  EXPECT_EQ(Rand(), 41);
  EXPECT_EQ(Rand(), 18467);
  EXPECT_EQ(Rand(), 6334);
  EXPECT_EQ(Rand(), 26500);
}

TEST(Rand, StaysWithinFifteenBits) {
  Srand(0xFFFFFFFFu);
  for (int i = 0; i < 100000; ++i) {
    int value = Rand();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, RandMax);
  }
}

TEST(DoubleToInt32, TruncatesTowardZeroInRange) {
  EXPECT_EQ(DoubleToInt32(2.9), 2);
  EXPECT_EQ(DoubleToInt32(-2.9), -2);
  EXPECT_EQ(DoubleToInt32(2147483647.5), 2147483647);
  EXPECT_EQ(DoubleToInt32(-2147483648.9), INT32_MIN);
}

TEST(DoubleToInt32, YieldsIntegerIndefiniteOutsideTheRange) {
  EXPECT_EQ(DoubleToInt32(std::numeric_limits<double>::infinity()), INT32_MIN);
  EXPECT_EQ(DoubleToInt32(-std::numeric_limits<double>::infinity()), INT32_MIN);
  EXPECT_EQ(DoubleToInt32(std::nan("")), INT32_MIN);
  EXPECT_EQ(DoubleToInt32(2147483648.0), INT32_MIN);
  EXPECT_EQ(DoubleToInt32(-2147483649.0), INT32_MIN);
}

TEST(StringCompareNoCase, IgnoresCaseOfLettersOnly) {
  EXPECT_EQ(StringCompareNoCase("ENV4BLOCK", "env4block"), 0);
  EXPECT_NE(StringCompareNoCase("env4block", "env4blocks"), 0);
  EXPECT_LT(StringCompareNoCase("a", "B"), 0);
  EXPECT_NE(StringCompareNoCase("[", "{"), 0);
}

#ifdef _WIN32
#include <cstdlib>

// Where the Windows C runtime is at hand, the program's generator must match it draw for draw.
TEST(Rand, MatchesTheWindowsRuntime) {
  for (unsigned seed : {0u, 1u, 2u, 12345u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    Srand(seed);
    std::srand(seed);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(Rand(), std::rand()) << "seed " << seed;
  }
}
#endif
