#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/base.h"

// The Windows C runtime's generator after srand(1) gives 41, 18467, 6334, 26500 (worked by hand
// from state = state * 214013 + 2531011: 1 -> 2745024, whose bits 16..30 are 41); from the
// largest seed it stays within 15 bits.
TEST(Rand, DrawsTheWindowsRuntimeSequenceWithinFifteenBits) {
  Srand(1);
  for (int expected : {41, 18467, 6334, 26500}) EXPECT_EQ(Rand(), expected);
  Srand(0xFFFFFFFFu);
  for (int i = 0, value = 0; i < 100000; ++i)
    ASSERT_TRUE((value = Rand()) >= 0 && value <= RandMax);
}

// Truncation toward zero in range; the integer indefinite (INT32_MIN) outside it and for NaN.
TEST(DoubleToInt32, TruncatesInRangeAndGivesIntegerIndefiniteOutside) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    int32_t expected;
  } cases[] = {// clang-format off
      {2.9, 2}, {-2.9, -2}, {2147483647.5, INT32_MAX}, {-2147483648.9, INT32_MIN},
      {inf, INT32_MIN}, {-inf, INT32_MIN}, {std::nan(""), INT32_MIN}, {2147483648.0, INT32_MIN},
      {-2147483649.0, INT32_MIN}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(DoubleToInt32(c.value), c.expected) << c.value;
}

TEST(StringCompareNoCase, IgnoresCaseOfLettersOnly) {
  EXPECT_EQ(StringCompareNoCase("ENV4BLOCKAZ", "env4blockaz"), 0);
  EXPECT_EQ(StringCompareNoCase("env4blockaz", "ENV4BLOCKAZ"), 0);
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
