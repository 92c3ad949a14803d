#include <gtest/gtest.h>

#include "tests/game/game_pools.h"

// The hash of records 0 to 9,999 was computed outside the program from the item kinds as the
// game's design lists them: each of the 31 weapon, bag and potion records and the 112 armour
// records (eight families of 14, by the family rule) written byte by byte at the documented
// offsets of the 68-byte record, everything else 0. FillKindTable matched it when it was
// recorded. The rows below carry a rule of their own. A copy takes every byte, the unnamed
// fields too, and only then its power as a float.
TEST(KindTable, RecordsAreTheCheckedTableAndCopiesCarryEveryByte) {
  GamePools pools;
  FillKindTable();
  EXPECT_EQ(Fnv1a64(KindTable, 10000 * sizeof(KindRecord)), 0xD91515336E93FC56ull);
  EXPECT_EQ(KindTable[6319].picture, 655);  // the two best axes show their pictures crosswise
  EXPECT_EQ(KindTable[6320].picture, 654);
  EXPECT_EQ(KindTable[8251].place, 11);     // plate helmet: armour piece p is worn at 10 + p
  EXPECT_EQ(KindTable[8333].factor, 0.9f);  // magic boots: 0.9, not 0.8

  KindTable[6110].unused8[3] = 77;
  CopyKind(10000, 6110);
  EXPECT_EQ(KindTable[10000].kindId, 6110u);
  EXPECT_EQ(KindTable[10000].powerFloat, 1.0f);
  EXPECT_EQ(KindTable[10000].unused8[3], 77);
  EXPECT_EQ(KindTable[6110].powerFloat, 0.0f);
}
