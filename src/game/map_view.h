// Map view: one level of the WorldGrid as a top-down map of 16 x 16 tiles, with the units.
//
// The window onto the grid is MapViewColumn, MapViewRow and MapViewLevel (shell/shell.h): screen
// tile (c, r) shows cell (MapViewColumn + c, MapViewRow + r, MapViewLevel) with its picture's
// lower-left corner at pixel (16 c, 16 r). Frame rows count upward, so tile row 0 is the bottom.
#pragma once

#include <cstdint>

extern uint32_t MapViewUnit;  // the viewed unit, 1: its path and its cell are marked

// Tiles, then the viewed unit's path marks (picture 22), then every visible unit of type 1, 3
// or 9 on the shown level with its picture, its bar and its caption.
void DrawMapView();

// The picture slot of a cell code on a level, or -1 when the code draws nothing.
int32_t MapTileSlot(uint8_t code, int32_t level);
