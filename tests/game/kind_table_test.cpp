#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "game/game_data.h"

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

  static bool AllZero(uint32_t index) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&KindTable[index]);
    for (size_t i = 0; i < sizeof(KindRecord); ++i)
      if (bytes[i] != 0) return false;
    return true;
  }
};

// The record's fields in their order, each at its natural alignment: two bytes, picture at 2,
// kindId at 4, a byte at 8, two 16-bit fields at 10 and 12, two bytes at 14, flags 16..20,
// place 21, a byte at 22, weaponFlag 23, power 24, bonus 25, powerFloat at 28 (after two pad
// bytes), four bytes 32..35, factor 36, 6 + 2 + 5 bytes 40..52, a 16-bit field at 54, worth at
// 56, four 16-bit fields 58..65, padded to 68 for the 4-byte alignment. The same on 32-bit x86.
TEST(KindRecordLayout, FieldsSitInRecordOrder) {
  EXPECT_EQ(offsetof(KindRecord, picture), 2u);
  EXPECT_EQ(offsetof(KindRecord, kindId), 4u);
  EXPECT_EQ(offsetof(KindRecord, flags), 16u);
  EXPECT_EQ(offsetof(KindRecord, place), 21u);
  EXPECT_EQ(offsetof(KindRecord, weaponFlag), 23u);
  EXPECT_EQ(offsetof(KindRecord, power), 24u);
  EXPECT_EQ(offsetof(KindRecord, bonus), 25u);
  EXPECT_EQ(offsetof(KindRecord, powerFloat), 28u);
  EXPECT_EQ(offsetof(KindRecord, factor), 36u);
  EXPECT_EQ(offsetof(KindRecord, worth), 56u);
  EXPECT_EQ(sizeof(KindRecord), 68u);
}

TEST_F(KindTableTest, BestSwordRecord) {
  const KindRecord& sword = KindTable[6129];
  EXPECT_EQ(sword.picture, 619);
  EXPECT_EQ(sword.kindId, 6129u);
  EXPECT_EQ(sword.power, 12);
  EXPECT_EQ(sword.factor, 3.2f);
  EXPECT_EQ(sword.worth, 28000);
  EXPECT_EQ(sword.weaponFlag, 1);
  EXPECT_EQ(sword.place, 1);
  EXPECT_EQ(sword.powerFloat, 0.0f);  // only copies carry it
  const uint8_t flags[5] = {1, 0, 0, 0, 1};
  EXPECT_EQ(std::memcmp(sword.flags, flags, 5), 0);
}

TEST_F(KindTableTest, ArmourFollowsTheFamilyRule) {
  const KindRecord& helmet = KindTable[8251];  // plate, piece 1
  EXPECT_EQ(helmet.kindId, 8251u);
  EXPECT_EQ(helmet.picture, 744);
  EXPECT_EQ(helmet.place, 11);
  const uint8_t flags[5] = {1, 1, 1, 1, 1};
  EXPECT_EQ(std::memcmp(helmet.flags, flags, 5), 0);
  EXPECT_EQ(helmet.factor, 0.6f);
  EXPECT_EQ(helmet.worth, 280);
  EXPECT_EQ(helmet.weaponFlag, 0);
  EXPECT_EQ(helmet.power, 0);

  const KindRecord& boots = KindTable[8333];  // magic, piece 13
  EXPECT_EQ(boots.place, 23);
  EXPECT_EQ(boots.factor, 0.9f);  // not 0.8
  EXPECT_EQ(boots.picture, 746);
  EXPECT_EQ(boots.worth, 600);
}

TEST_F(KindTableTest, OnlyTheKindsAreFilled) {
  for (uint32_t index : {0u, 6130u, 6204u, 6315u, 7001u, 8114u, 8129u, 8334u, 9000u, 10000u})
    EXPECT_TRUE(AllZero(index)) << "record " << index;
  // 20 swords, 4 blunt weapons, 5 axes, the bag, the potion, 8 x 14 armour pieces.
  int kinds = 0;
  for (int32_t index = 0; index < KindCapacity; ++index) {
    const KindRecord& record = KindTable[index];
    if (record.picture == 0) {
      ASSERT_TRUE(AllZero(index)) << "record " << index;
      continue;
    }
    ++kinds;
    EXPECT_EQ(record.kindId, static_cast<uint32_t>(index));
  }
  EXPECT_EQ(kinds, 143);
}

TEST_F(KindTableTest, CrosswisePicturesAndTheNonWeapons) {
  EXPECT_EQ(KindTable[6319].picture, 655);
  EXPECT_EQ(KindTable[6320].picture, 654);
  EXPECT_EQ(KindTable[6320].worth, 60000);
  EXPECT_EQ(KindTable[7000].picture, 3000);
  EXPECT_EQ(KindTable[7000].weaponFlag, 0);
  EXPECT_EQ(KindTable[7000].worth, 30);
  EXPECT_EQ(KindTable[7100].picture, 682);
  EXPECT_EQ(KindTable[7100].power, 200);
  EXPECT_EQ(KindTable[7100].place, 0);
}

TEST_F(KindTableTest, CopyKindCopiesEveryByteAndSetsPowerFloat) {
  // An unnamed field of the source travels with the copy.
  KindTable[6110].unused8[3] = 77;
  CopyKind(10000, 6110);
  const KindRecord& copy = KindTable[10000];
  EXPECT_EQ(copy.kindId, 6110u);
  EXPECT_EQ(copy.picture, 600);
  EXPECT_EQ(copy.powerFloat, 1.0f);
  EXPECT_EQ(copy.unused8[3], 77);
  EXPECT_EQ(KindTable[6110].powerFloat, 0.0f);

  CopyKind(9000, 7100);  // power 200 -> 200.0
  EXPECT_EQ(KindTable[9000].powerFloat, 200.0f);
  CopyKind(7100, 7100);  // onto itself: only powerFloat changes
  EXPECT_EQ(KindTable[7100].kindId, 7100u);
  EXPECT_EQ(KindTable[7100].powerFloat, 200.0f);
}

}  // namespace
