// Dungeon generator: multi-level dungeons of templated rooms and fixtures in the WorldGrid.
#pragma once

#include <cstdint>

extern int32_t DungeonStyle;            // 38
extern int32_t MaxPlacementAttempts;    // 1000000
extern int32_t ShowGenerationProgress;  // 0
extern const char* const RoomTemplates[29];

// Generator state.
extern uint32_t RoomCounter;      // next free RoomTable index, 0 at the start of every call
extern int32_t RoomWidth;         // current room size, after orientation
extern int32_t RoomHeight;
extern int32_t RoomOriginX;       // current room origin in the level
extern int32_t RoomOriginY;
extern int32_t RoomLevel;         // level the carving writes to
extern int32_t CurrentTemplate;

void GenerateDungeon(int32_t cx, int32_t cy, int32_t firstLevel, int32_t levelCount,
                     int32_t areaSize, int32_t roomCount);
int FillArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t level, int32_t code);
int CheckArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t level, int32_t code);
int RandomBelow(int32_t n);
void RoomSize(int32_t templateNumber, int32_t orientation);
void BuildRoom(int32_t templateNumber, int32_t orientation);
void CarveRoom();
void CarveRoomAlt();
void CarveRoomMarked();
void BlankFrame();
