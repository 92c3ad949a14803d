// Dungeon generator.
//
// Coordinates are worked out in 64 bits: an area or a room that would reach past the 32-bit
// range is simply off the map, so no argument can make the generator write outside the grid.
#include "game/dungeon.h"

#include <cstddef>
#include <cstring>

#include "base/base.h"
#include "frame/frame.h"
#include "game/game_data.h"
#include "overlay/overlay.h"
#include "platform/platform.h"

int32_t DungeonStyle = 38;
int32_t MaxPlacementAttempts = 1000000;
int32_t ShowGenerationProgress = 0;

uint32_t RoomCounter = 0;
int32_t RoomWidth = 0;
int32_t RoomHeight = 0;
int32_t RoomOriginX = 0;
int32_t RoomOriginY = 0;
int32_t RoomLevel = 0;
int32_t CurrentTemplate = 0;

namespace {

// ---- Room templates -------------------------------------------------------------------------

constexpr int TemplateRowLength = 30;
constexpr int TemplateLength = 990;  // 33 rows of 30

struct TemplateText {
  char text[TemplateLength + 1];
};

// Lays a template out as the generator reads it: header row "jk", the size letters, two unused
// extension letters, then the rows given as "ddd/0d0/..." in rows 1 .. height. A row list that
// does not match the stated size stops the compilation.
constexpr TemplateText MakeTemplate(int width, int height, const char* rows) {
  TemplateText t{};
  for (int i = 0; i < TemplateLength; ++i) t.text[i] = '0';
  t.text[0] = 'j';
  t.text[1] = 'k';
  t.text[2] = static_cast<char>('a' + width - 1);
  t.text[3] = static_cast<char>('a' + height - 1);
  int row = 1, column = 0;
  for (const char* c = rows;; ++c) {
    if (*c == '/' || *c == '\0') {
      if (column != width) throw "template row length differs from its width";
      if (*c == '\0') break;
      ++row;
      column = 0;
      continue;
    }
    if (*c != 'd' && *c != 'p' && *c != '0') throw "template cell is not d, p or 0";
    t.text[TemplateRowLength * row + column] = *c;
    ++column;
  }
  if (row != height) throw "template row count differs from its height";
  t.text[TemplateLength] = '\0';
  return t;
}

constexpr TemplateText TemplateTexts[RoomTemplateCount] = {
    MakeTemplate(3, 3, "ddd/ddd/ddd"),
    MakeTemplate(3, 1, "ddd"),
    MakeTemplate(4, 1, "dddd"),
    MakeTemplate(5, 1, "ddddd"),
    MakeTemplate(3, 3, "0d0/ddd/0d0"),
    MakeTemplate(5, 5, "00d00/0ddd0/ddddd/0ddd0/00d00"),
    MakeTemplate(4, 2, "dddd/dddd"),
    MakeTemplate(3, 2, "ddd/ddd"),
    MakeTemplate(5, 2, "ddddd/ddddd"),
    MakeTemplate(5, 3, "ddddd/d0d0d/ddddd"),
    MakeTemplate(5, 3, "ddddd/ddddd/ddddd"),
    MakeTemplate(8, 7, "000dd000/0dddddd0/0dddddd0/dddddddd/0dddddd0/0dddddd0/000dd000"),
    MakeTemplate(4, 4, "dddd/dddd/dddd/dddd"),
    MakeTemplate(5, 5, "ddddd/ddddd/ddddd/ddddd/ddddd"),
    MakeTemplate(9, 9,
                 "0000d0000/00ddddd00/0ddddddd0/0ddddddd0/ddddddddd/0ddddddd0/0ddddddd0/"
                 "00ddddd00/0000d0000"),
    MakeTemplate(8, 6, "dddddddd/dddddddd/dd000000/dd000000/dd000000/dd000000"),
    MakeTemplate(5, 5, "0ddd0/ddddd/ddddd/0ddd0/0ddd0"),
    MakeTemplate(8, 4, "0dddddd0/0dddddd0/dddddddd/0dddddd0"),
    MakeTemplate(8, 8, "00dddd00/0dddddd0/ddd00ddd/dd0000dd/ddd00ddd/0dddddd0/00dddd00/00000000"),
    MakeTemplate(9, 9,
                 "00ddddd00/00ddddd00/ddddddddd/ddddpdddd/dddpppddd/ddddpdddd/ddddddddd/"
                 "00ddddd00/00ddddd00"),
    MakeTemplate(7, 7, "0pdddp0/pdddddp/dddpddd/ddpppdd/dddpddd/pdddddp/0pdddp0"),
    MakeTemplate(3, 3, "pdp/ddd/pdp"),
    MakeTemplate(4, 4, "pddp/dddd/dddd/pddp"),
    MakeTemplate(5, 5, "pdddp/ddddd/ddddd/ddddd/pdddp"),
    MakeTemplate(5, 5, "pdddp/ddddd/ddpdd/ddddd/pdddp"),
    MakeTemplate(7, 5, "00dpd00/pdddddp/ddddddd/00ddd00/00ddd00"),
    MakeTemplate(3, 5, "dpd/ddd/pdp/ddd/dpd"),
    MakeTemplate(7, 7, "pdddddp/ddddddd/ddddddd/ddd0000/ddd0000/ddd0000/pdd0000"),
    MakeTemplate(7, 7, "0000ddp/0000ddd/0000ddd/0000ddd/ddddddd/ddddddd/pdddddp"),
};

}  // namespace

const char* const RoomTemplates[RoomTemplateCount] = {
    TemplateTexts[0].text,  TemplateTexts[1].text,  TemplateTexts[2].text,  TemplateTexts[3].text,
    TemplateTexts[4].text,  TemplateTexts[5].text,  TemplateTexts[6].text,  TemplateTexts[7].text,
    TemplateTexts[8].text,  TemplateTexts[9].text,  TemplateTexts[10].text, TemplateTexts[11].text,
    TemplateTexts[12].text, TemplateTexts[13].text, TemplateTexts[14].text, TemplateTexts[15].text,
    TemplateTexts[16].text, TemplateTexts[17].text, TemplateTexts[18].text, TemplateTexts[19].text,
    TemplateTexts[20].text, TemplateTexts[21].text, TemplateTexts[22].text, TemplateTexts[23].text,
    TemplateTexts[24].text, TemplateTexts[25].text, TemplateTexts[26].text, TemplateTexts[27].text,
    TemplateTexts[28].text,
};

namespace {

constexpr uint8_t Rock = '=';
constexpr uint8_t Floor = '<';
constexpr uint8_t Door = 'F';
constexpr uint8_t StairsUp = 'L';
constexpr uint8_t StairsDown = 'M';
constexpr uint8_t SpecialCell = 160;
constexpr uint8_t SpecialCellAlt = 163;
constexpr uint8_t OverlayReserved = 15;
constexpr int32_t AttachAttempts = 1000;
constexpr uint8_t ScratchFloor = 1;
constexpr uint8_t ScratchSpecial = 3;

// ---- The grid -------------------------------------------------------------------------------

bool OnMap(int64_t x, int64_t y, int64_t level) {
  return x >= 0 && x < MapSide && y >= 0 && y < MapSide && level >= 0 && level < MapLevels;
}

uint8_t& Cell(int64_t x, int64_t y, int64_t level) {
  return WorldGrid[WorldCellIndex(x, y, level)];
}

int CheckAreaWide(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t level, int32_t code) {
  for (int64_t y = y0; y <= y1; ++y)
    for (int64_t x = x0; x <= x1; ++x)
      if (!OnMap(x, y, level) || Cell(x, y, level) != code) return 1;
  return 0;
}

int FillAreaWide(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t level, int32_t code) {
  if (CheckAreaWide(x0, y0, x1, y1, level, 0)) return 1;
  for (int64_t y = y0; y <= y1; ++y)
    for (int64_t x = x0; x <= x1; ++x) Cell(x, y, level) = static_cast<uint8_t>(code);
  return 0;
}

// ---- Templates and the scratch room ---------------------------------------------------------

bool KnownTemplate(int32_t templateNumber) {
  return templateNumber >= 0 && templateNumber < RoomTemplateCount;
}

int32_t LetterValue(char letter) { return letter - 96; }

int32_t TemplateWidth(const char* t) {
  int32_t width = LetterValue(t[2]);
  if (t[4] != '0') width += LetterValue(t[4]);
  if (t[5] != '0') width += LetterValue(t[5]);
  return width;
}

int32_t TemplateHeight(const char* t) { return LetterValue(t[3]); }

void CarveScratch(uint8_t specialCode, bool markOverlay) {
  if (!WorldGrid || !RoomScratch) return;
  for (int32_t r = 0; r < RoomHeight && r < RoomGridSide; ++r) {
    for (int32_t c = 0; c < RoomWidth && c < RoomGridSide; ++c) {
      uint8_t value = RoomScratch[r * RoomGridSide + c];
      if (value != ScratchFloor && value != ScratchSpecial) continue;
      int64_t x = int64_t{RoomOriginX} + c, y = int64_t{RoomOriginY} + r;
      if (!OnMap(x, y, RoomLevel)) continue;
      Cell(x, y, RoomLevel) = value == ScratchFloor ? Floor : specialCode;
      if (markOverlay && OverlayGrid)
        OverlayGrid[WorldCellIndex(x, y, RoomLevel)] = OverlayReserved;
    }
  }
}

// ---- Rooms ----------------------------------------------------------------------------------

void AppendRoom() {
  RoomRecord& room = RoomTable[RoomCounter];
  room.x = static_cast<uint16_t>(RoomOriginX);
  room.y = static_cast<uint16_t>(RoomOriginY);
  room.width = static_cast<uint16_t>(RoomWidth);
  room.height = static_cast<uint16_t>(RoomHeight);
  room.level = static_cast<uint16_t>(RoomLevel);
  room.index = RoomCounter;
  room.templateNumber = static_cast<uint8_t>(CurrentTemplate);
  ++RoomCounter;
}

bool RoomTableFull() { return RoomCounter >= static_cast<uint32_t>(RoomCapacity); }

void ChooseAttachTemplate() {
  if (DungeonStyle == 38)
    CurrentTemplate = RandomBelow(19);
  else if (DungeonStyle == 3)
    CurrentTemplate = RandomBelow(29);
  else if (DungeonStyle == 6)
    CurrentTemplate = RandomBelow(29);
  else if (DungeonStyle == 5)
    CurrentTemplate = RandomBelow(29);
  // Any other style keeps the template last chosen: the level's central one.
}

// Up to 1000 attempts to attach one room to a room of the level through a door cell. The draws
// of an attempt stop where the attempt fails, so their number varies from attempt to attempt.
bool AttachRoom(int32_t level) {
  for (int32_t attempt = 0; attempt < AttachAttempts; ++attempt) {
    int32_t orientation = RandomBelow(4);
    ChooseAttachTemplate();
    uint32_t first = FirstRoomOfLevel[level];
    const RoomRecord& base =
        RoomTable[first + RandomBelow(static_cast<int32_t>(RoomCounter - first))];
    int64_t px = base.x + RandomBelow(base.width);
    int64_t py = base.y + RandomBelow(base.height);
    if (px < 3 || px > MapSide - 3 || py < 3 || py > MapSide - 3) continue;

    // D is the door cell, E the far cell where the new room begins.
    int32_t side = RandomBelow(4);
    int64_t dx = 0, dy = 0;
    if (side == 0) dy = 1;
    if (side == 1) dy = -1;
    if (side == 2) dx = 1;
    if (side == 3) dx = -1;
    int64_t doorX = px + dx, doorY = py + dy;
    int64_t farX = px + 2 * dx, farY = py + 2 * dy;
    if (Cell(px, py, level) != Floor || Cell(doorX, doorY, level) != Rock ||
        Cell(farX, farY, level) != Rock)
      continue;

    RoomSize(CurrentTemplate, orientation);
    int32_t ox = RandomBelow(RoomWidth);
    int32_t oy = RandomBelow(RoomHeight);
    int64_t x = farX - ox, y = farY - oy;
    // The room and a ring of one cell around it must be rock: rooms never touch.
    if (CheckAreaWide(x - 1, y - 1, x + RoomWidth, y + RoomHeight, level, Rock)) continue;
    BuildRoom(CurrentTemplate, orientation);
    if (RoomScratch[oy * RoomGridSide + ox] != ScratchFloor) continue;

    RoomOriginX = static_cast<int32_t>(x);
    RoomOriginY = static_cast<int32_t>(y);
    if (DungeonStyle == 6)
      CarveRoomAlt();
    else
      CarveRoom();
    AppendRoom();
    Cell(doorX, doorY, level) = RandomBelow(3) == 1 ? Door : Floor;
    return true;
  }
  return false;
}

// Rock over the level's area, the central room, then the attached rooms. False ends the whole
// generation: the area was not empty or off the map, or the central room did not fit.
bool GrowLevel(int64_t cx, int64_t cy, int32_t level, bool firstOfCall, int64_t half,
               int32_t roomCount) {
  if (FillAreaWide(cx - half, cy - half, cx + half, cy + half, level, Rock)) return false;
  CurrentTemplate = firstOfCall ? 13 : RandomBelow(13);
  BuildRoom(CurrentTemplate, 0);
  int64_t x = cx - RoomWidth / 2, y = cy - RoomHeight / 2;
  if (CheckAreaWide(x - 1, y - 1, x + RoomWidth, y + RoomHeight, level, Rock)) return false;
  // Never reached by any level that fits the grid; it keeps the records inside the table.
  if (RoomTableFull()) return false;

  RoomLevel = level;
  RoomOriginX = static_cast<int32_t>(x);
  RoomOriginY = static_cast<int32_t>(y);
  CarveRoom();
  FirstRoomOfLevel[level] = RoomCounter;
  AppendRoom();
  for (int32_t room = 0; room < roomCount && !RoomTableFull(); ++room) AttachRoom(level);
  EndRoomOfLevel[level] = RoomCounter;
  return true;
}

// ---- Fixtures -------------------------------------------------------------------------------

void ShowPlannedCount(const char* message, int32_t planned) {
  FormatText(TextBuffer, message, planned);
  BlankFrame();
  DrawSmallText(100, 100, 200, 200, 200);
  PlatformSleep(100);
}

// Scatters up to limit fixtures of one kind over random cells of the level's rooms. Stairs need
// floor on this level and on the level above at the same x, y, and mark both.
void ScatterFixture(int32_t level, int32_t roomsOfLevel, const char* message, int32_t planned,
                    int32_t limit, uint8_t code, bool stairs) {
  if (ShowGenerationProgress) ShowPlannedCount(message, planned);
  if (planned == 0) return;
  uint32_t first = FirstRoomOfLevel[level];
  int32_t placed = 0;
  for (int32_t attempts = 0; placed < limit && attempts < MaxPlacementAttempts; ++attempts) {
    const RoomRecord& room = RoomTable[first + RandomBelow(roomsOfLevel)];
    int64_t x = room.x + RandomBelow(room.width);
    int64_t y = room.y + RandomBelow(room.height);
    uint8_t& cell = Cell(x, y, room.level);
    if (cell != Floor) continue;
    if (stairs) {
      uint8_t& above = Cell(x, y, room.level - 1);
      if (above != Floor) continue;
      cell = StairsUp;
      above = StairsDown;
    } else {
      cell = code;
    }
    ++placed;
  }
}

void FurnishLevel(int32_t level, int32_t firstLevel, int32_t areaSize) {
  int64_t rooms = int64_t{EndRoomOfLevel[level]} - FirstRoomOfLevel[level];
  if (rooms <= 0) return;
  int32_t n = static_cast<int32_t>(rooms);
  if (level > firstLevel) {
    int32_t stairs = areaSize / 32 + 1;
    ScatterFixture(level, n, "Stairs Generation = %d", stairs, stairs, 0, true);
  }
  // Every other kind may exceed its planned count by one.
  ScatterFixture(level, n, "Chest Generation = %d", n / 25, n / 25 + 1, 'Z', false);
  ScatterFixture(level, n, "Candleabrum Generation = %d", n / 5, n / 5 + 1, 'V', false);
  ScatterFixture(level, n, "Scrolls Generation = %d", n / 40, n / 40 + 1, 'd', false);
  ScatterFixture(level, n, "Coffin Generation = %d", n / 25, n / 25 + 1, 'X', false);
  ScatterFixture(level, n, "Fountain Generation = %d", n / 60, n / 60 + 1, 'T', false);
}

}  // namespace

void GenerateDungeon(int32_t cx, int32_t cy, int32_t firstLevel, int32_t levelCount,
                     int32_t areaSize, int32_t roomCount) {
  RoomCounter = 0;
  if (!WorldGrid || !RoomTable || !RoomScratch || !FirstRoomOfLevel || !EndRoomOfLevel) return;
  int64_t half = areaSize / 2;
  int64_t endLevel = int64_t{firstLevel} + levelCount;
  // Every level is built before any is furnished; a level that cannot be built ends the call,
  // and the levels built before it keep their rooms without fixtures. A level outside the grid
  // fails its area test, so the loops below only ever index levels 0 .. MapLevels - 1.
  for (int64_t level = firstLevel; level < endLevel; ++level)
    if (!GrowLevel(cx, cy, static_cast<int32_t>(level), level == firstLevel, half, roomCount))
      return;
  for (int64_t level = firstLevel; level < endLevel; ++level)
    FurnishLevel(static_cast<int32_t>(level), firstLevel, areaSize);
}

int FillArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t level, int32_t code) {
  if (!WorldGrid) return 1;
  return FillAreaWide(x0, y0, x1, y1, level, code);
}

int CheckArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t level, int32_t code) {
  if (!WorldGrid) return 1;
  return CheckAreaWide(x0, y0, x1, y1, level, code);
}

// The generator never asks for n <= 0 (every room has a cell); answering 0 without a draw keeps
// any other caller clear of a division by zero.
int RandomBelow(int32_t n) {
  if (n <= 0) return 0;
  return Rand() % n;
}

// An unknown template gives an empty room (0 x 0); orientations other than 1, 2 and 3 are
// taken as 0, the template as stored.
void RoomSize(int32_t templateNumber, int32_t orientation) {
  if (!KnownTemplate(templateNumber)) {
    RoomWidth = RoomHeight = 0;
    return;
  }
  const char* t = RoomTemplates[templateNumber];
  int32_t width = TemplateWidth(t), height = TemplateHeight(t);
  bool turned = orientation == 1 || orientation == 2;
  RoomWidth = turned ? height : width;
  RoomHeight = turned ? width : height;
}

void BuildRoom(int32_t templateNumber, int32_t orientation) {
  RoomSize(templateNumber, orientation);
  if (!RoomScratch) return;
  std::memset(RoomScratch, 0, static_cast<size_t>(RoomGridSide) * RoomGridSide);
  if (!KnownTemplate(templateNumber)) return;
  const char* t = RoomTemplates[templateNumber];
  int32_t w = TemplateWidth(t), h = TemplateHeight(t);
  for (int32_t r = 0; r < h; ++r) {
    for (int32_t c = 0; c < w; ++c) {
      char letter = t[TemplateRowLength * (r + 1) + c];
      uint8_t value = letter == 'd' ? ScratchFloor : letter == 'p' ? ScratchSpecial : 0;
      if (!value) continue;
      int32_t row = r, column = c;
      if (orientation == 1) {
        row = w - 1 - c;
        column = r;
      } else if (orientation == 2) {
        row = c;
        column = r;
      } else if (orientation == 3) {
        row = h - 1 - r;
      }
      RoomScratch[row * RoomGridSide + column] = value;
    }
  }
}

void CarveRoom() { CarveScratch(SpecialCell, false); }
void CarveRoomAlt() { CarveScratch(SpecialCellAlt, false); }
void CarveRoomMarked() { CarveScratch(SpecialCell, true); }

void BlankFrame() {
  if (!FrameBuffer) return;
  std::memset(FrameBuffer, 0, static_cast<size_t>(RenderWidth) * RenderHeight * 4);
}
