#include "game/item_names.h"

#include <gtest/gtest.h>

#include <iterator>

#include "tests/game/game_pools.h"

namespace {

// The name follows the record's kind id, not its index: record 10061 holds a copy of 8251.
// Ids just outside each run, the potion and the empty kind are unnamed (the empty string, never
// a null pointer), and so is any index beyond the table.
TEST(ItemName, NamesTheKindIdOfTheRecord) {
  GamePools pools;
  const uint32_t named[] = {6110, 6119, 6129, 6200, 6203, 6316, 6320, 7000, 8100,
                            8113, 8130, 8183, 8201, 8226, 8251, 8281, 8333};
  const char* const names[] = {"Dagger",
                               "Behead",
                               "Two Bladed Sword Ameliorated",
                               "Maul",
                               "War Mace",
                               "Hand Axe",
                               "Iron Ordered Battle Axe",
                               "Bag",
                               "Robe Suit",
                               "Robe Boots",
                               "Leather Suit",
                               "Studded Leather Boots",
                               "Chain Hat",
                               "Scale Greeves",
                               "Plate Helmet",
                               "Full Plate Helmet",
                               "Magic Boots"};
  for (size_t i = 0; i < std::size(named); ++i) {
    KindTable[10061].kindId = named[i];
    EXPECT_STREQ(ItemName(10061), names[i]) << named[i];
  }
  for (uint32_t kind : {0, 6109, 6130, 6204, 6315, 6321, 7100, 8114, 8144, 8240, 8334, 9000}) {
    KindTable[10061].kindId = kind;
    ASSERT_NE(ItemName(10061), static_cast<const char*>(nullptr)) << kind;
    EXPECT_STREQ(ItemName(10061), "") << kind;
  }
  EXPECT_STREQ(ItemName(static_cast<uint32_t>(KindCapacity)), "");
  EXPECT_STREQ(ItemName(0xFFFFFFFFu), "");
  // 20 swords + 4 blunt weapons + 5 axes + the bag + 8 materials x 14 pieces = 142 names.
  int withName = 0;
  for (uint32_t kindId = 0; kindId < 20000; ++kindId) withName += KindName(kindId)[0] != '\0';
  EXPECT_EQ(withName, 142);
}

}  // namespace
