// The world grid's shape.
#include "base/base.h"

int32_t MapSide = 256;
int32_t MapLevels = 180;
int32_t CellsPerLevel = MapSide * MapSide;
