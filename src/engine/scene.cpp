// Scene store: the object, vertex and light pools and their counters.
#include "engine/engine.h"

SceneVertex* VertexPool = nullptr;
SceneObject* ObjectPool = nullptr;
SceneLight* LightTable = nullptr;
int32_t NextObjectId = 1;
int32_t LastObjectId = 1;
int32_t LightCount = 0;
