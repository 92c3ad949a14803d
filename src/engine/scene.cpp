// Scene store: the object, vertex and light pools and their counters.
#include <cstdlib>

#include "base/base.h"
#include "engine/engine.h"

SceneVertex* VertexPool = nullptr;
SceneObject* ObjectPool = nullptr;
SceneLight* LightTable = nullptr;
int32_t NextObjectId = 1;
int32_t LastObjectId = 1;
int32_t LightCount = 0;

// The pools are large and mostly untouched: malloc maps them lazily, so the pages that no object
// reaches never cost memory.
void AllocateScenePools() {
  VertexPool = static_cast<SceneVertex*>(std::malloc(sizeof(SceneVertex) * VertexPoolCapacity));
  ObjectPool = static_cast<SceneObject*>(std::malloc(sizeof(SceneObject) * ObjectPoolCapacity));
  LightTable = static_cast<SceneLight*>(std::malloc(sizeof(SceneLight) * LightTableCapacity));
}

void ReleaseScenePools() {
  ReleaseBlock(VertexPool);
  ReleaseBlock(ObjectPool);
  ReleaseBlock(LightTable);
}
