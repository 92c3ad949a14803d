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

// The object and vertex pools are large and mostly untouched: malloc maps them lazily, so the
// pages that no object reaches never cost memory, and nothing reads a record before a
// constructor or the transform writes it. The light table is small and cleared: a light's
// camera-space place is written only while an object is transformed, so with no object drawn
// (LastObjectId 0) its label reads the zeroes, the same in every run, not stale memory.
void AllocateScenePools() {
  VertexPool = static_cast<SceneVertex*>(std::malloc(sizeof(SceneVertex) * VertexPoolCapacity));
  ObjectPool = static_cast<SceneObject*>(std::malloc(sizeof(SceneObject) * ObjectPoolCapacity));
  LightTable = static_cast<SceneLight*>(std::calloc(LightTableCapacity, sizeof(SceneLight)));
}

void ReleaseScenePools() {
  ReleaseBlock(VertexPool);
  ReleaseBlock(ObjectPool);
  ReleaseBlock(LightTable);
}
