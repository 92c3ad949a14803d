// Game data initialisation: the pools and tables of the game layer.
//
// Every pool comes from calloc. The large ones (the grids, the room records, the path arrays)
// are then mapped pages that the system hands out zeroed on first touch, so "allocate and zero"
// costs nothing for the many pages the game never reaches, and no pool is cleared a second time.
// Pools whose contents the game layer defines itself start at zero as well: every run of the
// program then sees the same bytes.
#include "game/game_data.h"

#include <bit>
#include <cmath>
#include <cstdlib>

#include "frame/frame.h"
#include "game/console.h"
#include "platform/platform.h"
#include "textures/textures.h"

int32_t UnitCapacity = 3000;
int32_t KindCapacity = 230000;
int32_t RoomGridSide = 30;
int32_t RoomCapacity = MapLevels * 6000;

uint8_t* HeightMap = nullptr;
uint8_t* WorldGrid = nullptr;
uint8_t* OverlayGrid = nullptr;
UnitRecord* UnitTable = nullptr;
KindRecord* KindTable = nullptr;
PathSearch* PathSearchState = nullptr;
float TerrainCost[256];
uint32_t* FirstRoomOfLevel = nullptr;
uint32_t* EndRoomOfLevel = nullptr;
uint8_t* RoomScratch = nullptr;
RoomRecord* RoomTable = nullptr;
float* SineTable = nullptr;
float* CosineTable = nullptr;

namespace {

template <typename T>
T* AllocateZeroed(size_t count) {
  return static_cast<T*>(std::calloc(count, sizeof(T)));
}

// ---- Neighbour orders ---------------------------------------------------------------------

struct Step {
  int32_t dx, dy;
};

// Each odd order is the order before it walked backwards.
constexpr Step NeighbourOrders[8][8] = {
    {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}},
    {{-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}},
    {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}},
    {{-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}},
    {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}},
    {{1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}},
    {{-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}},
    {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}},
};

// A diagonal step costs 1.4142 as written, not the square root of 2.
constexpr float StraightStepCost = 1.0f;
constexpr float DiagonalStepCost = 1.4142f;

// ---- Sine and cosine tables ---------------------------------------------------------------
//
// Entry a holds (float)sin(x) and (float)cos(x) of x = a * 0.017453292516666667 / 1000.0.
// Calling sin and cos 3.6 million times each dominates start-up, so each degree (1000 entries)
// is evaluated from its first entry's sine and cosine by the angle sum, with short Taylor
// series for the small remainder. That result is within about 1e-16 of the true value; the
// library's sin and cos are within one unit in the last place of it. Whenever a value lies so
// close to the midpoint between two floats that the two could round differently (the values
// within TrigSlack of it do not all round to one float), that entry is taken from sin or cos
// themselves. The stored floats are therefore exactly those of the plain loop; a test compares
// every entry.

constexpr int32_t TrigEntries = 3600000;
constexpr int32_t TrigBlockEntries = 1000;
// More than ten times the worst error of the evaluation plus that of the library.
constexpr double TrigSlack = 0x1p-48;

// The counter is single precision and the argument double, as the table defines them.
double TrigArgument(float a) { return a * 0.017453292516666667 / 1000.0; }

struct SineCosine {
  double sine, cosine;
};

// Sine and cosine of anchor + offset, the offset below one degree.
SineCosine RotateBy(double anchorSine, double anchorCosine, double offset) {
  double d2 = offset * offset;
  double sineOffset =
      offset +
      offset * d2 * (-1.0 / 6.0 + d2 * (1.0 / 120.0 + d2 * (-1.0 / 5040.0 + d2 / 362880.0)));
  double cosineOffsetMinusOne =
      d2 * (-0.5 + d2 * (1.0 / 24.0 + d2 * (-1.0 / 720.0 + d2 / 40320.0)));
  return {anchorSine + (anchorSine * cosineOffsetMinusOne + anchorCosine * sineOffset),
          anchorCosine + (anchorCosine * cosineOffsetMinusOne - anchorSine * sineOffset)};
}

// Non-zero when the values within TrigSlack of value do not all round to one float.
uint32_t RoundingInDoubt(double value) {
  return std::bit_cast<uint32_t>(static_cast<float>(value - TrigSlack)) ^
         std::bit_cast<uint32_t>(static_cast<float>(value + TrigSlack));
}

void BuildTrigBlock(int32_t first, int32_t end) {
  double anchor = TrigArgument(static_cast<float>(first));
  double anchorSine = std::sin(anchor);
  double anchorCosine = std::cos(anchor);
  // Branch-free first pass: the doubt of the whole block is gathered and settled afterwards.
  uint32_t doubt = 0;
  for (int32_t a = first; a < end; ++a) {
    // Exact: the argument lies in [anchor, 2 * anchor), or the anchor is 0.
    double offset = TrigArgument(static_cast<float>(a)) - anchor;
    SineCosine value = RotateBy(anchorSine, anchorCosine, offset);
    SineTable[a] = static_cast<float>(value.sine);
    CosineTable[a] = static_cast<float>(value.cosine);
    doubt |= RoundingInDoubt(value.sine) | RoundingInDoubt(value.cosine);
  }
  if (doubt == 0) return;
  for (int32_t a = first; a < end; ++a) {
    double x = TrigArgument(static_cast<float>(a));
    SineCosine value = RotateBy(anchorSine, anchorCosine, x - anchor);
    if (RoundingInDoubt(value.sine)) SineTable[a] = static_cast<float>(std::sin(x));
    if (RoundingInDoubt(value.cosine)) CosineTable[a] = static_cast<float>(std::cos(x));
  }
}

}  // namespace

void InitGameData() {
  SetRenderSize(RenderWidth, RenderHeight);
  // Its contents are whatever the terrain generator writes; nothing reads it before that.
  HeightMap = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(MapSide + 1) * (MapSide + 1)));
  size_t gridCells = static_cast<size_t>(CellsPerLevel) * MapLevels;
  WorldGrid = AllocateZeroed<uint8_t>(gridCells);
  OverlayGrid = AllocateZeroed<uint8_t>(gridCells);
  AllocateTextureSlots();
  UnitTable = AllocateZeroed<UnitRecord>(UnitCapacity);
  KindTable = AllocateZeroed<KindRecord>(KindCapacity);
  PathSearchState = AllocateZeroed<PathSearch>(1);
  InitPathSearch(PathSearchState);

  LoadTextureLists();

  InitTerrainCosts();
  // InitDungeonPools takes the RoomTable from calloc, so it is all zero already; clearing its
  // 21.6 MB again would only bring every page into memory.
  InitDungeonPools();
  InitTrigTables();
  InitConsole();
  FillKindTable();
  DeriveKindRecords();

  UnitTable[1].fx = 0.5f;
  UnitTable[1].fy = 0.5f;
  UnitTable[1].fz = 0.5f;
}

void InitPathSearch(PathSearch* state) {
  size_t cells = static_cast<size_t>(CellsPerLevel);
  size_t units = static_cast<size_t>(UnitCapacity);
  state->nodeX = AllocateZeroed<int16_t>(cells);
  state->nodeY = AllocateZeroed<int16_t>(cells);
  state->parent = AllocateZeroed<uint32_t>(cells);
  state->nodeFlag = AllocateZeroed<uint8_t>(cells);
  state->cost = AllocateZeroed<float>(cells);
  state->nodeAtCell = AllocateZeroed<uint32_t>(cells);
  state->unitWorkA = AllocateZeroed<uint32_t>(units);
  state->unitWorkB = AllocateZeroed<uint32_t>(units);
  state->pathX = AllocateZeroed<uint32_t>(units * 1000);
  state->pathY = AllocateZeroed<uint32_t>(units * 1000);
  state->unitWorkC = AllocateZeroed<uint32_t>(units);
  state->lastPathStep = AllocateZeroed<int32_t>(units);
  state->unitWorkD = AllocateZeroed<uint32_t>(units);
  state->reachedMarks = AllocateZeroed<uint8_t>(cells);
  state->workBlockA = AllocateZeroed<uint8_t>(24000);
  state->workBlockB = AllocateZeroed<uint8_t>(cells * 20);
  for (size_t unit = 0; unit < units; ++unit) {
    state->lastPathStep[unit] = -9;  // no path
    state->unitWorkD[unit] = 0;
  }
  SetNeighbourOrder(state, 0);
  state->byteFlag = 0;
}

void SetNeighbourOrder(PathSearch* state, uint32_t order) {
  state->neighbourOrder = order;
  if (order >= 8) return;  // stored, but the steps stay as they were
  for (int k = 0; k < 8; ++k) {
    const Step& step = NeighbourOrders[order][k];
    state->stepX[k] = step.dx;
    state->stepY[k] = step.dy;
    state->stepCost[k] = step.dx == 0 || step.dy == 0 ? StraightStepCost : DiagonalStepCost;
  }
}

void InitTerrainCosts() {
  for (float& cost : TerrainCost) cost = 3.0f;
  TerrainCost[11] = 9.0f;      // forest
  TerrainCost[12] = 18.0f;     // fruit forest
  TerrainCost[13] = 42.0f;     // grey forest
  TerrainCost[14] = 16.0f;     // water
  TerrainCost[15] = 50.0f;     // deep water
  TerrainCost[16] = 28.0f;     // swamp
  TerrainCost[17] = 30.0f;     // desert
  TerrainCost[18] = 18.0f;     // hills
  TerrainCost[19] = 300.0f;    // mountain
  TerrainCost[20] = 400.0f;    // high mountain
  TerrainCost[21] = 15.0f;     // leaf forest
  TerrainCost[22] = 1.0f;      // road
  TerrainCost['='] = 3000.0f;  // dungeon rock
  TerrainCost['R'] = 20.0f;    // dungeon trap
  for (int village = 180; village <= 184; ++village) TerrainCost[village] = 180.0f;
}

void InitTrigTables() {
  if (SineTable || CosineTable) return;  // built once: a second build would only cost time
  size_t bytes = sizeof(float) * TrigEntries;
  SineTable = static_cast<float*>(std::malloc(bytes));
  CosineTable = static_cast<float*>(std::malloc(bytes));
  if (!SineTable || !CosineTable) return;
  // Every page is written at once: large pages make that thousands of faults fewer.
  PlatformAdviseLargePages(SineTable, bytes);
  PlatformAdviseLargePages(CosineTable, bytes);
  for (int32_t first = 0; first < TrigEntries; first += TrigBlockEntries)
    BuildTrigBlock(first, first + TrigBlockEntries);
}

void InitDungeonPools() {
  FirstRoomOfLevel = AllocateZeroed<uint32_t>(static_cast<size_t>(MapLevels) + 1);
  EndRoomOfLevel = AllocateZeroed<uint32_t>(static_cast<size_t>(MapLevels) + 1);
  RoomScratch = AllocateZeroed<uint8_t>(static_cast<size_t>(RoomGridSide) * RoomGridSide);
  RoomTable = AllocateZeroed<RoomRecord>(RoomCapacity);
}

void DeriveKindRecords() {
  CopyKind(10000, 6110);  // the first container's first item
  CopyKind(9000, 6110);
  CopyKind(9001, 6111);
  CopyKind(9002, 6200);
  CopyKind(9003, 6316);
}

namespace {

void ReleasePathSearch() {
  if (!PathSearchState) return;
  PathSearch& state = *PathSearchState;
  ReleaseBlock(state.nodeX);
  ReleaseBlock(state.nodeY);
  ReleaseBlock(state.parent);
  ReleaseBlock(state.nodeFlag);
  ReleaseBlock(state.cost);
  ReleaseBlock(state.nodeAtCell);
  ReleaseBlock(state.unitWorkA);
  ReleaseBlock(state.unitWorkB);
  ReleaseBlock(state.pathX);
  ReleaseBlock(state.pathY);
  ReleaseBlock(state.unitWorkC);
  ReleaseBlock(state.lastPathStep);
  ReleaseBlock(state.unitWorkD);
  ReleaseBlock(state.reachedMarks);
  ReleaseBlock(state.workBlockA);
  ReleaseBlock(state.workBlockB);
  ReleaseBlock(PathSearchState);
}

}  // namespace

void ReleaseWorldGrids() {
  ReleaseBlock(HeightMap);
  ReleaseBlock(WorldGrid);
  ReleaseBlock(OverlayGrid);
}

void ReleaseGameTables() {
  ReleaseBlock(UnitTable);
  ReleaseBlock(KindTable);
  ReleasePathSearch();
  ReleaseBlock(FirstRoomOfLevel);
  ReleaseBlock(EndRoomOfLevel);
  ReleaseBlock(RoomScratch);
  ReleaseBlock(RoomTable);
  ReleaseBlock(SineTable);
  ReleaseBlock(CosineTable);
}
