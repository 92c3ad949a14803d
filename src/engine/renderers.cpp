// Frame rendering driver: the box and triangle renderers and the render switches.
#include "engine/engine.h"

int32_t LightingEnabled = 1;
int32_t TexturingEnabled = 1;
int32_t CoarseFillEnabled = 1;
int32_t WireframeEnabled = 1;

void RenderBoxObject(uint32_t) {}
void RenderTriangleObject(uint32_t) {}
