// Overworld map files: levels of the WorldGrid saved to and loaded from ".\map\%d.overworld".
//
// A map file is a raw image of the first levels of the grid, 65536 bytes per level, no header:
// cell (x, y, level) at offset x + y * 256 + level * 65536. Files are opened "always" (a missing
// file is created empty when the map folder exists), read or written in one call from the start
// of the grid, followed by a one-second pause; a save never shortens a longer file. Nothing is
// reported: a missing folder means nothing is read or written and there is no pause.
#pragma once

#include <cstdint>

extern char MapFilePath[64];  // the last path formatted by the four functions below

void LoadOverworld(int32_t number);               // level 0
void LoadWorld(int32_t number, uint32_t levels);  // levels 0 .. levels - 1, at most MapLevels
void SaveOverworld(int32_t number);
void SaveWorld(int32_t number, uint32_t levels);
