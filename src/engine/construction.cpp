// Object construction: boxes, triangles and the vector routines.
//
// The vector routines work in double precision; whatever is stored into a record is rounded to
// single precision on the way in.
#include <cmath>

#include "engine/engine.h"

namespace {

// Corner slots of a box centred on the origin, before the quarter turn, in units of halfSize.
constexpr float BoxCornerSigns[8][3] = {
    {-1, +1, -1}, {+1, +1, -1}, {+1, -1, -1}, {-1, -1, -1},
    {-1, +1, +1}, {+1, +1, +1}, {+1, -1, +1}, {-1, -1, +1},
};

// The faces of a box: the four corner slots around the face, and the three corners whose
// FaceNormal is the face's outward normal once the corners have been turned.
constexpr uint32_t BoxFaceCorners[6][4] = {
    {4, 5, 6, 7}, {0, 1, 2, 3}, {4, 5, 1, 0}, {7, 6, 2, 3}, {5, 1, 2, 6}, {4, 0, 3, 7},
};
constexpr uint32_t BoxNormalTriples[6][3] = {
    {7, 4, 5}, {2, 1, 0}, {4, 0, 1}, {6, 2, 3}, {6, 5, 1}, {3, 0, 4},
};

Vec3 SlotPoint(uint32_t slot) {
  const SceneVertex& v = VertexPool[slot];
  return Vec3{v.x, v.y, v.z};
}

void StoreSlotPoint(uint32_t slot, Vec3 p) {
  SceneVertex& v = VertexPool[slot];
  v.x = static_cast<float>(p.x);
  v.y = static_cast<float>(p.y);
  v.z = static_cast<float>(p.z);
}

// Faces are filled in ascending order, so a slot listed by several faces keeps the highest
// face number in its faceTag.
void FillFace(uint32_t id, uint32_t f, const uint32_t corners[4], uint32_t texture) {
  uint32_t base = VerticesPerObject * id;
  SceneFace& face = ObjectPool[id].faces[f];
  for (int k = 0; k < 4; ++k) face.corners[k] = base + corners[k];
  face.normal = base + 8 + f;
  face.texture = texture;
  face.visible = 1;
  for (int k = 0; k < 4; ++k) VertexPool[face.corners[k]].faceTag = f;
  VertexPool[face.normal].faceTag = f;
}

}  // namespace

void CreateBoxObject(uint32_t id, float x, float y, float z, uint32_t texture, float halfSize) {
  uint32_t base = VerticesPerObject * id;
  for (uint32_t k = 0; k < 8; ++k) {
    SceneVertex& v = VertexPool[base + k];
    v.x = BoxCornerSigns[k][0] * halfSize;
    v.y = BoxCornerSigns[k][1] * halfSize;
    v.z = BoxCornerSigns[k][2] * halfSize;
  }
  // A quarter turn in the y-z plane: (x, y, z) becomes (x, z, -y) up to the rotation's rounding.
  for (uint32_t k = 0; k < 8; ++k) {
    SceneVertex& v = VertexPool[base + k];
    RotatedPoint turned = RotatePoint(v.x, v.y, v.z, 0.0, 90.0, 0.0);
    StoreSlotPoint(base + k, Vec3{turned.x, turned.y, turned.z});
  }
  // Normals come from the turned corners while they are still centred on the origin.
  for (uint32_t f = 0; f < 6; ++f) {
    const uint32_t* triple = BoxNormalTriples[f];
    Vec3 normal = FaceNormal(SlotPoint(base + triple[0]), SlotPoint(base + triple[1]),
                             SlotPoint(base + triple[2]));
    StoreSlotPoint(base + 8 + f, normal);
  }
  for (uint32_t k = 0; k < 8; ++k) {
    SceneVertex& v = VertexPool[base + k];
    v.x = v.x + x;
    v.y = v.y + y;
    v.z = v.z + z;
  }
  for (uint32_t f = 0; f < 6; ++f) FillFace(id, f, BoxFaceCorners[f], texture);
  ObjectPool[id].faces[0].kind = ObjectKindBox;
  for (uint32_t f = 0; f < 6; ++f) ObjectPool[id].faces[f].reservedFlag = 0;
}

void CreateTriangleObject(uint32_t id, float x1, float y1, float z1, float x2, float y2, float z2,
                          float x3, float y3, float z3, uint32_t texture) {
  uint32_t base = VerticesPerObject * id;
  Vec3 p1{x1, y1, z1}, p2{x2, y2, z2}, p3{x3, y3, z3};
  StoreSlotPoint(base + 0, p1);
  StoreSlotPoint(base + 1, p2);
  StoreSlotPoint(base + 2, p3);
  // The fourth corner of face 0 is the origin; the renderer never draws it. The positions of
  // slots 4..7 are left as they were.
  StoreSlotPoint(base + 3, Vec3{0, 0, 0});
  StoreSlotPoint(base + 8, FaceNormal(p1, p2, p3));
  StoreSlotPoint(base + 9, FaceNormal(p3, p2, p1));

  constexpr uint32_t TriangleCorners[4] = {0, 1, 2, 3};
  FillFace(id, 0, TriangleCorners, texture);
  FillFace(id, 1, TriangleCorners, texture);
  // Faces 2..5 carry the box's corner lists; nothing reads them for a triangle, but their
  // faceTag marks still land on the slots they list, as for a box.
  for (uint32_t f = 2; f < 6; ++f) FillFace(id, f, BoxFaceCorners[f], texture);
  ObjectPool[id].faces[0].kind = ObjectKindTriangle;
  for (uint32_t f = 0; f < 6; ++f) ObjectPool[id].faces[f].reservedFlag = 0;
}

Vec3 VecSub(Vec3 a, Vec3 b) { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 VecCross(Vec3 a, Vec3 b) {
  return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double VecDot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

float VecLength(Vec3 v) { return static_cast<float>(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z)); }

Vec3 VecNormalize(Vec3 v) {
  double length = VecLength(v);  // the single-precision length, widened
  return Vec3{v.x / length, v.y / length, v.z / length};
}

Vec3 FaceNormal(Vec3 p0, Vec3 p1, Vec3 p2) {
  return VecNormalize(VecCross(VecSub(p2, p0), VecSub(p1, p0)));
}
