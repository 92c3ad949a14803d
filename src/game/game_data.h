// Game data: the game layer's pools and tables, built once at start-up, and the kind table.
#pragma once

#include <cstdint>

#include "base/base.h"

// ---- Configuration (game_data.cpp) ----------------------------------------------------------

extern int32_t UnitCapacity;  // 3000
extern int32_t KindCapacity;  // 230000
extern int32_t RoomGridSide;  // 30
extern int32_t RoomCapacity;  // MapLevels * 6000, derived at static initialisation

// ---- Game pools and tables (game_data.cpp) --------------------------------------------------

struct UnitRecord {
  uint8_t inUse;
  uint16_t x, y, level;  // the unit's cell
  uint16_t shownNumber;
  float fx, fy, fz;  // fine position inside the cell, 0.5 = centre
  float previousFx, previousFy, previousFz;
  uint16_t picture;  // TextureSlot of the unit's image
  uint16_t unitType;
  uint16_t prefix, middle, suffix;  // syllable indices of the name
  float barMaximum;
  float barCurrent;
  uint8_t hiddenFlag;
  uint8_t barState;
  float walkPhase;
};

struct KindRecord {
  uint8_t unused0;
  uint8_t unused1;
  uint16_t picture;  // 0 marks an empty record
  uint32_t kindId;
  uint8_t unused2;
  uint16_t unused3;
  uint16_t unused4;
  uint8_t unused5[2];
  uint8_t flags[5];
  uint8_t place;
  uint8_t unused6;
  uint8_t weaponFlag;
  uint8_t power;
  uint8_t bonus;
  float powerFloat;
  uint8_t unused7[4];
  float factor;
  uint8_t unused8[6];
  uint8_t unused9[2];
  uint8_t unused10[5];
  uint16_t unused11;
  uint16_t worth;
  uint16_t unused12[4];
};

struct PathSearch {
  int16_t* nodeX;
  int16_t* nodeY;
  uint32_t openListHead;  // left untouched by initialisation
  uint32_t* parent;
  uint8_t* nodeFlag;
  float* cost;
  uint32_t* nodeAtCell;
  uint32_t* unitWorkA;
  uint32_t* unitWorkB;
  uint32_t* pathX;  // step s of unit u at u * 1000 + s
  uint32_t* pathY;
  uint32_t* unitWorkC;
  int32_t* lastPathStep;  // -9 = no path
  uint32_t* unitWorkD;    // 0 after initialisation
  int32_t windowX, windowY, windowWidth;
  int32_t stepX[8];
  int32_t stepY[8];
  float stepCost[8];
  uint32_t neighbourOrder;
  uint8_t* reachedMarks;
  uint8_t* workBlockA;  // 24,000 bytes
  uint8_t* workBlockB;  // CellsPerLevel * 20 bytes
  uint32_t level;
  int32_t orderedInsert;
  uint32_t currentNode;
  uint32_t nodeCount;
  uint8_t byteFlag;
};

struct RoomRecord {
  uint16_t x, y;           // top-left scratch cell of the room in the level
  uint16_t width, height;  // after orientation
  uint16_t level;
  uint32_t index;  // the record's own index in the RoomTable
  uint8_t templateNumber;
};

extern uint8_t* HeightMap;     // (MapSide + 1)^2 bytes, index y * MapSide + x
extern uint8_t* WorldGrid;     // cell (x, y, level) at x + y * MapSide + level * CellsPerLevel
extern uint8_t* OverlayGrid;   // same shape
extern UnitRecord* UnitTable;  // UnitCapacity records; unit 1 is the player
extern KindRecord* KindTable;  // KindCapacity records
extern PathSearch* PathSearchState;
extern float TerrainCost[256];
extern uint32_t* FirstRoomOfLevel;  // MapLevels + 1 entries
extern uint32_t* EndRoomOfLevel;    // MapLevels + 1 entries
extern uint8_t* RoomScratch;        // RoomGridSide * RoomGridSide bytes
extern RoomRecord* RoomTable;       // RoomCapacity records
extern float* SineTable;            // 3,600,000 entries, thousandths of a degree
extern float* CosineTable;

void InitGameData();
void InitPathSearch(PathSearch* state);
void SetNeighbourOrder(PathSearch* state, uint32_t order);
void InitTerrainCosts();
void InitTrigTables();
void InitDungeonPools();
void DeriveKindRecords();
// Release at exit, each pointer cleared once its block is freed; a pool never allocated is
// skipped.
void ReleaseWorldGrids();  // the HeightMap, the WorldGrid, the OverlayGrid
// The UnitTable, the KindTable, the path search (its arrays, then the record), the dungeon pools,
// the SineTable and the CosineTable.
void ReleaseGameTables();

// ---- Kind table (kind_table.cpp) ------------------------------------------------------------

void FillKindTable();
void CopyKind(uint32_t destination, uint32_t source);
