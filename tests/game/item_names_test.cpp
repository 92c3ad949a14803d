#include "game/item_names.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/game_data.h"
#include "tests/support/saved_globals.h"

namespace {

// The name follows the record's kind id, not its index: record 10061 holds a copy of 8251.
// Ids just outside each run, the potion and the empty kind are unnamed (the empty string, never
// a null pointer), and so is any index beyond the table.
TEST(ItemName, NamesTheKindIdOfTheRecord) {
  SavedGlobals saved;
  saved.Save(KindTable);
  KindTable = static_cast<KindRecord*>(std::calloc(KindCapacity, sizeof(KindRecord)));
  const std::pair<uint32_t, const char*> names[] = {{6110, "Dagger"},
                                                    {6119, "Behead"},
                                                    {6129, "Two Bladed Sword Ameliorated"},
                                                    {6200, "Maul"},
                                                    {6203, "War Mace"},
                                                    {6316, "Hand Axe"},
                                                    {6320, "Iron Ordered Battle Axe"},
                                                    {7000, "Bag"},
                                                    {8100, "Robe Suit"},
                                                    {8113, "Robe Boots"},
                                                    {8130, "Leather Suit"},
                                                    {8183, "Studded Leather Boots"},
                                                    {8201, "Chain Hat"},
                                                    {8226, "Scale Greeves"},
                                                    {8251, "Plate Helmet"},
                                                    {8281, "Full Plate Helmet"},
                                                    {8333, "Magic Boots"},
                                                    {0, ""},
                                                    {6109, ""},
                                                    {6130, ""},
                                                    {6204, ""},
                                                    {6315, ""},
                                                    {6321, ""},
                                                    {7100, ""},
                                                    {8114, ""},
                                                    {8144, ""},
                                                    {8240, ""},
                                                    {8334, ""},
                                                    {9000, ""}};
  for (const auto& [kind, name] : names) {
    KindTable[10061].kindId = kind;
    const char* got = ItemName(10061);
    ASSERT_NE(got, nullptr) << kind;
    EXPECT_STREQ(got, name) << kind;
  }
  EXPECT_STREQ(ItemName(8251), "");  // record 8251 is zero here
  EXPECT_STREQ(ItemName(static_cast<uint32_t>(KindCapacity)), "");
  EXPECT_STREQ(ItemName(0xFFFFFFFFu), "");
  std::free(KindTable);
  saved.Restore();
  // 20 swords + 4 blunt weapons + 5 axes + the bag + 8 materials x 14 pieces = 142 names.
  int named = 0;
  for (uint32_t kindId = 0; kindId < 20000; ++kindId) named += KindName(kindId)[0] != '\0';
  EXPECT_EQ(named, 142);
}

}  // namespace
