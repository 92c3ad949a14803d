// Dungeon generator benchmarks: a large multi-level dungeon, and the longest a single fixture
// kind can take.
#include "game/dungeon.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "base/base.h"
#include "frame/frame.h"
#include "game/game_data.h"

namespace {

// The pools the generator works on, allocated once for the whole run.
void AllocateDungeonPools() {
  if (WorldGrid) return;
  SetRenderSize(320, 240);
  WorldGrid = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(CellsPerLevel) * MapLevels, 1));
  RoomTable = static_cast<RoomRecord*>(std::calloc(RoomCapacity, sizeof(RoomRecord)));
  FirstRoomOfLevel = static_cast<uint32_t*>(std::calloc(MapLevels + 1, sizeof(uint32_t)));
  EndRoomOfLevel = static_cast<uint32_t*>(std::calloc(MapLevels + 1, sizeof(uint32_t)));
  RoomScratch = static_cast<uint8_t*>(std::calloc(RoomGridSide, RoomGridSide));
}

void ClearLevels(int first, int count) {
  std::memset(WorldGrid + static_cast<size_t>(first) * CellsPerLevel, 0,
              static_cast<size_t>(count) * CellsPerLevel);
}

// Ten levels of area 200 with 400 attached rooms each, then their fixtures.
void BM_TenLevelsOfFourHundredRooms(benchmark::State& state) {
  AllocateDungeonPools();
  uint32_t rooms = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ClearLevels(1, 10);
    Srand(1);
    state.ResumeTiming();
    GenerateDungeon(128, 128, 1, 10, 200, 400);
    rooms = RoomCounter;
  }
  state.counters["rooms"] = rooms;
}
BENCHMARK(BM_TenLevelsOfFourHundredRooms)->Unit(benchmark::kMillisecond);

// After Srand(1) the second level's central room is the 4-cell template 2, so only 4 of the 7
// planned stairs can ever be placed: the stairs loop runs its full 1,000,000 attempts (every
// other kind is planned 0 with one room per level). This is the longest one fixture kind of one
// level can take.
void BM_FixtureKindThatCannotBePlaced(benchmark::State& state) {
  AllocateDungeonPools();
  for (auto _ : state) {
    state.PauseTiming();
    ClearLevels(1, 2);
    Srand(1);
    state.ResumeTiming();
    GenerateDungeon(128, 128, 1, 2, 200, 0);
  }
  state.counters["attempts"] = MaxPlacementAttempts;
}
BENCHMARK(BM_FixtureKindThatCannotBePlaced)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
