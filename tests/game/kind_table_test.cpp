#include <gtest/gtest.h>

#include <cstdlib>

#include "game/game_data.h"
#include "tests/game/game_pools.h"

namespace {

class KindTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KindTable = static_cast<KindRecord*>(std::calloc(KindCapacity, sizeof(KindRecord)));
    FillKindTable();
  }
  void TearDown() override {
    std::free(KindTable);
    KindTable = nullptr;
  }
};

// The hash of records 0 to 9,999 was computed outside the program from the item kinds as the
// game's design lists them: each of the 31 weapon, bag and potion records and the 112 armour
// records (eight families of 14, by the family rule) written byte by byte at the documented
// offsets of the 68-byte record, everything else 0. FillKindTable matched it when it was
// recorded. The rows below are the ones that carry a rule of their own.
TEST_F(KindTableTest, RecordsAreTheCheckedTableWithItsDistinctiveRows) {
  EXPECT_EQ(Fnv1a(KindTable, 10000 * sizeof(KindRecord)), 0xD91515336E93FC56ull);

  const KindRecord& sword = KindTable[6129];  // the best sword; powerFloat only in copies
  EXPECT_EQ(sword.picture, 619);
  EXPECT_EQ(sword.power, 12);
  EXPECT_EQ(sword.factor, 3.2f);
  EXPECT_EQ(sword.worth, 28000);
  EXPECT_EQ(sword.powerFloat, 0.0f);
  EXPECT_EQ(KindTable[6319].picture, 655);  // the two best axes show their pictures crosswise
  EXPECT_EQ(KindTable[6320].picture, 654);
  EXPECT_EQ(KindTable[7100].power, 200);    // the potion
  EXPECT_EQ(KindTable[8251].place, 11);     // plate helmet: armour piece p is worn at 10 + p
  EXPECT_EQ(KindTable[8333].factor, 0.9f);  // magic boots: 0.9, not 0.8
  int kinds = 0;
  for (int32_t index = 0; index < KindCapacity; ++index) {
    if (KindTable[index].picture == 0) continue;
    ++kinds;
    EXPECT_EQ(KindTable[index].kindId, static_cast<uint32_t>(index));
  }
  EXPECT_EQ(kinds, 143);
}

TEST_F(KindTableTest, CopyKindCopiesEveryByteAndSetsPowerFloat) {
  KindTable[6110].unused8[3] = 77;  // an unnamed field travels with the copy
  CopyKind(10000, 6110);
  EXPECT_EQ(KindTable[10000].kindId, 6110u);
  EXPECT_EQ(KindTable[10000].picture, 600);
  EXPECT_EQ(KindTable[10000].powerFloat, 1.0f);
  EXPECT_EQ(KindTable[10000].unused8[3], 77);
  EXPECT_EQ(KindTable[6110].powerFloat, 0.0f);
  CopyKind(7100, 7100);  // onto itself: only powerFloat changes
  EXPECT_EQ(KindTable[7100].kindId, 7100u);
  EXPECT_EQ(KindTable[7100].powerFloat, 200.0f);
}

}  // namespace
