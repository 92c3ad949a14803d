// Overworld map files: levels of the WorldGrid saved to and loaded from ".\map\%d.overworld".
#pragma once

#include <cstdint>

void LoadOverworld(int32_t number);
void LoadWorld(int32_t number, uint32_t levels);
void SaveOverworld(int32_t number);
void SaveWorld(int32_t number, uint32_t levels);
