// Game data initialisation: the pools and tables of the game layer.
#include <cstdlib>

#include "data/data.h"
#include "frame/frame.h"

int32_t MapSide = 256;
int32_t MapLevels = 180;
int32_t CellsPerLevel = MapSide * MapSide;
uint32_t TextureSlotCount = 3100;
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

void InitGameData() {
  SetRenderSize(RenderWidth, RenderHeight);
  TextureSlotTable = static_cast<TextureSlot*>(std::calloc(TextureSlotCount, sizeof(TextureSlot)));
  WorldGrid = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(CellsPerLevel) * MapLevels, 1));
  UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCapacity, sizeof(UnitRecord)));
}
void InitPathSearch(PathSearch*) {}
void SetNeighbourOrder(PathSearch*, uint32_t) {}
void InitTerrainCosts() {}
void InitTrigTables() {}
void InitDungeonPools() {}
void DeriveKindRecords() {}
