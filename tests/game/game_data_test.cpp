#include "game/game_data.h"

#include <gtest/gtest.h>

#include "shell/shell.h"
#include "tests/game/game_pools.h"
#include "tests/support/scratch_folder.h"

// One start-up of the game data, in an empty scratch folder so that every picture open fails.
// Only the player starts centred in its cell, and no unit has a path; the
// records derived from the kinds carry their kind's picture and power as a float.
TEST(GameData, StartUpFillsThePoolsAndTables) {
  ScratchFolder folder;
  {
    WorkingDirectory inFolder(folder.path());
    SetRenderSize(320, 240);
    InitGameData();
  }
  for (int32_t unit = 0; unit < UnitCapacity; ++unit) {
    float centre = unit == 1 ? 0.5f : 0.0f;
    ASSERT_EQ(UnitTable[unit].fx + UnitTable[unit].fy + UnitTable[unit].fz, 3 * centre) << unit;
    ASSERT_EQ(PathSearchState->lastPathStep[unit], -9) << unit;
  }
  const uint32_t derived[][3] = {
      {10000, 6110, 1}, {9000, 6110, 1}, {9001, 6111, 2}, {9002, 6200, 3}, {9003, 6316, 2}};
  for (const auto& [copy, kind, power] : derived) {
    EXPECT_EQ(KindTable[copy].kindId, kind) << copy;
    EXPECT_EQ(KindTable[copy].picture, KindTable[kind].picture) << copy;
    EXPECT_EQ(KindTable[copy].powerFloat, static_cast<float>(power)) << copy;
  }
  ReleaseGameData();
}

// The hash of all 256 costs was computed outside the program from the cost table of the game's
// design (3.0 for every code not listed) and matched InitTerrainCosts when it was recorded.
TEST(TerrainCosts, AreTheCheckedTable) {
  InitTerrainCosts();
  EXPECT_EQ(Fnv1a64(TerrainCost, sizeof TerrainCost), 0x186824206EF3B2D3ull);
  EXPECT_EQ(TerrainCost[16], 28.0f);  // the swamp
  EXPECT_EQ(TerrainCost[185], 3.0f);
}

// The hash of the eight orders (x, y and cost of each slot, as 32-bit values) was computed
// outside the program from the order table of the game's design and matched SetNeighbourOrder
// when it was recorded. Diagonals cost 1.4142, not the square root of 2.
TEST(NeighbourOrder, OrdersAreTheCheckedTable) {
  PathSearch state{};
  uint64_t hash = Fnv1a64Basis;
  for (uint32_t order = 0; order < 8; ++order) {
    SetNeighbourOrder(&state, order);
    for (int k = 0; k < 8; ++k) {
      hash = Fnv1a64(&state.stepX[k], 4, hash);
      hash = Fnv1a64(&state.stepY[k], 4, hash);
      hash = Fnv1a64(&state.stepCost[k], 4, hash);
    }
  }
  EXPECT_EQ(hash, 0x598A41B6094E5C25ull);
}
