// The game pools, zeroed and allocated by each test for itself (without InitGameData) and
// released afterwards, with the globals they replace put back, so tests run in any order.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/base.h"
#include "base/fnv1a.h"
#include "frame/frame.h"
#include "game/dungeon.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "tests/support/saved_globals.h"
#include "textures/textures.h"

class GamePools {
 public:
  GamePools() {
    saved_.Save(HeightMap, KindTable, WorldGrid, OverlayGrid, RoomTable, FirstRoomOfLevel,
                EndRoomOfLevel, RoomScratch, UnitTable, PathSearchState, TextureSlotTable,
                TextureSlotCount, RandState, DungeonStyle, MaxPlacementAttempts,
                ShowGenerationProgress, MapViewColumn, MapViewRow, MapViewLevel, MapViewUnit);
    HeadlessReset();
    SetRenderSize(320, 240);
    std::memset(FrameBuffer, 0, 320 * 240 * 4);
    size_t cells = static_cast<size_t>(CellsPerLevel) * MapLevels;
    HeightMap = Zeroed<uint8_t>(257 * 257);
    KindTable = Zeroed<KindRecord>(KindCapacity);
    WorldGrid = Zeroed<uint8_t>(cells);
    OverlayGrid = Zeroed<uint8_t>(cells);
    RoomTable = Zeroed<RoomRecord>(RoomCapacity);
    FirstRoomOfLevel = Zeroed<uint32_t>(MapLevels + 1);
    EndRoomOfLevel = Zeroed<uint32_t>(MapLevels + 1);
    RoomScratch = Zeroed<uint8_t>(RoomGridSide * RoomGridSide);
    UnitTable = Zeroed<UnitRecord>(UnitCapacity);
    PathSearchState = Zeroed<PathSearch>(1);
    PathSearchState->pathX = Zeroed<uint32_t>(UnitCapacity * 1000);
    PathSearchState->pathY = Zeroed<uint32_t>(UnitCapacity * 1000);
    PathSearchState->lastPathStep = Zeroed<int32_t>(UnitCapacity);
    for (int32_t u = 0; u < UnitCapacity; ++u) PathSearchState->lastPathStep[u] = -9;
    TextureSlotCount = 3100;
    TextureSlotTable = Zeroed<TextureSlot>(TextureSlotCount);
    DungeonStyle = 38;
    MaxPlacementAttempts = 1000000;
    ShowGenerationProgress = 0;
    MapViewColumn = MapViewRow = MapViewLevel = 0;
    MapViewUnit = 1;
  }
  ~GamePools() {
    for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
      std::free(TextureSlotTable[slot].pixels);
    for (void* block : blocks_) std::free(block);
    saved_.Restore();
    HeadlessReset();
  }
  GamePools(const GamePools&) = delete;
  GamePools& operator=(const GamePools&) = delete;

 private:
  template <typename T>
  T* Zeroed(size_t count) {
    blocks_.push_back(std::calloc(count, sizeof(T)));
    return static_cast<T*>(blocks_.back());
  }
  SavedGlobals saved_;
  std::vector<void*> blocks_;
};

inline uint8_t& GridCell(int32_t x, int32_t y, int32_t level) {
  return WorldGrid[WorldCellIndex(x, y, level)];
}

inline int CountCode(int32_t level, uint8_t code) {
  int count = 0;
  for (int32_t i = 0; i < CellsPerLevel; ++i)
    count += WorldGrid[static_cast<size_t>(level) * CellsPerLevel + i] == code;
  return count;
}

// Over levels first .. first + count - 1 of the grid.
inline uint64_t HashLevels(int32_t first, int32_t count) {
  return Fnv1a64(WorldGrid + static_cast<size_t>(first) * CellsPerLevel,
                 static_cast<size_t>(count) * CellsPerLevel);
}
