// The game pools that the dungeon generator, the map view and the map files work on, allocated
// by each test for itself (without InitGameData) and released afterwards, with the globals they
// replace put back so that tests run in any order; and the hash the game tests' golden values use.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/base.h"
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
    saved_.Save(WorldGrid, OverlayGrid, RoomTable, FirstRoomOfLevel, EndRoomOfLevel, RoomScratch,
                UnitTable, PathSearchState, TextureSlotTable, TextureSlotCount, RandState,
                DungeonStyle, MaxPlacementAttempts, ShowGenerationProgress, MapViewColumn,
                MapViewRow, MapViewLevel, MapViewUnit);
    HeadlessReset();
    SetRenderSize(320, 240);
    std::memset(FrameBuffer, 0, static_cast<size_t>(RenderWidth) * RenderHeight * 4);
    size_t cells = static_cast<size_t>(CellsPerLevel) * MapLevels;
    WorldGrid = static_cast<uint8_t*>(std::calloc(cells, 1));
    OverlayGrid = static_cast<uint8_t*>(std::calloc(cells, 1));
    RoomTable = static_cast<RoomRecord*>(std::calloc(RoomCapacity, sizeof(RoomRecord)));
    FirstRoomOfLevel = static_cast<uint32_t*>(std::calloc(MapLevels + 1, sizeof(uint32_t)));
    EndRoomOfLevel = static_cast<uint32_t*>(std::calloc(MapLevels + 1, sizeof(uint32_t)));
    RoomScratch = static_cast<uint8_t*>(std::calloc(RoomGridSide * RoomGridSide, 1));
    UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCapacity, sizeof(UnitRecord)));
    PathSearchState = static_cast<PathSearch*>(std::calloc(1, sizeof(PathSearch)));
    size_t steps = static_cast<size_t>(UnitCapacity) * 1000;
    PathSearchState->pathX = static_cast<uint32_t*>(std::calloc(steps, sizeof(uint32_t)));
    PathSearchState->pathY = static_cast<uint32_t*>(std::calloc(steps, sizeof(uint32_t)));
    PathSearchState->lastPathStep =
        static_cast<int32_t*>(std::calloc(UnitCapacity, sizeof(int32_t)));
    for (int32_t u = 0; u < UnitCapacity; ++u) PathSearchState->lastPathStep[u] = -9;
    TextureSlotCount = 3100;
    TextureSlotTable =
        static_cast<TextureSlot*>(std::calloc(TextureSlotCount, sizeof(TextureSlot)));
    DungeonStyle = 38;
    MaxPlacementAttempts = 1000000;
    ShowGenerationProgress = 0;
    MapViewColumn = MapViewRow = MapViewLevel = 0;
    MapViewUnit = 1;
  }

  ~GamePools() {
    for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
      std::free(TextureSlotTable[slot].pixels);
    std::free(TextureSlotTable);
    std::free(PathSearchState->pathX);
    std::free(PathSearchState->pathY);
    std::free(PathSearchState->lastPathStep);
    std::free(PathSearchState);
    std::free(UnitTable);
    std::free(RoomScratch);
    std::free(EndRoomOfLevel);
    std::free(FirstRoomOfLevel);
    std::free(RoomTable);
    std::free(OverlayGrid);
    std::free(WorldGrid);
    saved_.Restore();
    HeadlessReset();
  }

  GamePools(const GamePools&) = delete;
  GamePools& operator=(const GamePools&) = delete;

  // A square picture of one colour in a slot.
  static void PaintSlot(uint32_t slot, uint8_t red, uint8_t green, uint8_t blue,
                        uint32_t side = 16) {
    TextureSlot& image = TextureSlotTable[slot];
    std::free(image.pixels);
    image.pixels = static_cast<uint8_t*>(std::malloc(side * side * 3));
    image.width = image.height = side;
    image.bytesPerPixel = 3;
    for (uint32_t i = 0; i < side * side; ++i) {
      image.pixels[3 * i] = red;
      image.pixels[3 * i + 1] = green;
      image.pixels[3 * i + 2] = blue;
    }
  }

 private:
  SavedGlobals saved_;
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

// FNV-1a, 64 bits; a hash to go on with is passed as the start.
inline uint64_t Fnv1a(const void* data, size_t size, uint64_t hash = 14695981039346656037ull) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}

// Over levels first .. first + count - 1 of the grid.
inline uint64_t HashLevels(int32_t first, int32_t count) {
  return Fnv1a(WorldGrid + static_cast<size_t>(first) * CellsPerLevel,
               static_cast<size_t>(count) * CellsPerLevel);
}
