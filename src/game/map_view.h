// Map view: one level of the WorldGrid as a top-down map of 16 x 16 tiles, with the units.
#pragma once

#include <cstdint>

extern uint32_t MapViewUnit;  // the viewed unit, 1

void DrawMapView();
