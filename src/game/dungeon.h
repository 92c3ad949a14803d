// Dungeon generator: multi-level dungeons of templated rooms and fixtures in the WorldGrid.
//
// Each level of a call is filled with rock over a square area, a central room is carved, further
// rooms are attached through door cells, and then stairs, chests, candelabra, scrolls, coffins
// and fountains are scattered over the rooms' floors. Every random choice comes from Rand(), in
// a fixed order, so the grid a call produces depends only on the generator's state and the
// arguments.
//
// Cell codes written: '=' rock, '<' floor, 'F' door, 'L' stairs up (deeper level), 'M' stairs
// down (level above), 'Z' chest, 'V' candelabrum, 'd' scrolls, 'X' coffin, 'T' fountain,
// 160 special room cell (163 with DungeonStyle 6).
#pragma once

#include <cstdint>

extern int32_t DungeonStyle;            // 38: templates 0..18; 3, 5, 6: 0..28; 6 also carves 163
extern int32_t MaxPlacementAttempts;    // 1000000: attempts per fixture kind and level
extern int32_t ShowGenerationProgress;  // 0; non-zero shows each planned fixture count

// 29 room templates, each a NUL-terminated string of 990 characters read as 33 rows of 30.
// Row 0 is the header: "jk", the width and height letters ('a' = 1), two extension letters
// ('0' = none, otherwise their value adds to the width), then '0'. Rows 1..height hold the
// room: 'd' floor, 'p' special cell, '0' no cell.
extern const char* const RoomTemplates[29];
constexpr int32_t RoomTemplateCount = 29;

// Generator state.
extern uint32_t RoomCounter;  // next free RoomTable index, 0 at the start of every call
extern int32_t RoomWidth;     // current room size, after orientation
extern int32_t RoomHeight;
extern int32_t RoomOriginX;  // current room origin in the level
extern int32_t RoomOriginY;
extern int32_t RoomLevel;  // level the carving writes to
extern int32_t CurrentTemplate;

// Generates levels firstLevel .. firstLevel + levelCount - 1, each inside the square of side
// areaSize / 2 * 2 + 1 centred on (cx, cy), with roomCount attempted rooms besides the central
// one. Each level's area must be empty (code 0); the first level whose area is not, or whose
// area or central room does not fit on the map, ends the call before any fixture is placed.
void GenerateDungeon(int32_t cx, int32_t cy, int32_t firstLevel, int32_t levelCount,
                     int32_t areaSize, int32_t roomCount);
// 1 (nothing written) unless the inclusive rectangle lies on the map and is all 0; else fills it.
int FillArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t level, int32_t code);
// 0 when every cell of the inclusive rectangle lies on the map and holds code; an empty
// rectangle passes. A level outside 0 .. MapLevels - 1 is off the map.
int CheckArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t level, int32_t code);
int RandomBelow(int32_t n);  // Rand() % n; 0 without drawing when n <= 0
void RoomSize(int32_t templateNumber, int32_t orientation);
void BuildRoom(int32_t templateNumber, int32_t orientation);
void CarveRoom();        // scratch 1 -> '<', 3 -> 160
void CarveRoomAlt();     // scratch 1 -> '<', 3 -> 163
void CarveRoomMarked();  // as CarveRoom, and OverlayGrid 15 under every carved cell
void BlankFrame();
