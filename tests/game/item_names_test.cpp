#include "game/item_names.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/game_data.h"

namespace {

// A zeroed KindTable of full size, owned by the test: records get only the kind ids they need.
class ItemNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedTable = KindTable;
    KindTable = static_cast<KindRecord*>(std::calloc(KindCapacity, sizeof(KindRecord)));
  }
  void TearDown() override {
    std::free(KindTable);
    KindTable = savedTable;
  }
  // The name of a record that holds `kindId`, written where that kind lives in the table.
  std::string NameOfKind(uint32_t kindId) {
    KindTable[kindId].kindId = kindId;
    return ItemName(kindId);
  }
  KindRecord* savedTable = nullptr;
};

TEST_F(ItemNameTest, NamesWeaponsBagAndArmourExactly) {
  EXPECT_EQ(NameOfKind(6110), "Dagger");
  EXPECT_EQ(NameOfKind(6119), "Behead");
  EXPECT_EQ(NameOfKind(6129), "Two Bladed Sword Ameliorated");
  EXPECT_EQ(NameOfKind(6200), "Maul");
  EXPECT_EQ(NameOfKind(6203), "War Mace");
  EXPECT_EQ(NameOfKind(6316), "Hand Axe");
  EXPECT_EQ(NameOfKind(6320), "Iron Ordered Battle Axe");
  EXPECT_EQ(NameOfKind(7000), "Bag");
  EXPECT_EQ(NameOfKind(8100), "Robe Suit");
  EXPECT_EQ(NameOfKind(8113), "Robe Boots");
  EXPECT_EQ(NameOfKind(8130), "Leather Suit");
  EXPECT_EQ(NameOfKind(8183), "Studded Leather Boots");
  EXPECT_EQ(NameOfKind(8201), "Chain Hat");
  EXPECT_EQ(NameOfKind(8221), "Scale Hat");
  EXPECT_EQ(NameOfKind(8226), "Scale Greeves");
  EXPECT_EQ(NameOfKind(8251), "Plate Helmet");
  EXPECT_EQ(NameOfKind(8281), "Full Plate Helmet");
  EXPECT_EQ(NameOfKind(8321), "Magic Helmet");
  EXPECT_EQ(NameOfKind(8333), "Magic Boots");
}

// Ids just outside each run, between the armour blocks, the potion (which has no name) and the
// empty kind all give the empty string, never a null pointer.
TEST_F(ItemNameTest, UnlistedKindIdsGiveTheEmptyString) {
  for (uint32_t kindId :
       {0u,    6109u, 6130u, 6199u, 6204u, 6315u, 6321u, 6999u, 7001u, 7100u, 8099u,
        8114u, 8129u, 8144u, 8169u, 8184u, 8214u, 8240u, 8264u, 8319u, 8334u, 9000u}) {
    KindTable[kindId].kindId = kindId;
    const char* name = ItemName(kindId);
    ASSERT_NE(name, nullptr) << kindId;
    EXPECT_STREQ(name, "") << kindId;
  }
}

// The name follows the record's kind id, not its index: a container slot holding a copy of
// kind 8251 is a Plate Helmet, and a zeroed record anywhere is unnamed.
TEST_F(ItemNameTest, ReadsTheKindIdOfTheRecord) {
  KindTable[10061].kindId = 8251;
  EXPECT_STREQ(ItemName(10061), "Plate Helmet");
  EXPECT_STREQ(ItemName(8251), "");  // record 8251 is still zero here
}

TEST_F(ItemNameTest, IndexBeyondTheTableNamesNothing) {
  EXPECT_STREQ(ItemName(static_cast<uint32_t>(KindCapacity)), "");
  EXPECT_STREQ(ItemName(0xFFFFFFFFu), "");
  KindTable[KindCapacity - 1].kindId = 7000;
  EXPECT_STREQ(ItemName(static_cast<uint32_t>(KindCapacity - 1)), "Bag");
}

// 20 swords + 4 blunt weapons + 5 axes + the bag + 8 materials x 14 pieces = 142 names.
TEST(KindName, NamesExactlyTheListedKinds) {
  int named = 0;
  for (uint32_t kindId = 0; kindId < 20000; ++kindId)
    if (KindName(kindId)[0] != '\0') ++named;
  EXPECT_EQ(named, 142);
  EXPECT_STREQ(KindName(0xFFFFFFFFu), "");
}

}  // namespace
