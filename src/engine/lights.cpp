// Lights: the on-screen label of each live light.
#include "engine/engine.h"

void DrawLightLabel(uint32_t) {}
