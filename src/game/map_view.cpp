// Map view.
#include "game/map_view.h"

uint32_t MapViewUnit = 1;

void DrawMapView() {}
