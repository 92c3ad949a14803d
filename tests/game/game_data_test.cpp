#include "game/game_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "frame/frame.h"
#include "shell/shell.h"
#include "tests/textures/bmp_test_files.h"

using namespace bmp_test;

namespace {

// One start-up of the game data for the whole group: it is large and slow to build. It runs in
// an empty scratch folder, so every picture open fails without leaving files behind.
class GameData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = std::make_unique<ScratchFolder>();
    WorkingDirectory inFolder(folder->path());
    SetRenderSize(320, 240);
    InitGameData();
  }
  static void TearDownTestSuite() {
    ReleaseGameData();
    folder.reset();
  }

  template <typename T>
  static bool AllBytesZero(const T* block, size_t count) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(block);
    uint8_t any = 0;
    for (size_t i = 0; i < count * sizeof(T); ++i) any |= bytes[i];
    return any == 0;
  }

  static std::unique_ptr<ScratchFolder> folder;
};
std::unique_ptr<ScratchFolder> GameData::folder;

TEST_F(GameData, GridsAndRoomRecordsStartEmpty) {
  size_t cells = 256u * 256u * 180u;
  ASSERT_NE(WorldGrid, nullptr);
  ASSERT_NE(OverlayGrid, nullptr);
  EXPECT_TRUE(AllBytesZero(WorldGrid, cells));
  EXPECT_TRUE(AllBytesZero(OverlayGrid, cells));
  ASSERT_NE(RoomTable, nullptr);
  EXPECT_TRUE(AllBytesZero(RoomTable, 1080000));
  ASSERT_NE(HeightMap, nullptr);
  // Written at both ends: a pool one byte short shows up under the address sanitizer.
  HeightMap[257 * 257 - 1] = 1;
  WorldGrid[cells - 1] = 0;
  RoomScratch[30 * 30 - 1] = 0;
  FirstRoomOfLevel[180] = 0;
  EndRoomOfLevel[180] = 0;
}

TEST_F(GameData, OnlyThePlayerStandsAtTheCentreOfItsCell) {
  ASSERT_NE(UnitTable, nullptr);
  EXPECT_EQ(UnitTable[1].fx, 0.5f);
  EXPECT_EQ(UnitTable[1].fy, 0.5f);
  EXPECT_EQ(UnitTable[1].fz, 0.5f);
  for (int32_t unit = 0; unit < UnitCapacity; ++unit) {
    if (unit == 1) continue;
    ASSERT_EQ(UnitTable[unit].fx, 0.0f) << unit;
    ASSERT_EQ(UnitTable[unit].fy, 0.0f) << unit;
    ASSERT_EQ(UnitTable[unit].fz, 0.0f) << unit;
  }
}

TEST_F(GameData, NoUnitHasAPath) {
  const PathSearch& state = *PathSearchState;
  for (int32_t unit = 0; unit < UnitCapacity; ++unit) {
    ASSERT_EQ(state.lastPathStep[unit], -9) << unit;
    ASSERT_EQ(state.unitWorkD[unit], 0u) << unit;
  }
  EXPECT_EQ(state.neighbourOrder, 0u);
  EXPECT_EQ(state.stepX[0], 0);
  EXPECT_EQ(state.stepY[0], 1);
  EXPECT_EQ(state.stepCost[1], 1.4142f);
  EXPECT_EQ(state.byteFlag, 0);
}

TEST_F(GameData, TerrainCosts) {
  EXPECT_EQ(TerrainCost[10], 3.0f);  // plain
  EXPECT_EQ(TerrainCost[11], 9.0f);  // forest
  EXPECT_EQ(TerrainCost[19], 300.0f);
  EXPECT_EQ(TerrainCost[22], 1.0f);     // road
  EXPECT_EQ(TerrainCost[23], 3.0f);     // not listed
  EXPECT_EQ(TerrainCost[60], 3.0f);     // '<', dungeon floor
  EXPECT_EQ(TerrainCost[61], 3000.0f);  // '=', rock
  EXPECT_EQ(TerrainCost[82], 20.0f);    // 'R', trap
  EXPECT_EQ(TerrainCost[180], 180.0f);  // villages 180 to 184
  EXPECT_EQ(TerrainCost[184], 180.0f);
  EXPECT_EQ(TerrainCost[185], 3.0f);
  EXPECT_EQ(TerrainCost[255], 3.0f);
}

// Entry 90000 is 90 degrees with pi taken as 3.141592653: x = 1.5707963265, 2.9e-10 short of a
// right angle, so its sine is 1 - 4.3e-20, which rounds to 1.0f. Entry 30000: x falls 9.8e-11
// short of pi / 6, sine 0.5 - 8.5e-11, far within half the float spacing below 0.5 (1.5e-8).
// Entry 60000 falls 2.0e-10 short of pi / 3: cosine 0.5 + 1.7e-10, which rounds to 0.5 too.
TEST_F(GameData, TrigTableLandmarks) {
  EXPECT_EQ(SineTable[90000], 1.0f);
  EXPECT_EQ(CosineTable[0], 1.0f);
  EXPECT_EQ(SineTable[0], 0.0f);
  EXPECT_EQ(SineTable[30000], 0.5f);
  EXPECT_EQ(CosineTable[60000], 0.5f);
  // cos of 90000 is the residue 2.9e-10 itself, not 0.
  EXPECT_GT(CosineTable[90000], 2.9e-10f);
  EXPECT_LT(CosineTable[90000], 3.0e-10f);
  // Entry 180000: sin(3.141592653) = 5.9e-10, a positive residue too.
  EXPECT_GT(SineTable[180000], 0.0f);
}

// The tables are built the fast way; this compares every entry with the plain definition.
TEST_F(GameData, TrigTablesEqualSinAndCosOfEveryEntry) {
  int mismatches = 0;
  for (float a = 0; a < 3600000; a += 1) {
    double x = a * 0.017453292516666667 / 1000.0;
    int index = static_cast<int>(a);
    if (SineTable[index] != static_cast<float>(std::sin(x)) ||
        CosineTable[index] != static_cast<float>(std::cos(x))) {
      if (++mismatches <= 5) ADD_FAILURE() << "entry " << index;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(GameData, SecondTrigBuildLeavesBothTablesAlone) {
  float* sine = SineTable;
  float* cosine = CosineTable;
  float savedSine = SineTable[5], savedCosine = CosineTable[7];
  SineTable[5] = 42.0f;
  CosineTable[7] = -42.0f;
  InitTrigTables();
  EXPECT_EQ(SineTable, sine);
  EXPECT_EQ(CosineTable, cosine);
  EXPECT_EQ(SineTable[5], 42.0f);
  EXPECT_EQ(CosineTable[7], -42.0f);
  SineTable[5] = savedSine;
  CosineTable[7] = savedCosine;
}

TEST_F(GameData, KindTableAndDerivedRecords) {
  EXPECT_EQ(KindTable[6129].picture, 619);
  const uint32_t derived[][2] = {
      {9000, 6110}, {9001, 6111}, {9002, 6200}, {9003, 6316}, {10000, 6110}};
  for (const auto& pair : derived) {
    const KindRecord& copy = KindTable[pair[0]];
    EXPECT_EQ(copy.kindId, pair[1]) << pair[0];
    EXPECT_EQ(copy.picture, KindTable[pair[1]].picture) << pair[0];
    EXPECT_EQ(copy.powerFloat, static_cast<float>(KindTable[pair[1]].power)) << pair[0];
  }
  EXPECT_EQ(KindTable[10000].picture, 600);
  EXPECT_EQ(KindTable[10000].powerFloat, 1.0f);
  EXPECT_EQ(KindTable[9003].powerFloat, 2.0f);  // axe 6316, power 2
  EXPECT_EQ(KindTable[6110].powerFloat, 0.0f);
  EXPECT_EQ(KindTable[10001].picture, 0);
}

// ---- Neighbour orders, on a record of their own -------------------------------------------

TEST(NeighbourOrder, OrderFiveStartsDiagonalAndEndsStraight) {
  PathSearch state{};
  SetNeighbourOrder(&state, 5);
  EXPECT_EQ(state.neighbourOrder, 5u);
  EXPECT_EQ(state.stepX[0], 1);
  EXPECT_EQ(state.stepY[0], -1);
  EXPECT_EQ(state.stepCost[0], 1.4142f);
  EXPECT_NE(state.stepCost[0], static_cast<float>(std::sqrt(2.0)));
  EXPECT_EQ(state.stepX[7], 1);
  EXPECT_EQ(state.stepY[7], 0);
  EXPECT_EQ(state.stepCost[7], 1.0f);
}

// Every order visits the eight neighbours once, diagonals at 1.4142; an odd order walks its even
// partner backwards.
TEST(NeighbourOrder, EveryOrderVisitsAllEightNeighboursOnceAndOddOnesRunBackwards) {
  for (uint32_t order = 0; order < 8; ++order) {
    PathSearch state{}, partner{};
    SetNeighbourOrder(&state, order);
    SetNeighbourOrder(&partner, order ^ 1);
    int seen[3][3] = {};
    for (int k = 0; k < 8; ++k) {
      int x = state.stepX[k], y = state.stepY[k];
      ASSERT_TRUE(x >= -1 && x <= 1 && y >= -1 && y <= 1 && (x != 0 || y != 0)) << order;
      seen[y + 1][x + 1] += 1;
      EXPECT_EQ(state.stepCost[k], x != 0 && y != 0 ? 1.4142f : 1.0f);
      EXPECT_TRUE(partner.stepX[7 - k] == x && partner.stepY[7 - k] == y) << order << " " << k;
    }
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(seen[y][x], x != 1 || y != 1) << order;
  }
}

TEST(NeighbourOrder, UnknownOrderIsStoredAndLeavesTheSteps) {
  PathSearch state{};
  SetNeighbourOrder(&state, 3);
  PathSearch before = state;
  SetNeighbourOrder(&state, 8);
  EXPECT_EQ(state.neighbourOrder, 8u);
  EXPECT_EQ(std::memcmp(state.stepX, before.stepX, sizeof state.stepX), 0);
  EXPECT_EQ(std::memcmp(state.stepY, before.stepY, sizeof state.stepY), 0);
  EXPECT_EQ(std::memcmp(state.stepCost, before.stepCost, sizeof state.stepCost), 0);
}

}  // namespace
