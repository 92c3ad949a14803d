// Dungeon generator.
#include "game/dungeon.h"

int32_t DungeonStyle = 38;
int32_t MaxPlacementAttempts = 1000000;
int32_t ShowGenerationProgress = 0;
const char* const RoomTemplates[29] = {};
uint32_t RoomCounter = 0;
int32_t RoomWidth = 0;
int32_t RoomHeight = 0;
int32_t RoomOriginX = 0;
int32_t RoomOriginY = 0;
int32_t RoomLevel = 0;
int32_t CurrentTemplate = 0;

void GenerateDungeon(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
int FillArea(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) { return 1; }
int CheckArea(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) { return 1; }
int RandomBelow(int32_t) { return 0; }
void RoomSize(int32_t, int32_t) {}
void BuildRoom(int32_t, int32_t) {}
void CarveRoom() {}
void CarveRoomAlt() {}
void CarveRoomMarked() {}
void BlankFrame() {}
