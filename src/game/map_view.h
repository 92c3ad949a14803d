// Map view: one level of the WorldGrid as a top-down map of 16 x 16 tiles, with the units.
//
// The window onto the grid is the map view cell, MapViewColumn, MapViewRow and MapViewLevel:
// screen tile (c, r) shows cell (MapViewColumn + c, MapViewRow + r, MapViewLevel) with its
// picture's lower-left corner at pixel (16 c, 16 r). Frame rows count upward, so tile row 0 is the
// bottom.
#pragma once

#include <cstdint>

// The map view cell, which the game layer's screens read; the first-person view and the console
// take it as the viewer's cell.
extern int32_t MapViewColumn;  // 0; 0 .. MapSide - RenderWidth / 16 after UpdateMapViewKeys
extern int32_t MapViewRow;     // 0; 0 .. MapSide - RenderHeight / 16 after UpdateMapViewKeys
extern int32_t MapViewLevel;   // 0; 0 .. MapLevels - 1 after UpdateMapViewKeys
extern uint32_t MapViewUnit;   // the viewed unit, 1: its path and its cell are marked

// Tiles, then the viewed unit's path marks (picture 22), then every visible unit of type 1, 3
// or 9 on the shown level with its picture, its bar and its caption.
void DrawMapView();

// The picture slot of a cell code on a level, or -1 when the code draws nothing.
int32_t MapTileSlot(uint8_t code, int32_t level);

// The map view keys (map_view_keys.cpp), once per frame: the arrows move the cell; keypad + and -
// step the level in mode 1 (only where the player's cell above or below is empty) and mode 2
// (freely), each followed by a 380 ms pause; then the cell is clamped into the grid.
void UpdateMapViewKeys(int mode);
