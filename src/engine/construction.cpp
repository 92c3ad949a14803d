// Object construction: boxes, triangles and the vector routines.
#include "engine/engine.h"

void CreateBoxObject(uint32_t, float, float, float, uint32_t, float) {}
void CreateTriangleObject(uint32_t, float, float, float, float, float, float, float, float, float,
                          uint32_t) {}
Vec3 VecSub(Vec3 a, Vec3) { return a; }
Vec3 VecCross(Vec3 a, Vec3) { return a; }
double VecDot(Vec3, Vec3) { return 0; }
float VecLength(Vec3) { return 0; }
Vec3 VecNormalize(Vec3 v) { return v; }
Vec3 FaceNormal(Vec3 p0, Vec3, Vec3) { return p0; }
