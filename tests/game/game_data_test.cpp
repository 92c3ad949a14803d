#include "game/game_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "frame/frame.h"
#include "game/console.h"
#include "shell/shell.h"
#include "tests/game/game_pools.h"
#include "tests/support/scratch_folder.h"

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
  static bool AllZero(const void* block, size_t size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(block);
    uint8_t any = 0;
    for (size_t i = 0; i < size; ++i) any |= bytes[i];
    return any == 0;
  }
  static std::unique_ptr<ScratchFolder> folder;
};
std::unique_ptr<ScratchFolder> GameData::folder;

TEST_F(GameData, PoolsStartEmptyWithoutPathsAndOnlyThePlayerCentred) {
  size_t cells = 256u * 256u * 180u;
  EXPECT_TRUE(AllZero(WorldGrid, cells));
  EXPECT_TRUE(AllZero(OverlayGrid, cells));
  EXPECT_TRUE(AllZero(RoomTable, 1080000 * sizeof(RoomRecord)));
  // Written at both ends: a pool one byte short shows up under the address sanitizer.
  HeightMap[257 * 257 - 1] = WorldGrid[cells - 1] = RoomScratch[30 * 30 - 1] = 0;
  FirstRoomOfLevel[180] = EndRoomOfLevel[180] = 0;
  for (int32_t unit = 0; unit < UnitCapacity; ++unit) {
    float centre = unit == 1 ? 0.5f : 0.0f;
    ASSERT_EQ(UnitTable[unit].fx, centre) << unit;
    ASSERT_EQ(UnitTable[unit].fy, centre) << unit;
    ASSERT_EQ(UnitTable[unit].fz, centre) << unit;
    ASSERT_EQ(PathSearchState->lastPathStep[unit], -9) << unit;
    ASSERT_EQ(PathSearchState->unitWorkD[unit], 0u) << unit;
  }
  EXPECT_EQ(PathSearchState->neighbourOrder, 0u);
  EXPECT_EQ(PathSearchState->stepY[0], 1);
  EXPECT_NE(ConsoleTokens, nullptr);
  EXPECT_EQ(TerrainCost['='], 3000.0f);
  // The kinds, and the records derived from them: 10000 and 9000 from 6110, 9001 from 6111,
  // 9002 from 6200, 9003 from 6316, each with its power as a float.
  EXPECT_EQ(KindTable[6129].picture, 619);
  const uint32_t derived[][3] = {
      {10000, 6110, 1}, {9000, 6110, 1}, {9001, 6111, 2}, {9002, 6200, 3}, {9003, 6316, 2}};
  for (const auto& [copy, kind, power] : derived) {
    EXPECT_EQ(KindTable[copy].kindId, kind) << copy;
    EXPECT_EQ(KindTable[copy].picture, KindTable[kind].picture) << copy;
    EXPECT_EQ(KindTable[copy].powerFloat, static_cast<float>(power)) << copy;
  }
  EXPECT_EQ(KindTable[10001].picture, 0);
}

// Entry a holds sin and cos of a thousandths of a degree, with the degree taken as
// 0.017453292516666667 radians; the tables are built the fast way and must equal the plain
// definition in every entry. A second build leaves them alone.
TEST_F(GameData, TrigTablesEqualSinAndCosOfEveryEntryAndAreBuiltOnce) {
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
  EXPECT_EQ(SineTable[90000], 1.0f);

  float* sine = SineTable;
  float saved = SineTable[5];
  SineTable[5] = 42.0f;
  InitTrigTables();
  EXPECT_EQ(SineTable, sine);
  EXPECT_EQ(SineTable[5], 42.0f);
  SineTable[5] = saved;
}

// The hash of all 256 costs was computed outside the program from the cost table of the game's
// design (3.0 for every code not listed) and matched InitTerrainCosts when it was recorded.
TEST(TerrainCosts, AreTheCheckedTableWithThreeForEveryCodeNotListed) {
  InitTerrainCosts();
  EXPECT_EQ(Fnv1a(TerrainCost, sizeof TerrainCost), 0x186824206EF3B2D3ull);
  for (int code : {10, 23, 60, 185, 255}) EXPECT_EQ(TerrainCost[code], 3.0f) << code;
  EXPECT_EQ(TerrainCost[19], 300.0f);   // mountain; 60 above is the dungeon floor '<'
  EXPECT_EQ(TerrainCost[180], 180.0f);  // villages, 180 to 184
  EXPECT_EQ(TerrainCost[184], 180.0f);
}

// The hash of the eight orders (x, y and cost of each slot, as 32-bit values) was computed
// outside the program from the order table of the game's design and matched SetNeighbourOrder
// when it was recorded. Diagonals cost 1.4142, not the square root of 2; odd orders walk their
// even partner backwards; an unknown order is stored and leaves the steps.
TEST(NeighbourOrder, OrdersAreTheCheckedTable) {
  PathSearch state{};
  uint64_t hash = Fnv1a(nullptr, 0);
  for (uint32_t order = 0; order < 8; ++order) {
    SetNeighbourOrder(&state, order);
    EXPECT_EQ(state.neighbourOrder, order);
    for (int k = 0; k < 8; ++k) {
      hash = Fnv1a(&state.stepX[k], 4, hash);
      hash = Fnv1a(&state.stepY[k], 4, hash);
      hash = Fnv1a(&state.stepCost[k], 4, hash);
    }
  }
  EXPECT_EQ(hash, 0x598A41B6094E5C25ull);
  SetNeighbourOrder(&state, 5);
  EXPECT_EQ(state.stepCost[0], 1.4142f);
  EXPECT_NE(state.stepCost[0], static_cast<float>(std::sqrt(2.0)));
  PathSearch before = state;
  SetNeighbourOrder(&state, 8);
  EXPECT_EQ(state.neighbourOrder, 8u);
  EXPECT_EQ(std::memcmp(state.stepX, before.stepX, sizeof state.stepX), 0);
  EXPECT_EQ(std::memcmp(state.stepCost, before.stepCost, sizeof state.stepCost), 0);
}

}  // namespace
