#include "game/unit_names.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/game/game_pools.h"
#include "tests/support/windows_rand.h"

namespace {

class UnitNameTest : public ::testing::Test {
 protected:
  void SetUp() override { std::strcpy(NameBuffer, "untouched"); }
  static void Store(uint32_t unit, uint16_t prefix, uint16_t middle, uint16_t suffix) {
    UnitTable[unit].prefix = prefix;
    UnitTable[unit].middle = middle;
    UnitTable[unit].suffix = suffix;
  }
  GamePools pools;
};

// srand(1) draws 41, 18467, 6334: prefix 41 % 76 = 41 "K", middle 18467 % 39 = 20 "erra",
// suffix 6334 % 54 = 16 "g". A unit beyond the table is not named and draws nothing.
TEST_F(UnitNameTest, DrawsPrefixMiddleSuffixInOrder) {
  Srand(1);
  AssignUnitName(1);
  UnitName(1);
  EXPECT_STREQ(NameBuffer, "Kerrag");
  EXPECT_EQ(RandState, StateAfter(1, 3));
  AssignUnitName(static_cast<uint32_t>(UnitCapacity));
  EXPECT_EQ(RandState, StateAfter(1, 3));
}

// A triple that any unit holds, the last of the table included, is
// drawn again: seed 99's first triple held by unit 2999 makes unit 5 take the second.
TEST_F(UnitNameTest, RedrawsATripleThatAnyUnitHolds) {
  WindowsRand model{99};
  uint16_t first[3] = {static_cast<uint16_t>(model.Next() % 76),
                       static_cast<uint16_t>(model.Next() % 39),
                       static_cast<uint16_t>(model.Next() % 54)};
  Store(2999, first[0], first[1], first[2]);
  Srand(99);
  AssignUnitName(5);
  EXPECT_FALSE(UnitTable[5].prefix == first[0] && UnitTable[5].middle == first[1] &&
               UnitTable[5].suffix == first[2]);
  EXPECT_EQ(RandState, StateAfter(99, 6));
}

// The names `names --seed 12345 --count 6` prints, worked out with a separate model of the
// generator and the syllable tables (outside this program).
TEST_F(UnitNameTest, SeedCatalog) {
  Srand(12345);
  const char* expected[6] = {"Serildan", "Adwelak", "Kohahar", "Ziabaen", "Wicardol", "Cardodan"};
  for (uint32_t unit = 1; unit <= 6; ++unit) {
    AssignUnitName(unit);
    UnitName(unit);
    EXPECT_STREQ(NameBuffer, expected[unit - 1]) << unit;
  }
}

}  // namespace
