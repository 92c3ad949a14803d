// Map view.
#include "game/map_view.h"

#include <cstddef>

#include "base/base.h"
#include "frame/frame.h"
#include "game/game_data.h"
#include "overlay/overlay.h"

uint32_t MapViewUnit = 1;

namespace {

constexpr int32_t TileSize = 16;
constexpr int32_t NoPicture = -1;
constexpr uint32_t PathMarkSlot = 22;
constexpr int32_t PathStepsPerUnit = 1000;
constexpr int32_t BarLength = 14;
// A tile this far from the frame cannot reach it; skipping it keeps pixel arithmetic in range.
constexpr int64_t FarOffFrame = int64_t{1} << 30;

int32_t ViewColumns() { return RenderWidth / TileSize; }
int32_t ViewRows() { return RenderHeight / TileSize; }

// A cell is the byte x + y * 256 + level * 65536 of the grid, whatever x and y are: a view that
// runs past the right or top edge of a level reads on into the next row or level, as the
// byte index gives it. Only a byte outside the whole grid has no code and draws nothing.
bool CellInGrid(int64_t cell) { return cell >= 0 && cell < int64_t{CellsPerLevel} * MapLevels; }

void DrawTiles() {
  for (int32_t c = 0; c < ViewColumns(); ++c) {
    for (int32_t r = 0; r < ViewRows(); ++r) {
      int64_t x = int64_t{MapViewColumn} + c, y = int64_t{MapViewRow} + r;
      int64_t cell = WorldCellIndex(x, y, MapViewLevel);
      if (!CellInGrid(cell)) continue;
      int32_t slot = MapTileSlot(WorldGrid[cell], MapViewLevel);
      if (slot != NoPicture) DrawSlotImage(TileSize * c, TileSize * r, static_cast<uint32_t>(slot));
    }
  }
}

// A path mark over cell (x, y) of whatever level is shown.
void DrawPathMark(int64_t x, int64_t y) {
  int64_t px = TileSize * (x - MapViewColumn), py = TileSize * (y - MapViewRow);
  if (px <= -FarOffFrame || px >= FarOffFrame || py <= -FarOffFrame || py >= FarOffFrame) return;
  DrawSlotImageKeyed(static_cast<int32_t>(px), static_cast<int32_t>(py), PathMarkSlot);
}

// The stored path of the viewed unit, from its last step down to the first, then the unit's own
// cell, path or not. A unit holds at most 1000 steps; a larger last step reads only those.
void DrawViewedPath() {
  if (!UnitTable || MapViewUnit >= static_cast<uint32_t>(UnitCapacity)) return;
  const UnitRecord& unit = UnitTable[MapViewUnit];
  const PathSearch* path = PathSearchState;
  if (unit.inUse && path && path->lastPathStep && path->pathX && path->pathY) {
    int32_t last = path->lastPathStep[MapViewUnit];
    if (last >= PathStepsPerUnit) last = PathStepsPerUnit - 1;
    size_t base = static_cast<size_t>(MapViewUnit) * PathStepsPerUnit;
    for (int32_t s = last; s >= 0; --s) DrawPathMark(path->pathX[base + s], path->pathY[base + s]);
  }
  DrawPathMark(unit.x, unit.y);
}

// "In use" is a non-zero flag (placed units hold 1).
bool ShownOnMap(const UnitRecord& unit) {
  if (!unit.inUse || unit.hiddenFlag != 0) return false;
  return unit.unitType == 1 || unit.unitType == 3 || unit.unitType == 9;
}

// The bar's right end, px + 14 * barCurrent / barMaximum in single precision, truncated. A
// ratio that is not finite (barMaximum 0) or leaves the 32-bit range converts to 0x80000000 as
// the x86 conversion does, so such a bar runs off the frame's left edge. The end is then held
// to one pixel beyond either side of the frame: the pixels drawn are the same, and the line
// stays short.
int32_t BarEnd(int32_t px, const UnitRecord& unit) {
  float end = static_cast<float>(px) + BarLength * unit.barCurrent / unit.barMaximum;
  int32_t x = DoubleToInt32(end);
  if (x < -1) x = -1;
  if (x > RenderWidth) x = RenderWidth;
  return x;
}

void DrawUnit(uint32_t index, const UnitRecord& unit) {
  int32_t px = TileSize * (unit.x - MapViewColumn);
  int32_t py = TileSize * (unit.y - MapViewRow);
  DrawSlotImageKeyed(px, py, unit.picture);
  DrawLine(px, py + 16, px + BarLength, py + 16, 255, 0, 0);
  if (unit.barState == 0) DrawLine(px, py + 16, BarEnd(px, unit), py + 16, 0, 255, 0);
  if (unit.barState == 1 || unit.barState == 3)
    DrawLine(px, py + 16, BarEnd(px, unit), py + 16, 96, 44, 136);
  FormatText(TextBuffer, "%d ms%d ", static_cast<int>(index), static_cast<int>(unit.shownNumber));
  DrawSmallText(px, py + 17, 255, 255, 255);
}

void DrawUnits() {
  if (!UnitTable) return;
  for (int32_t u = 0; u < UnitCapacity; ++u) {
    const UnitRecord& unit = UnitTable[u];
    if (!ShownOnMap(unit)) continue;
    if (unit.level != MapViewLevel) continue;
    int64_t column = int64_t{unit.x} - MapViewColumn, row = int64_t{unit.y} - MapViewRow;
    if (column < 0 || column >= ViewColumns() || row < 0 || row >= ViewRows()) continue;
    DrawUnit(static_cast<uint32_t>(u), unit);
  }
}

}  // namespace

int32_t MapTileSlot(uint8_t code, int32_t level) {
  // Land pictures carry their own code as slot number; hills (18) change with the level.
  if (code == 18) return level == 0 ? 12 : level == 1 ? 18 : level == 2 ? 17 : NoPicture;
  if (code >= 10 && code <= 24) return code;
  if ((code >= 180 && code <= 184) || (code >= 188 && code <= 194) || (code >= 196 && code <= 198))
    return code;
  switch (code) {
    case '<':
      return 119;  // floor
    case '=':
      return 111;  // rock
    case 'D':
      return 118;  // marble floor
    case 'F':
      return 128;  // door
    case 'L':
      return 137;  // stairs up
    case 'M':
      return 136;  // stairs down
    case 'N':
      return 131;  // spent source
    case 'O':
      return 130;  // source
    case 'P':
      return 132;  // spawn
    case 'Q':
      return 133;  // spent spawn
    case 'R':
      return 148;  // trap
    case 'S':
      return 149;  // disabled trap
    case 'T':
      return 134;  // fountain
    case 'U':
      return 135;  // drunk fountain
    case 'V':
      return 122;  // candelabrum
    case 'W':
      return 123;  // extinct candelabrum
    case 'X':
      return 124;  // coffin
    case 'Y':
      return 125;  // open coffin
    case 'Z':
      return 120;  // chest
    case '[':
      return 121;  // open chest
    case 'd':
      return 167;  // scrolls
    case 'l':
      return 140;  // circle
    case 'o':
      return 141;  // golden circle
    case 'm':
      return 142;  // flaming circle
    case 'p':
      return 144;  // altar
    case 't':
      return 145;  // jewelled altar
    case 'q':
      return 146;  // dark altar
    case 128:
      return 152;  // torch
    case 161:
      return 126;  // bones
    case 162:
      return 127;  // cleaned bones
    case 211:
      return 160;  // source
    case 212:
      return 161;  // red source
    case 218:
      return 155;  // gear mechanism
    case 219:
      return 156;  // lever
    default:
      return NoPicture;
  }
}

void DrawMapView() {
  if (!FrameBuffer) return;
  if (WorldGrid) DrawTiles();
  DrawViewedPath();
  DrawUnits();
}
