// A second, deliberately plain dungeon generator, written apart from src/game/dungeon.cpp from
// the description of the generator alone, with its own grid, room records, templates and
// orientation table. The agreement tests run both from the same seed and compare every byte:
// any difference in the grid, the room records or the number of rand calls shows up there.
//
// It draws its numbers from the program's own Rand(), so both generators share one sequence.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace DungeonReference {

constexpr int Side = 256;
constexpr int CellsPerLevel = Side * Side;
constexpr int ScratchSide = 30;
constexpr int TemplateCount = 29;

// Cell codes the generator writes.
constexpr uint8_t Rock = '=';
constexpr uint8_t Floor = '<';
constexpr uint8_t Door = 'F';
constexpr uint8_t StairsUp = 'L';
constexpr uint8_t StairsDown = 'M';
constexpr uint8_t Chest = 'Z';
constexpr uint8_t Candelabrum = 'V';
constexpr uint8_t Scrolls = 'd';
constexpr uint8_t Coffin = 'X';
constexpr uint8_t Fountain = 'T';
constexpr uint8_t Special = 160;
constexpr uint8_t SpecialAlt = 163;

struct Template {
  int width;
  int height;
  const char* rows[9];  // top row first; 'd' floor, 'p' special, '0' no cell
};
extern const Template Templates[TemplateCount];

// A built room: scratch cell (row, column) at cells[row * ScratchSide + column], 0 none,
// 1 floor, 3 special.
struct Scratch {
  int width = 0;
  int height = 0;
  uint8_t cells[ScratchSide * ScratchSide] = {};
  uint8_t At(int row, int column) const { return cells[row * ScratchSide + column]; }
};
void RoomSize(int templateNumber, int orientation, int* width, int* height);
Scratch BuildRoom(int templateNumber, int orientation);

struct Room {
  uint16_t x, y;
  uint16_t width, height;
  uint16_t level;
  uint32_t index;
  uint8_t templateNumber;
};

struct Settings {
  int32_t style = 38;
  int32_t maxPlacementAttempts = 1000000;
  bool showProgress = false;
};

// Everything a call reads and writes. The room table, FirstRoomOfLevel and EndRoomOfLevel keep
// what earlier calls left in them, as the program's pools do.
struct World {
  World(int levelCount, uint32_t roomRangeFill);
  int levels;
  std::vector<uint8_t> grid;        // levels * CellsPerLevel, cell (x, y, level)
  std::vector<Room> rooms;          // every record written so far, at its index
  std::vector<uint32_t> firstRoom;  // 181 entries, as FirstRoomOfLevel
  std::vector<uint32_t> endRoom;
  uint32_t counter = 0;

  std::vector<std::string> progress;  // the progress messages of the last call, in order

  uint8_t& Cell(int x, int y, int level) {
    return grid[static_cast<size_t>(x) + static_cast<size_t>(y) * Side +
                static_cast<size_t>(level) * CellsPerLevel];
  }
};

int RandomBelow(int n);
int CheckArea(World& world, int x0, int y0, int x1, int y1, int level, int code);
int FillArea(World& world, int x0, int y0, int x1, int y1, int level, int code);
void GenerateDungeon(World& world, const Settings& settings, int32_t cx, int32_t cy,
                     int32_t firstLevel, int32_t levelCount, int32_t areaSize, int32_t roomCount);

}  // namespace DungeonReference
