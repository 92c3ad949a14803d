// Frame rendering driver: the box and triangle renderers and the render switches.
//
// No sorting and no back-face test: faces go out in record order and the depth buffer alone
// decides which pixel survives. The only whole-face rejection is the near test.
#include <cmath>

#include "engine/engine.h"

int32_t LightingEnabled = 1;
int32_t TexturingEnabled = 1;
int32_t CoarseFillEnabled = 1;
int32_t WireframeEnabled = 1;

namespace {

// The corner value of a vertex: its pixel position (centre plus offset, an integer sum) and its
// camera-space position. The sum is formed in 64 bits so that a vertex the transform never
// reached cannot overflow it.
struct CornerValue {
  double px, py, camX, camY, camZ;
};

CornerValue CornerOf(uint32_t slot) {
  const SceneVertex& v = VertexPool[slot];
  return CornerValue{static_cast<double>(int64_t{ScreenCentreX} + v.screenX),
                     static_cast<double>(int64_t{ScreenCentreY} + v.screenY), v.camX, v.camY,
                     v.camZ};
}

bool NearerThanPlane(const CornerValue& c) { return c.camZ > NearPlaneZ; }

void Line(const CornerValue& from, const CornerValue& to, uint32_t maskValue) {
  DrawDepthLine(from.px, from.py, from.camZ, to.px, to.py, to.camZ, maskValue);
}

void BoxOutline(const CornerValue c[4], uint32_t maskValue) {
  Line(c[0], c[1], maskValue);
  Line(c[1], c[2], maskValue);
  Line(c[3], c[2], maskValue);
  Line(c[0], c[3], maskValue);
}

void TriangleOutline(const CornerValue c[3], uint32_t maskValue) {
  Line(c[0], c[1], maskValue);
  Line(c[1], c[2], maskValue);
  Line(c[2], c[0], maskValue);
}

}  // namespace

void RenderBoxObject(uint32_t objectId) {
  for (uint32_t f = 0; f < 6; ++f) {
    const SceneFace& face = ObjectPool[objectId].faces[f];
    CornerValue c[4];
    for (int k = 0; k < 4; ++k) c[k] = CornerOf(face.corners[k]);
    if (NearerThanPlane(c[0]) && NearerThanPlane(c[1]) && NearerThanPlane(c[2]) &&
        NearerThanPlane(c[3]))
      continue;
    if (face.visible != 1) continue;
    // Left edge c0 -> c3, right edge c1 -> c2: two opposite sides of the quadrilateral.
    SetCornerA(c[0].px, c[0].py, c[0].camX, c[0].camY, c[0].camZ);
    SetCornerB(c[1].px, c[1].py, c[1].camX, c[1].camY, c[1].camZ);
    SetCornerC(c[3].px, c[3].py, c[3].camX, c[3].camY, c[3].camZ);
    SetCornerD(c[2].px, c[2].py, c[2].camX, c[2].camY, c[2].camZ);
    // The first outline pass marks its pixels so that the fill leaves them alone; the second
    // draws the same lines again and lifts the marks.
    if (WireframeEnabled) BoxOutline(c, 1);
    FillQuadFace(face.texture);
    if (WireframeEnabled) BoxOutline(c, 0);
  }
}

void RenderTriangleObject(uint32_t objectId) {
  SceneFace& face = ObjectPool[objectId].faces[0];
  CornerValue c[3];
  for (int k = 0; k < 3; ++k) c[k] = CornerOf(face.corners[k]);
  if (NearerThanPlane(c[0]) && NearerThanPlane(c[1]) && NearerThanPlane(c[2])) return;
  // The triangle is a quadrilateral whose last two corners coincide: both edges end at c2.
  SetCornerA(c[0].px, c[0].py, c[0].camX, c[0].camY, c[0].camZ);
  SetCornerB(c[1].px, c[1].py, c[1].camX, c[1].camY, c[1].camZ);
  SetCornerC(c[2].px, c[2].py, c[2].camX, c[2].camY, c[2].camZ);
  SetCornerD(c[2].px, c[2].py, c[2].camX, c[2].camY, c[2].camZ);
  if (WireframeEnabled) TriangleOutline(c, 1);
  // The base length fixes the texture's column rate for every span of the triangle: squares and
  // sum in single precision, the root in double.
  float dx = static_cast<float>(std::fabs(c[0].px - c[1].px));
  float dy = static_cast<float>(std::fabs(c[0].py - c[1].py));
  face.edgeLength = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
  FillTriangleFace(face.texture, face.edgeLength);
  if (WireframeEnabled) TriangleOutline(c, 0);
}
