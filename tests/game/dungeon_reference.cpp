// The second dungeon generator of the agreement tests (see dungeon_reference.h).
//
// Order of the rand calls of one GenerateDungeon call (every call is RandomBelow(n) = rand() % n):
//
//   Rooms, for each level L = firstLevel, firstLevel + 1, ... in turn:
//     (FillArea and the central room draw nothing on the first level of the call)
//     R1  template of the central room: RandomBelow(13), on every level but the first
//         (drawn after the area is filled with rock, before the central room's margin test)
//     for each room number 0 .. roomCount - 1, for each attempt (at most 1000):
//       R2  orientation            RandomBelow(4)
//       R3  template               RandomBelow(19) for style 38, RandomBelow(29) for 3, 6, 5;
//                                  no draw for any other style
//       R4  room to grow from      RandomBelow(counter - FirstRoomOfLevel[L])
//       R5  px                     RandomBelow(room width)
//       R6  py                     RandomBelow(room height)
//           -- attempt over if px or py lies outside 3 .. MapSide - 3
//       R7  side                   RandomBelow(4)
//           -- attempt over unless (px, py) is '<' and D and E are '='
//       R8  ox                     RandomBelow(new room width)
//       R9  oy                     RandomBelow(new room height)
//           -- attempt over unless the room and its margin are rock, or (oy, ox) is not floor
//       R10 door kind              RandomBelow(3), only after a success: 1 gives 'F'
//   Fixtures, after every level has its rooms, for each level L in the same order, each kind
//   in the order stairs (L > firstLevel only), chests, candelabra, scrolls, coffins, fountains,
//   for each attempt while fewer than the limit are placed and fewer than MaxPlacementAttempts
//   attempts were made:
//       F1  room                   RandomBelow(rooms of the level)
//       F2  x                      RandomBelow(room width)
//       F3  y                      RandomBelow(room height)
//   A stop (area not empty or off the map, central room and margin not rock) returns at once:
//   no further draws, no fixture pass at all.
#include "tests/game/dungeon_reference.h"

#include <algorithm>
#include <cstdio>

#include "shell/runtime.h"

namespace DungeonReference {

// Transcribed from the template table row by row; each block is the room as it is drawn there.
// clang-format off
const Template Templates[TemplateCount] = {
    // 0: 3 x 3
    {3, 3, {
        "ddd",
        "ddd",
        "ddd",
    }},
    // 1: 3 x 1
    {3, 1, {
        "ddd",
    }},
    // 2: 4 x 1
    {4, 1, {
        "dddd",
    }},
    // 3: 5 x 1
    {5, 1, {
        "ddddd",
    }},
    // 4: 3 x 3
    {3, 3, {
        "0d0",
        "ddd",
        "0d0",
    }},
    // 5: 5 x 5
    {5, 5, {
        "00d00",
        "0ddd0",
        "ddddd",
        "0ddd0",
        "00d00",
    }},
    // 6: 4 x 2
    {4, 2, {
        "dddd",
        "dddd",
    }},
    // 7: 3 x 2
    {3, 2, {
        "ddd",
        "ddd",
    }},
    // 8: 5 x 2
    {5, 2, {
        "ddddd",
        "ddddd",
    }},
    // 9: 5 x 3
    {5, 3, {
        "ddddd",
        "d0d0d",
        "ddddd",
    }},
    // 10: 5 x 3
    {5, 3, {
        "ddddd",
        "ddddd",
        "ddddd",
    }},
    // 11: 8 x 7
    {8, 7, {
        "000dd000",
        "0dddddd0",
        "0dddddd0",
        "dddddddd",
        "0dddddd0",
        "0dddddd0",
        "000dd000",
    }},
    // 12: 4 x 4
    {4, 4, {
        "dddd",
        "dddd",
        "dddd",
        "dddd",
    }},
    // 13: 5 x 5
    {5, 5, {
        "ddddd",
        "ddddd",
        "ddddd",
        "ddddd",
        "ddddd",
    }},
    // 14: 9 x 9
    {9, 9, {
        "0000d0000",
        "00ddddd00",
        "0ddddddd0",
        "0ddddddd0",
        "ddddddddd",
        "0ddddddd0",
        "0ddddddd0",
        "00ddddd00",
        "0000d0000",
    }},
    // 15: 8 x 6
    {8, 6, {
        "dddddddd",
        "dddddddd",
        "dd000000",
        "dd000000",
        "dd000000",
        "dd000000",
    }},
    // 16: 5 x 5
    {5, 5, {
        "0ddd0",
        "ddddd",
        "ddddd",
        "0ddd0",
        "0ddd0",
    }},
    // 17: 8 x 4
    {8, 4, {
        "0dddddd0",
        "0dddddd0",
        "dddddddd",
        "0dddddd0",
    }},
    // 18: 8 x 8
    {8, 8, {
        "00dddd00",
        "0dddddd0",
        "ddd00ddd",
        "dd0000dd",
        "ddd00ddd",
        "0dddddd0",
        "00dddd00",
        "00000000",
    }},
    // 19: 9 x 9
    {9, 9, {
        "00ddddd00",
        "00ddddd00",
        "ddddddddd",
        "ddddpdddd",
        "dddpppddd",
        "ddddpdddd",
        "ddddddddd",
        "00ddddd00",
        "00ddddd00",
    }},
    // 20: 7 x 7
    {7, 7, {
        "0pdddp0",
        "pdddddp",
        "dddpddd",
        "ddpppdd",
        "dddpddd",
        "pdddddp",
        "0pdddp0",
    }},
    // 21: 3 x 3
    {3, 3, {
        "pdp",
        "ddd",
        "pdp",
    }},
    // 22: 4 x 4
    {4, 4, {
        "pddp",
        "dddd",
        "dddd",
        "pddp",
    }},
    // 23: 5 x 5
    {5, 5, {
        "pdddp",
        "ddddd",
        "ddddd",
        "ddddd",
        "pdddp",
    }},
    // 24: 5 x 5
    {5, 5, {
        "pdddp",
        "ddddd",
        "ddpdd",
        "ddddd",
        "pdddp",
    }},
    // 25: 7 x 5
    {7, 5, {
        "00dpd00",
        "pdddddp",
        "ddddddd",
        "00ddd00",
        "00ddd00",
    }},
    // 26: 3 x 5
    {3, 5, {
        "dpd",
        "ddd",
        "pdp",
        "ddd",
        "dpd",
    }},
    // 27: 7 x 7
    {7, 7, {
        "pdddddp",
        "ddddddd",
        "ddddddd",
        "ddd0000",
        "ddd0000",
        "ddd0000",
        "pdd0000",
    }},
    // 28: 7 x 7
    {7, 7, {
        "0000ddp",
        "0000ddd",
        "0000ddd",
        "0000ddd",
        "ddddddd",
        "ddddddd",
        "pdddddp",
    }},
};
// clang-format on

void RoomSize(int templateNumber, int orientation, int* width, int* height) {
  const Template& t = Templates[templateNumber];
  bool turned = orientation == 1 || orientation == 2;
  *width = turned ? t.height : t.width;
  *height = turned ? t.width : t.height;
}

Scratch BuildRoom(int templateNumber, int orientation) {
  const Template& t = Templates[templateNumber];
  Scratch room;
  RoomSize(templateNumber, orientation, &room.width, &room.height);
  int w = t.width;
  int h = t.height;
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) {
      char letter = t.rows[r][c];
      uint8_t value = letter == 'd' ? 1 : letter == 'p' ? 3 : 0;
      if (value == 0) continue;
      int row = r;
      int column = c;
      switch (orientation) {
        case 0:
          row = r;
          column = c;
          break;
        case 1:
          row = w - 1 - c;
          column = r;
          break;
        case 2:
          row = c;
          column = r;
          break;
        case 3:
          row = h - 1 - r;
          column = c;
          break;
      }
      room.cells[row * ScratchSide + column] = value;
    }
  }
  return room;
}

World::World(int levelCount, uint32_t roomRangeFill)
    : levels(levelCount),
      grid(static_cast<size_t>(levelCount) * CellsPerLevel, 0),
      firstRoom(181, roomRangeFill),
      endRoom(181, roomRangeFill) {}

int RandomBelow(int n) { return Rand() % n; }

int CheckArea(World& world, int x0, int y0, int x1, int y1, int level, int code) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (x < 0 || y < 0 || x >= Side || y >= Side) return 1;
      if (world.Cell(x, y, level) != code) return 1;
    }
  }
  return 0;
}

int FillArea(World& world, int x0, int y0, int x1, int y1, int level, int code) {
  if (CheckArea(world, x0, y0, x1, y1, level, 0) != 0) return 1;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) world.Cell(x, y, level) = static_cast<uint8_t>(code);
  }
  return 0;
}

namespace {

void Carve(World& world, const Scratch& room, int originX, int originY, int level,
           uint8_t specialCode) {
  for (int r = 0; r < room.height; ++r) {
    for (int c = 0; c < room.width; ++c) {
      uint8_t value = room.At(r, c);
      if (value == 0) continue;
      world.Cell(originX + c, originY + r, level) = value == 1 ? Floor : specialCode;
    }
  }
}

void AppendRoom(World& world, int x, int y, int width, int height, int level, int templateNumber) {
  uint32_t index = world.counter;
  if (world.rooms.size() <= index) world.rooms.resize(index + 1);
  world.rooms[index] = Room{static_cast<uint16_t>(x),
                            static_cast<uint16_t>(y),
                            static_cast<uint16_t>(width),
                            static_cast<uint16_t>(height),
                            static_cast<uint16_t>(level),
                            index,
                            static_cast<uint8_t>(templateNumber)};
  world.counter = index + 1;
}

// One room number of a level: up to 1000 attempts to hang a new room on a floor cell of an
// existing room through a door cell.
void AttachRoom(World& world, const Settings& settings, int level, int* currentTemplate) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    int orientation = RandomBelow(4);
    if (settings.style == 38) {
      *currentTemplate = RandomBelow(19);
    } else if (settings.style == 3) {
      *currentTemplate = RandomBelow(29);
    } else if (settings.style == 6) {
      *currentTemplate = RandomBelow(29);
    } else if (settings.style == 5) {
      *currentTemplate = RandomBelow(29);
    }
    uint32_t first = world.firstRoom[level];
    uint32_t fromIndex = first + RandomBelow(static_cast<int>(world.counter - first));
    const Room from = world.rooms[fromIndex];
    int px = from.x + RandomBelow(from.width);
    int py = from.y + RandomBelow(from.height);
    if (!(px >= 3 && px <= Side - 3 && py >= 3 && py <= Side - 3)) continue;

    int side = RandomBelow(4);
    int dx = 0, dy = 0;
    switch (side) {
      case 0:
        dy = 1;
        break;
      case 1:
        dy = -1;
        break;
      case 2:
        dx = 1;
        break;
      case 3:
        dx = -1;
        break;
    }
    int doorX = px + dx, doorY = py + dy;
    int farX = px + 2 * dx, farY = py + 2 * dy;
    if (world.Cell(px, py, level) != Floor || world.Cell(doorX, doorY, level) != Rock ||
        world.Cell(farX, farY, level) != Rock) {
      continue;
    }

    int width = 0, height = 0;
    RoomSize(*currentTemplate, orientation, &width, &height);
    int ox = RandomBelow(width);
    int oy = RandomBelow(height);
    int originX = farX - ox;
    int originY = farY - oy;
    if (CheckArea(world, originX - 1, originY - 1, originX + width, originY + height, level,
                  Rock) != 0) {
      continue;
    }
    Scratch room = BuildRoom(*currentTemplate, orientation);
    if (room.At(oy, ox) != 1) continue;

    Carve(world, room, originX, originY, level, settings.style == 6 ? SpecialAlt : Special);
    AppendRoom(world, originX, originY, room.width, room.height, level, *currentTemplate);
    world.Cell(doorX, doorY, level) = RandomBelow(3) == 1 ? Door : Floor;
    return;
  }
}

void ShowProgress(World& world, const char* format, int planned) {
  char text[64];
  std::snprintf(text, sizeof text, format, planned);
  world.progress.push_back(text);
}

// One fixture kind on one level. Stairs also want floor on the level above and write there.
void PlaceFixtures(World& world, const Settings& settings, int level, int rooms, int planned,
                   int limit, uint8_t code, bool stairs) {
  if (planned == 0) return;
  int placed = 0;
  for (int attempts = 0; placed < limit && attempts < settings.maxPlacementAttempts; ++attempts) {
    const Room& room = world.rooms[world.firstRoom[level] + RandomBelow(rooms)];
    int x = room.x + RandomBelow(room.width);
    int y = room.y + RandomBelow(room.height);
    int roomLevel = room.level;
    if (world.Cell(x, y, roomLevel) != Floor) continue;
    if (stairs && world.Cell(x, y, roomLevel - 1) != Floor) continue;
    world.Cell(x, y, roomLevel) = code;
    if (stairs) world.Cell(x, y, roomLevel - 1) = StairsDown;
    ++placed;
  }
}

void FurnishLevel(World& world, const Settings& settings, int level, int firstLevel, int areaSize) {
  int n = static_cast<int>(world.endRoom[level] - world.firstRoom[level]);
  if (n <= 0) return;
  struct Kind {
    const char* message;
    int planned;
    uint8_t code;
  };
  if (level > firstLevel) {
    int planned = areaSize / 32 + 1;
    if (settings.showProgress) ShowProgress(world, "Stairs Generation = %d", planned);
    PlaceFixtures(world, settings, level, n, planned, planned, StairsUp, true);
  }
  const Kind kinds[] = {
      {"Chest Generation = %d", n / 25, Chest},
      {"Candleabrum Generation = %d", n / 5, Candelabrum},
      {"Scrolls Generation = %d", n / 40, Scrolls},
      {"Coffin Generation = %d", n / 25, Coffin},
      {"Fountain Generation = %d", n / 60, Fountain},
  };
  for (const Kind& kind : kinds) {
    if (settings.showProgress) ShowProgress(world, kind.message, kind.planned);
    PlaceFixtures(world, settings, level, n, kind.planned, kind.planned + 1, kind.code, false);
  }
}

}  // namespace

void GenerateDungeon(World& world, const Settings& settings, int32_t cx, int32_t cy,
                     int32_t firstLevel, int32_t levelCount, int32_t areaSize, int32_t roomCount) {
  world.counter = 0;
  world.progress.clear();
  int half = areaSize / 2;
  int currentTemplate = 0;

  for (int i = 0; i < levelCount; ++i) {
    int level = firstLevel + i;
    if (FillArea(world, cx - half, cy - half, cx + half, cy + half, level, Rock) != 0) return;

    currentTemplate = level == firstLevel ? 13 : RandomBelow(13);
    Scratch central = BuildRoom(currentTemplate, 0);
    int x = cx - central.width / 2;
    int y = cy - central.height / 2;
    if (CheckArea(world, x - 1, y - 1, x + central.width, y + central.height, level, Rock) != 0) {
      return;
    }
    uint32_t index = world.counter;
    Carve(world, central, x, y, level, Special);
    AppendRoom(world, x, y, central.width, central.height, level, currentTemplate);
    world.firstRoom[level] = index;

    for (int room = 0; room < roomCount; ++room) {
      AttachRoom(world, settings, level, &currentTemplate);
    }
    world.endRoom[level] = world.counter;
  }

  for (int i = 0; i < levelCount; ++i) {
    FurnishLevel(world, settings, firstLevel + i, firstLevel, areaSize);
  }
}

}  // namespace DungeonReference
