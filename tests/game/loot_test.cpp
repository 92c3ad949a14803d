#include "game/loot.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/game/game_pools.h"
#include "tests/support/windows_rand.h"

namespace {

class LootTest : public ::testing::Test {
 protected:
  void SetUp() override { FillKindTable(); }
  static const KindRecord& Slot(int32_t container, int32_t slot) {
    return KindTable[10000 + container * 60 + slot];
  }
  GamePools pools;
};

// Every tier, seeds 0 to 59, three calls each into an empty container: the kind ids of its 45
// slots and the generator's state after them. Recorded at commit 188ec20, where the same sweep
// through a model of the roll table written in the test (each tier's five rolls, the armour
// piece drawn after the free-slot search) gave the same hash and matched every call's contents;
// the model was removed in the commit after.
TEST_F(LootTest, SweepOfEveryTierGivesTheCheckedContents) {
  uint64_t hash = Fnv1a64Basis;
  for (int tier = 1; tier <= 12; ++tier)
    for (uint32_t seed = 0; seed < 60; ++seed) {
      std::memset(&KindTable[10000 + 60 * 60], 0, 60 * sizeof(KindRecord));
      Srand(seed);
      for (int call = 0; call < 3; ++call) GenerateLoot(tier, 60);
      std::vector<uint32_t> contents;  // the kind ids of the slots, 0 for a free slot
      for (int32_t slot = 0; slot < 45; ++slot)
        contents.push_back(Slot(60, slot).picture ? Slot(60, slot).kindId : 0);
      hash = Fnv1a64(contents.data(), contents.size() * 4, hash);
      hash = Fnv1a64(&RandState, 4, hash);
    }
  EXPECT_EQ(hash, 0xF22416FAE13C330Dull);
}

// Records 45 to 59 of a container never take items; a full container, tiers outside 1 to 12
// and containers outside the table receive nothing, and a roll naming armour then draws no
// piece number.
TEST_F(LootTest, FullContainersOtherTiersAndContainersOutsideTheTableReceiveNothing) {
  for (int32_t slot = 0; slot < 45; ++slot) KindTable[10000 + 9 * 60 + slot].picture = 1;
  EXPECT_EQ(FindFreeLootSlot(9), -1);
  EXPECT_EQ(FindFreeLootSlot(3665), 0);  // its last record is the table's last
  for (int32_t container : {3666, -1, INT32_MIN}) EXPECT_EQ(FindFreeLootSlot(container), -1);
  Srand(1);  // roll 2 at tier 1: a Robe piece, but no slot
  GenerateLoot(1, 3666);
  GenerateLoot(1, -1);
  EXPECT_EQ(RandState, StateAfter(1, 2));
  for (int32_t tier : {0, 13, -1, INT32_MIN, INT32_MAX}) {
    Srand(77);
    GenerateLoot(tier, 4);
    EXPECT_EQ(RandState, 77u) << tier;
  }
}

}  // namespace
