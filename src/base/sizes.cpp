// The world grid's shape and the render size.
#include "base/base.h"

int32_t MapSide = 256;
int32_t MapLevels = 180;
int32_t CellsPerLevel = MapSide * MapSide;

int32_t RenderWidth = 0;
int32_t RenderHeight = 0;
