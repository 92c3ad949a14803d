// The engine written a second time, step by step, for side-by-side comparison (see the header).
#include "tests/engine/reference_renderer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/frame.h"
#include "overlay/overlay.h"
#include "shell/runtime.h"

namespace Reference {

// ---- Buffers --------------------------------------------------------------------------------

uint8_t FrameBuffer[FramePixels * 4];
double DepthBuffer[FramePixels];
uint32_t LineMaskBuffer[FramePixels];

void ClearFrame() { std::memset(FrameBuffer, 0, sizeof(FrameBuffer)); }

void ClearDepth() {
  for (double& depth : DepthBuffer) depth = DepthClear;
}

void ClearMask() { std::memset(LineMaskBuffer, 0, sizeof(LineMaskBuffer)); }

// ---- Scene store ----------------------------------------------------------------------------

SceneVertex VertexPool[MaxObjects * VerticesPerObject];
SceneObject ObjectPool[MaxObjects];
SceneLight LightTable[MaxLights];
int32_t NextObjectId = 1;
int32_t LastObjectId = 1;
int32_t LightCount = 0;

TextureSlot TextureSlotTable[SlotCount];

float CameraOffset[3] = {0.0f, 0.0f, 0.0f};
float ViewDistance = 0.0f;
double NearPlaneZ = -100.0;
double ProjectionScale = 3.0;
double ProjectionDivisor = 140.0;
int32_t ScreenCentreX = 160;
int32_t ScreenCentreY = 120;

int32_t LightingEnabled = 1;
int32_t TexturingEnabled = 1;
int32_t CoarseFillEnabled = 1;
int32_t WireframeEnabled = 1;
int32_t FlatColour[3] = {0, 0, 0};

FaceCorner CornerA, CornerB, CornerC, CornerD;
EdgeList LeftEdge, RightEdge;

void ResetScene() {
  std::memset(VertexPool, 0, sizeof(VertexPool));
  std::memset(ObjectPool, 0, sizeof(ObjectPool));
  std::memset(LightTable, 0, sizeof(LightTable));
  NextObjectId = 1;
  LastObjectId = 1;
  LightCount = 0;
}

// ---- Vector routines: double throughout, the length handed back in single precision --------

Vec3 VecSub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 VecCross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double VecDot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

float VecLength(Vec3 v) { return static_cast<float>(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z)); }

Vec3 VecNormalize(Vec3 v) {
  double length = static_cast<double>(Reference::VecLength(v));
  return {v.x / length, v.y / length, v.z / length};
}

Vec3 FaceNormal(Vec3 p0, Vec3 p1, Vec3 p2) {
  return Reference::VecNormalize(
      Reference::VecCross(Reference::VecSub(p2, p0), Reference::VecSub(p1, p0)));
}

// ---- Construction ---------------------------------------------------------------------------

namespace {

// Corner slots of a face, in the order they go into `corners`, and the FaceNormal triple.
constexpr uint32_t BoxFaceCorners[6][4] = {{4, 5, 6, 7}, {0, 1, 2, 3}, {4, 5, 1, 0},
                                           {7, 6, 2, 3}, {5, 1, 2, 6}, {4, 0, 3, 7}};
constexpr uint32_t BoxNormalTriples[6][3] = {{7, 4, 5}, {2, 1, 0}, {4, 0, 1},
                                             {6, 2, 3}, {6, 5, 1}, {3, 0, 4}};

Vec3 PointOf(const SceneVertex& v) {
  return {static_cast<double>(v.x), static_cast<double>(v.y), static_cast<double>(v.z)};
}

void StoreVector(SceneVertex& v, Vec3 value) {
  v.x = static_cast<float>(value.x);
  v.y = static_cast<float>(value.y);
  v.z = static_cast<float>(value.z);
}

// Faces 0 .. 5 in ascending order: corners, normal, texture, visible, then the face number into
// the faceTag of the four corner slots and the normal slot, so shared slots keep the highest.
void FillFaces(uint32_t id, const uint32_t cornerLists[6][4], uint32_t texture) {
  uint32_t b = VerticesPerObject * id;
  for (uint32_t f = 0; f < 6; ++f) {
    SceneFace& face = ObjectPool[id].faces[f];
    for (int k = 0; k < 4; ++k) face.corners[k] = b + cornerLists[f][k];
    face.normal = b + 8 + f;
    face.texture = texture;
    face.visible = 1;
    for (int k = 0; k < 4; ++k) VertexPool[face.corners[k]].faceTag = f;
    VertexPool[face.normal].faceTag = f;
  }
}

}  // namespace

void CreateBoxObject(uint32_t id, float x, float y, float z, uint32_t texture, float halfSize) {
  const float s = halfSize;
  const uint32_t b = VerticesPerObject * id;
  const float corners[8][3] = {{-s, +s, -s}, {+s, +s, -s}, {+s, -s, -s}, {-s, -s, -s},
                               {-s, +s, +s}, {+s, +s, +s}, {+s, -s, +s}, {-s, -s, +s}};
  // Steps 1 and 2: the centred corner, turned by 90 degrees in the y-z plane, stored as float.
  for (uint32_t k = 0; k < 8; ++k) {
    SceneVertex& v = VertexPool[b + k];
    v.x = corners[k][0];
    v.y = corners[k][1];
    v.z = corners[k][2];
    RotatedPoint turned = RotatePoint(v.x, v.y, v.z, 0.0, 90.0, 0.0);
    v.x = static_cast<float>(turned.x);
    v.y = static_cast<float>(turned.y);
    v.z = static_cast<float>(turned.z);
  }
  // Step 3: normals from the turned corners while they are still centred.
  for (uint32_t f = 0; f < 6; ++f) {
    Vec3 p0 = PointOf(VertexPool[b + BoxNormalTriples[f][0]]);
    Vec3 p1 = PointOf(VertexPool[b + BoxNormalTriples[f][1]]);
    Vec3 p2 = PointOf(VertexPool[b + BoxNormalTriples[f][2]]);
    StoreVector(VertexPool[b + 8 + f], Reference::FaceNormal(p0, p1, p2));
  }
  // Step 4: translation in single precision; normals are directions and stay.
  for (uint32_t k = 0; k < 8; ++k) {
    SceneVertex& v = VertexPool[b + k];
    v.x = v.x + x;
    v.y = v.y + y;
    v.z = v.z + z;
  }
  // Steps 5 and 6.
  FillFaces(id, BoxFaceCorners, texture);
  ObjectPool[id].faces[0].kind = ObjectKindBox;
  for (uint32_t f = 0; f < 6; ++f) ObjectPool[id].faces[f].reservedFlag = 0;
}

void CreateTriangleObject(uint32_t id, float x1, float y1, float z1, float x2, float y2, float z2,
                          float x3, float y3, float z3, uint32_t texture) {
  const uint32_t b = VerticesPerObject * id;
  const float points[4][3] = {{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}, {0.0f, 0.0f, 0.0f}};
  for (uint32_t k = 0; k < 4; ++k) {
    VertexPool[b + k].x = points[k][0];
    VertexPool[b + k].y = points[k][1];
    VertexPool[b + k].z = points[k][2];
  }
  Vec3 p1 = PointOf(VertexPool[b + 0]);
  Vec3 p2 = PointOf(VertexPool[b + 1]);
  Vec3 p3 = PointOf(VertexPool[b + 2]);
  StoreVector(VertexPool[b + 8], Reference::FaceNormal(p1, p2, p3));
  StoreVector(VertexPool[b + 9], Reference::FaceNormal(p3, p2, p1));
  // Faces 0 and 1 both list the four first slots; faces 2 .. 5 take the box's lists.
  // open point: the faceTag rule is applied to every slot a face lists, so the tags of slots
  // 4 .. 7 (whose coordinates a triangle leaves alone) are written too. No drawing step reads
  // a faceTag; only record comparisons see the difference.
  uint32_t cornerLists[6][4];
  for (int f = 0; f < 6; ++f)
    for (int k = 0; k < 4; ++k)
      cornerLists[f][k] = f < 2 ? static_cast<uint32_t>(k) : BoxFaceCorners[f][k];
  FillFaces(id, cornerLists, texture);
  ObjectPool[id].faces[0].kind = ObjectKindTriangle;
  for (uint32_t f = 0; f < 6; ++f) ObjectPool[id].faces[f].reservedFlag = 0;
}

// ---- Bearings, radii and the turn -----------------------------------------------------------

float BearingDegrees(float x0, float y0, float x1, float y1) {
  float dx = x0 - x1;
  float dy = y0 - y1;
  float ax = std::fabs(dx);
  float ay = std::fabs(dy);
  if (ax == 0.0f && ay == 0.0f) return 0.0f;
  float d = static_cast<float>(std::sqrt(static_cast<double>(ax * ax + ay * ay)));
  float s = ax / d;
  double A = std::asin(static_cast<double>(s)) * 180.0 / 3.141592653;
  double C = std::acos(static_cast<double>(s)) * 180.0 / 3.141592653;
  bool sineSide = ax <= ay;
  double bearing;
  if (dx <= 0.0f && dy <= 0.0f)
    bearing = sineSide ? A : 90.0 - C;
  else if (dx <= 0.0f && dy > 0.0f)
    bearing = sineSide ? 180.0 - A : C + 90.0;
  else if (dx > 0.0f && dy > 0.0f)
    bearing = sineSide ? A + 180.0 : 270.0 - C;
  else if (dx > 0.0f && dy <= 0.0f)
    bearing = sineSide ? 360.0 - A : C + 270.0;
  else
    bearing = -1.0;
  return static_cast<float>(bearing);
}

float PlaneRadius(float a, float b, float c) {
  float inner = static_cast<float>(std::sqrt(static_cast<double>(a * a + b * b)));
  return static_cast<float>(std::sqrt(static_cast<double>(inner * inner + c * c)));
}

namespace {

// One turn of the pair (u, v) by phi degrees, r the radius of the plane.
void TurnPair(double& u, double& v, float r, double phi) {
  float uf = static_cast<float>(u) + 1000.0f;
  float vf = static_cast<float>(v) + 1000.0f;
  float theta = BearingDegrees(1000.0f, 1000.0f, uf, vf);
  double radians = (static_cast<double>(theta) + phi) * DegreesToRadians;
  float sine = static_cast<float>(std::sin(radians));
  float cosine = static_cast<float>(std::cos(radians));
  u = static_cast<double>(sine * r);
  v = static_cast<double>(cosine * r);
}

float Abs32(double value) { return static_cast<float>(std::fabs(value)); }

}  // namespace

RotatedPoint RotatePoint(double x, double y, double z, double angleA, double angleB,
                         double angleC) {
  double X = x, Y = y, Z = z;
  // First plane (X, Y) by angleC; Z is rounded to single precision at this step.
  Z = static_cast<double>(static_cast<float>(Z));
  TurnPair(X, Y, PlaneRadius(Abs32(X), Abs32(Y), 0.0f), angleC);
  // Second plane (X, Z) by angleA.
  TurnPair(X, Z, PlaneRadius(Abs32(X), 0.0f, Abs32(Z)), angleA);
  // Third plane (Y, Z) by angleB.
  TurnPair(Y, Z, PlaneRadius(0.0f, Abs32(Y), Abs32(Z)), angleB);
  return {X, Y, Z};
}

// ---- Projection -----------------------------------------------------------------------------

namespace {

// open point: a quotient that is not a number (0 / 0) or lies outside the 32-bit range (depth at
// or next to 0) converts to 0x80000000, as the program's one conversion helper does everywhere,
// after the x86 conversion instruction. The sign correction negates in two's complement, which
// leaves 0x80000000, so the clamp puts such a point on the low edge: -480 or -440.
int32_t ProjectAxis(float cam, float camZ) {
  double quotient =
      static_cast<double>(cam) * ProjectionScale / (static_cast<double>(-camZ) / ProjectionDivisor);
  int32_t screen = DoubleToInt32(quotient);
  if ((cam > 0.0f && screen < 0) || (cam < 0.0f && screen > 0))
    screen = static_cast<int32_t>(0u - static_cast<uint32_t>(screen));
  return screen;
}

int32_t Clamp(int32_t value, int32_t limit) {
  return value < -limit ? -limit : value > limit ? limit : value;
}

}  // namespace

ScreenPoint ProjectPoint(float camX, float camY, float camZ) {
  int32_t screenX = ProjectAxis(camX, camZ);
  int32_t screenY = ProjectAxis(camY, camZ);
  screenX = Clamp(screenX, 480);
  screenY = Clamp(screenY, 440);
  return {screenX, screenY};
}

void ProjectVertex(uint32_t id, uint32_t slot) {
  SceneVertex& v = VertexPool[VerticesPerObject * id + slot];
  ScreenPoint screen = ProjectPoint(v.camX, v.camY, v.camZ);
  v.screenX = screen.x;
  v.screenY = screen.y;
}

namespace {

// Step 1a for any point with world coordinates: CameraOffset added in single precision, the
// turn, then camZ = (turned z + ViewDistance) + NearPlaneZ, all three sums in single precision.
void TurnIntoCamera(float x, float y, float z, float angleA, float angleB, float angleC,
                    float& camX, float& camY, float& camZ) {
  float wx = x + CameraOffset[0];
  float wy = y + CameraOffset[1];
  float wz = z + CameraOffset[2];
  RotatedPoint turned = RotatePoint(wx, wy, wz, angleA, angleB, angleC);
  camX = static_cast<float>(turned.x);
  camY = static_cast<float>(turned.y);
  float turnedZ = static_cast<float>(turned.z);
  camZ = (turnedZ + ViewDistance) + static_cast<float>(NearPlaneZ);
}

}  // namespace

void TransformObject(uint32_t id, float angleA, float angleB, float angleC, bool leftButtonHeld,
                     bool rightButtonHeld) {
  const uint32_t b = VerticesPerObject * id;
  if (!leftButtonHeld) {
    for (uint32_t k = 0; k < 8; ++k) {
      SceneVertex& v = VertexPool[b + k];
      TurnIntoCamera(v.x, v.y, v.z, angleA, angleB, angleC, v.camX, v.camY, v.camZ);
      ProjectVertex(id, k);
    }
    for (uint32_t k = 8; k < 14; ++k) {
      SceneVertex& v = VertexPool[b + k];
      RotatedPoint turned = RotatePoint(v.x, v.y, v.z, angleA, angleB, angleC);
      v.camX = static_cast<float>(turned.x);
      v.camY = static_cast<float>(turned.y);
      v.camZ = static_cast<float>(turned.z);
    }
  }
  if (!rightButtonHeld) {
    for (int32_t i = 1; i <= LightCount; ++i) {
      SceneLight& light = LightTable[i];
      TurnIntoCamera(light.x, light.y, light.z, angleA, angleB, angleC, light.camX, light.camY,
                     light.camZ);
      ScreenPoint screen = ProjectPoint(light.camX, light.camY, light.camZ);
      light.screenX = screen.x;
      light.screenY = screen.y;
    }
  }
}

// ---- Lights ---------------------------------------------------------------------------------

void DrawLightLabel(uint32_t lightNumber) {
  const SceneLight& light = LightTable[lightNumber];
  float lessView = light.camZ - ViewDistance;                 // single precision
  double depth = static_cast<double>(lessView) - NearPlaneZ;  // double
  FormatText(TextBuffer, "light %3.0f %3.0f %3.0f", static_cast<double>(light.camX),
             static_cast<double>(light.camY), depth);
  // The overlay draws into whatever FrameBuffer names: point it at this frame for the call.
  uint8_t* savedFrame = ::FrameBuffer;
  int32_t savedWidth = ::RenderWidth, savedHeight = ::RenderHeight;
  ::FrameBuffer = FrameBuffer;
  ::RenderWidth = FrameWidth;
  ::RenderHeight = FrameHeight;
  DrawBigText(ScreenCentreX + light.screenX, ScreenCentreY + light.screenY,
              static_cast<uint8_t>(static_cast<int32_t>(light.red)),
              static_cast<uint8_t>(static_cast<int32_t>(light.green)),
              static_cast<uint8_t>(static_cast<int32_t>(light.blue)));
  ::FrameBuffer = savedFrame;
  ::RenderWidth = savedWidth;
  ::RenderHeight = savedHeight;
}

// ---- Pixel writes ---------------------------------------------------------------------------

void PutPixelRgb(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  uint8_t* pixel = FrameBuffer + 4 * (y * FrameWidth + x);
  pixel[0] = red;
  pixel[1] = green;
  pixel[2] = blue;
  pixel[3] = 255;
}

namespace {

// The overlay's bounds-checked write, on this frame.
void PutPixelChecked(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  if (x < 0 || x >= FrameWidth || y < 0 || y >= FrameHeight) return;
  PutPixelRgb(x, y, red, green, blue);
}

}  // namespace

// ---- Shading --------------------------------------------------------------------------------

ShadeColour ShadePoint(int32_t px, int32_t py, int32_t pz, int32_t sr, int32_t sg, int32_t sb) {
  float acc[3] = {0.0f, 0.0f, 0.0f};
  const int32_t surface[3] = {sr, sg, sb};
  for (int32_t j = 1; j <= LightCount; ++j) {
    const SceneLight& light = LightTable[j];
    // Differences in single precision, their sum in double.
    float ex = std::fabs(light.camX - static_cast<float>(px));
    float ey = std::fabs(light.camY - static_cast<float>(py));
    float ez = std::fabs(light.camZ - static_cast<float>(pz));
    double d = static_cast<double>(ex) + static_cast<double>(ey) + static_cast<double>(ez);
    float k = static_cast<float>(d / static_cast<double>(light.range));
    const float colour[3] = {light.red, light.green, light.blue};
    for (int c = 0; c < 3; ++c) {
      float q = colour[c] / k;
      if (q > acc[c]) acc[c] = q;
    }
    // The blend is rasterizer arithmetic: formed in double, rounded when stored into acc.
    for (int c = 0; c < 3; ++c) {
      double blended = static_cast<double>(acc[c]) * 17.0 / 18.0 + (surface[c] / 18);
      acc[c] = static_cast<float>(blended);
    }
    for (int c = 0; c < 3; ++c) {
      if (acc[c] > 255.0f) acc[c] = 255.0f;
      if (acc[c] < 0.0f) acc[c] = 0.0f;
    }
  }
  return {acc[0], acc[1], acc[2]};
}

// ---- Spans ----------------------------------------------------------------------------------

namespace {

int32_t Trunc(double value) { return DoubleToInt32(value); }

// The texel at offset (row * W + trunc(col)) * 3 of the slot, or null where there is none.
// open point: a slot without an image (pixels null, or a width or height of 0), a column that
// is not a finite number below 2^31, and an offset whose three bytes do not lie inside the stored
// image (a picture shorter than it is wide, a column that ran past the last row) all read as no
// texel; the pixel then takes FlatColour as its surface, as with texturing off.
const uint8_t* TexelAt(uint32_t slot, int32_t row, double col) {
  if (slot >= SlotCount) return nullptr;
  const TextureSlot& image = TextureSlotTable[slot];
  // For the frame catalog's cross-check: a slot without an image reads as the program's grey.
  static const uint8_t MissingGrey[3] = {128, 128, 128};
  if (image.pixels == nullptr || image.width == 0 || image.height == 0) return MissingGrey;
  if (!(col >= -2147483648.0 && col < 2147483648.0)) return nullptr;
  int64_t W = static_cast<int32_t>(image.width);
  int64_t offset = (row * W + static_cast<int64_t>(Trunc(col))) * 3;
  int64_t size = static_cast<int64_t>(image.width) * image.height * 3;
  if (offset < 0 || offset + 3 > size) return nullptr;
  return image.pixels + offset;
}

// One pixel of a span: mask, near plane and depth tests, then colour and writes.
void DrawSpanPixel(int32_t px, int32_t py, double cx, double cy, double z, const uint8_t* texel) {
  int32_t p = py * FrameWidth + px;
  if (LineMaskBuffer[p] != 0) return;
  if (!(z < NearPlaneZ)) return;
  if (!(z >= DepthBuffer[p])) return;
  int32_t surface[3] = {FlatColour[0], FlatColour[1], FlatColour[2]};
  if (TexturingEnabled != 0 && texel != nullptr) {
    surface[0] = texel[0];
    surface[1] = texel[1];
    surface[2] = texel[2];
  }
  uint8_t colour[3];
  if (LightingEnabled != 0) {
    ShadeColour shade =
        ShadePoint(Trunc(cx), Trunc(cy), Trunc(z), surface[0], surface[1], surface[2]);
    colour[0] = static_cast<uint8_t>(static_cast<int32_t>(shade.red));
    colour[1] = static_cast<uint8_t>(static_cast<int32_t>(shade.green));
    colour[2] = static_cast<uint8_t>(static_cast<int32_t>(shade.blue));
  } else {
    for (int c = 0; c < 3; ++c) colour[c] = static_cast<uint8_t>(surface[c]);
  }
  PutPixelRgb(px, py, colour[0], colour[1], colour[2]);
  DepthBuffer[p] = z;
}

int OutCode(double value, int32_t last) { return value > last ? 1 : value < 0 ? -1 : 0; }

// Distance from the start point to a crossing, both rounded to single precision and the whole
// distance worked in single precision.
float CrossingDistance(double x0, double y0, double crossX, double crossY) {
  float sx = static_cast<float>(x0), sy = static_cast<float>(y0);
  float ex = static_cast<float>(crossX), ey = static_cast<float>(crossY);
  float ddx = ex - sx;
  float ddy = ey - sy;
  return std::sqrt(ddx * ddx + ddy * ddy);
}

float DistanceToRow(double x0, double y0, double dx, double dy, double Y) {
  double crossX = (Y - y0) / (dy / dx) + x0;
  return CrossingDistance(x0, y0, crossX, Y);
}

float DistanceToColumn(double x0, double y0, double dx, double dy, double X) {
  double crossY = (X - x0) / (dx / dy) + y0;
  return CrossingDistance(x0, y0, X, crossY);
}

// Steps 1, 2 and 4 to 6 of the span; step 3, the column step, is the caller's.
void DrawSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
              double cx1, double cy1, double cz1, int32_t row, uint32_t slot, double len,
              double colStep) {
  const double dx = x1 - x0, dy = y1 - y0;
  const double ux = dx / len, uy = dy / len;
  const double ucx = (cx1 - cx0) / len, ucy = (cy1 - cy0) / len, ucz = (cz1 - cz0) / len;
  double s = 0.0, col = 0.0, sEnd = len;

  const int32_t lastX = FrameWidth - 1, lastY = FrameHeight - 1;
  int startX = OutCode(x0, lastX), startY = OutCode(y0, lastY);
  int endX = OutCode(x1, lastX), endY = OutCode(y1, lastY);
  if (startY == 0 && endY == 1) {
    sEnd = DistanceToRow(x0, y0, dx, dy, lastY);
  } else if (startY == 0 && endY == -1) {
    sEnd = DistanceToRow(x0, y0, dx, dy, 0);
  } else if (startY == 1 && endY == 0) {
    float d = DistanceToRow(x0, y0, dx, dy, lastY);
    s = d;
    col = d * colStep;
  } else if (startY == -1 && endY == 0) {
    float d = DistanceToRow(x0, y0, dx, dy, 0);
    s = d;
    col = d * colStep;
  } else if (startX == 0 && endX == 1) {
    sEnd = DistanceToColumn(x0, y0, dx, dy, lastX);
  } else if (startX == 0 && endX == -1) {
    sEnd = DistanceToColumn(x0, y0, dx, dy, 0);
  } else if (startX == 1 && endX == 0) {
    float d = DistanceToColumn(x0, y0, dx, dy, lastX);
    s = d;
    col = d * colStep;
  } else if (startX == -1 && endX == 0) {
    float d = DistanceToColumn(x0, y0, dx, dy, 0);
    s = d;
    col = d * colStep;
  }

  while (sEnd > s) {
    double x = x0 + s * ux;
    double y = y0 + s * uy;
    double cx = cx0 + s * ucx;
    double cy = cy0 + s * ucy;
    double z = cz0 + s * ucz;
    if (x >= 1 && y >= 1 && x < FrameWidth - 1 && y < FrameHeight - 1) {
      const uint8_t* texel = TexelAt(slot, row, col);
      int32_t px = Trunc(x), py = Trunc(y);
      DrawSpanPixel(px, py, cx, cy, z, texel);
      if (CoarseFillEnabled != 0) {
        // The neighbours of the centre pixel, in this order.
        DrawSpanPixel(px, py + 1, cx, cy, z, texel);
        DrawSpanPixel(px, py - 1, cx, cy, z, texel);
        DrawSpanPixel(px + 1, py, cx, cy, z, texel);
        DrawSpanPixel(px - 1, py, cx, cy, z, texel);
      }
    }
    col = col + colStep;
    s = s + 1;
  }
}

double SpanLength(double x0, double y0, double x1, double y1) {
  double dx = x1 - x0, dy = y1 - y0;
  return static_cast<double>(static_cast<float>(std::sqrt(dx * dx + dy * dy)));
}

double SlotWidth(uint32_t slot) {
  uint32_t width = slot < SlotCount ? TextureSlotTable[slot].width : 0;
  return static_cast<double>(static_cast<int32_t>(width));
}

}  // namespace

void DrawQuadSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
                  double cx1, double cy1, double cz1, int32_t row, uint32_t slot) {
  double len = SpanLength(x0, y0, x1, y1);
  double colStep = 1.0 / (len / SlotWidth(slot));
  DrawSpan(x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1, row, slot, len, colStep);
}

void DrawTriangleSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1,
                      double y1, double cx1, double cy1, double cz1, int32_t row, uint32_t slot,
                      float baseLength) {
  double len = SpanLength(x0, y0, x1, y1);
  double colStep = 1.0 / (static_cast<double>(baseLength) / SlotWidth(slot));
  // open point: a base of length 0 gives an infinite step; the column then stays at 0, so the
  // whole triangle takes the first column of each row.
  if (!std::isfinite(colStep)) colStep = 0.0;
  DrawSpan(x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1, row, slot, len, colStep);
}

// ---- Corner registers and edge walks --------------------------------------------------------

void SetCornerA(double px, double py, double camX, double camY, double camZ) {
  CornerA = {px, py, camX, camY, camZ};
}
void SetCornerB(double px, double py, double camX, double camY, double camZ) {
  CornerB = {px, py, camX, camY, camZ};
}
void SetCornerC(double px, double py, double camX, double camY, double camZ) {
  CornerC = {px, py, camX, camY, camZ};
}
void SetCornerD(double px, double py, double camX, double camY, double camZ) {
  CornerD = {px, py, camX, camY, camZ};
}

namespace {

void StoreEntry(EdgeList& list, int k, const double value[5]) {
  list.px[k] = value[0];
  list.py[k] = value[1];
  list.camX[k] = value[2];
  list.camY[k] = value[3];
  list.camZ[k] = value[4];
}

// One walk: `divisions` samples per pixel of the longer axis (3 for the fine walk, where the
// increments are d / m / 3 and the parameter runs to 3 m; 1 for the coarse one).
void WalkEdge(const FaceCorner& start, const FaceCorner& end, EdgeList& list, bool fine) {
  const double S[5] = {start.px, start.py, start.camX, start.camY, start.camZ};
  const double E[5] = {end.px, end.py, end.camX, end.camY, end.camZ};
  StoreEntry(list, 0, S);
  double d[5];
  for (int i = 0; i < 5; ++i) d[i] = E[i] - S[i];
  double ax = std::fabs(d[0]), ay = std::fabs(d[1]);
  bool xMajor = ax > ay;
  double m = xMajor ? ax : ay;
  double inc[5];
  double h;
  double limit;
  if (fine) {
    for (int i = 0; i < 5; ++i) inc[i] = d[i] / m / 3;
    h = std::fabs((xMajor ? d[0] : d[1]) / m / 3);
    limit = 3 * m;
  } else {
    for (int i = 0; i < 5; ++i) inc[i] = d[i] / m;
    h = std::fabs((xMajor ? d[0] : d[1]) / m);
    limit = m;
  }
  double t = 0.0;
  int k = 1;
  while (t < limit) {
    double sample[5];
    for (int i = 0; i < 5; ++i) sample[i] = S[i] + t * inc[i];
    StoreEntry(list, k, sample);
    k = k + 1;
    t = t + h;
  }
  StoreEntry(list, k, E);
  list.count = k + 1;
}

}  // namespace

void WalkLeftEdgeFine() { WalkEdge(CornerA, CornerC, LeftEdge, true); }
void WalkRightEdgeFine() { WalkEdge(CornerB, CornerD, RightEdge, true); }
void WalkLeftEdgeCoarse() { WalkEdge(CornerA, CornerC, LeftEdge, false); }
void WalkRightEdgeCoarse() { WalkEdge(CornerB, CornerD, RightEdge, false); }

// ---- Face fill ------------------------------------------------------------------------------

namespace {

// Pairs the entries of the two lists in proportion and hands each pair to a span function.
void FillFace(uint32_t slot, bool triangle, float baseLength) {
  if (CoarseFillEnabled != 0) {
    WalkLeftEdgeCoarse();
    WalkRightEdgeCoarse();
  } else {
    WalkLeftEdgeFine();
    WalkRightEdgeFine();
  }
  const double nL = LeftEdge.count, nR = RightEdge.count;
  const double W = SlotWidth(slot);
  auto span = [&](int i, int j, int32_t row) {
    if (triangle)
      DrawTriangleSpan(LeftEdge.px[i], LeftEdge.py[i], LeftEdge.camX[i], LeftEdge.camY[i],
                       LeftEdge.camZ[i], RightEdge.px[j], RightEdge.py[j], RightEdge.camX[j],
                       RightEdge.camY[j], RightEdge.camZ[j], row, slot, baseLength);
    else
      DrawQuadSpan(LeftEdge.px[i], LeftEdge.py[i], LeftEdge.camX[i], LeftEdge.camY[i],
                   LeftEdge.camZ[i], RightEdge.px[j], RightEdge.py[j], RightEdge.camX[j],
                   RightEdge.camY[j], RightEdge.camZ[j], row, slot);
  };
  double a = 0.0;
  if (nL > nR) {
    for (int i = 0; i < nL; ++i) {
      int j = Trunc(a);
      int32_t row = Trunc(W / nL * i);
      span(i, j, row);
      a = a + nR / nL;
    }
  } else {
    for (int j = 0; j < nR; ++j) {
      int i = Trunc(a);
      int32_t row = Trunc(W / nR * j);
      span(i, j, row);
      a = a + nL / nR;
    }
  }
}

}  // namespace

void FillQuadFace(uint32_t textureSlot) { FillFace(textureSlot, false, 0.0f); }

void FillTriangleFace(uint32_t textureSlot, float baseLength) {
  FillFace(textureSlot, true, baseLength);
}

// ---- Outlines -------------------------------------------------------------------------------

namespace {

void PlotLinePoint(double x, double y, double z, double storedDepth, uint32_t mask) {
  if (!(x >= 2 && x < FrameWidth - 2 && y >= 2 && y < FrameHeight - 2)) return;
  if (!(z < NearPlaneZ)) return;
  int32_t px = Trunc(x), py = Trunc(y);
  int32_t p = py * FrameWidth + px;
  if (!(z + static_cast<double>(LineDepthBias) >= DepthBuffer[p])) return;
  PutPixelChecked(px, py, 255, 255, 255);
  DepthBuffer[p] = storedDepth;
  LineMaskBuffer[p] = mask;
}

}  // namespace

void DrawDepthLine(double x0, double y0, double z0, double x1, double y1, double z1,
                   uint32_t maskValue) {
  const double bias = static_cast<double>(LineDepthBias);
  double ax = std::fabs(x1 - x0), ay = std::fabs(y1 - y0), dz = z1 - z0;
  double x = x0, y = y0, z = z0;
  if (ax >= ay) {
    double xStep = x0 > x1 ? -1.0 : 1.0;
    double yStep = ay / ax;
    if (y0 > y1) yStep = -yStep;
    double zStep = dz / ax;
    while (xStep > 0 ? x <= x1 : x >= x1) {
      PlotLinePoint(x, y, z, z + bias, maskValue);
      x = x + xStep;
      y = y + yStep;
      z = z + zStep;
    }
  } else {
    double yStep = y0 > y1 ? -1.0 : 1.0;
    double xStep = ax / ay;
    if (x0 > x1) xStep = -xStep;
    double zStep = dz / ay;
    while (yStep > 0 ? y <= y1 : y >= y1) {
      PlotLinePoint(x, y, z, z + bias, maskValue);
      x = x + xStep;
      y = y + yStep;
      z = z + zStep;
    }
  }
  PlotLinePoint(x1, y1, z1, z1, maskValue);
}

// ---- Renderers ------------------------------------------------------------------------------

namespace {

// The corner value of a slot: screen position with the centre added (integer sums, then
// converted) and the camera-space position widened.
FaceCorner CornerOf(uint32_t slot) {
  const SceneVertex& v = VertexPool[slot];
  return {static_cast<double>(ScreenCentreX + v.screenX),
          static_cast<double>(ScreenCentreY + v.screenY), static_cast<double>(v.camX),
          static_cast<double>(v.camY), static_cast<double>(v.camZ)};
}

bool NearerThanPlane(const FaceCorner& c) { return c.camZ > NearPlaneZ; }

void Line(const FaceCorner& from, const FaceCorner& to, uint32_t mask) {
  DrawDepthLine(from.px, from.py, from.camZ, to.px, to.py, to.camZ, mask);
}

}  // namespace

void RenderBoxObject(uint32_t objectId) {
  for (uint32_t f = 0; f < 6; ++f) {
    const SceneFace& face = ObjectPool[objectId].faces[f];
    FaceCorner c0 = CornerOf(face.corners[0]);
    FaceCorner c1 = CornerOf(face.corners[1]);
    FaceCorner c2 = CornerOf(face.corners[2]);
    FaceCorner c3 = CornerOf(face.corners[3]);
    int nearCount =
        NearerThanPlane(c0) + NearerThanPlane(c1) + NearerThanPlane(c2) + NearerThanPlane(c3);
    if (nearCount == 4) continue;
    if (face.visible != 1) continue;
    SetCornerA(c0.px, c0.py, c0.camX, c0.camY, c0.camZ);
    SetCornerB(c1.px, c1.py, c1.camX, c1.camY, c1.camZ);
    SetCornerC(c3.px, c3.py, c3.camX, c3.camY, c3.camZ);
    SetCornerD(c2.px, c2.py, c2.camX, c2.camY, c2.camZ);
    if (WireframeEnabled != 0) {
      Line(c0, c1, 1);
      Line(c1, c2, 1);
      Line(c3, c2, 1);
      Line(c0, c3, 1);
    }
    FillQuadFace(face.texture);
    if (WireframeEnabled != 0) {
      Line(c0, c1, 0);
      Line(c1, c2, 0);
      Line(c3, c2, 0);
      Line(c0, c3, 0);
    }
  }
}

void RenderTriangleObject(uint32_t objectId) {
  SceneFace& face = ObjectPool[objectId].faces[0];
  const SceneVertex& v0 = VertexPool[face.corners[0]];
  const SceneVertex& v1 = VertexPool[face.corners[1]];
  FaceCorner c0 = CornerOf(face.corners[0]);
  FaceCorner c1 = CornerOf(face.corners[1]);
  FaceCorner c2 = CornerOf(face.corners[2]);
  if (NearerThanPlane(c0) && NearerThanPlane(c1) && NearerThanPlane(c2)) return;
  SetCornerA(c0.px, c0.py, c0.camX, c0.camY, c0.camZ);
  SetCornerB(c1.px, c1.py, c1.camX, c1.camY, c1.camZ);
  SetCornerC(c2.px, c2.py, c2.camX, c2.camY, c2.camZ);
  SetCornerD(c2.px, c2.py, c2.camX, c2.camY, c2.camZ);
  if (WireframeEnabled != 0) {
    Line(c0, c1, 1);
    Line(c1, c2, 1);
    Line(c2, c0, 1);
  }
  int32_t ix = std::abs((ScreenCentreX + v0.screenX) - (ScreenCentreX + v1.screenX));
  int32_t iy = std::abs((ScreenCentreY + v0.screenY) - (ScreenCentreY + v1.screenY));
  float dx = static_cast<float>(ix), dy = static_cast<float>(iy);
  face.edgeLength = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
  FillTriangleFace(face.texture, face.edgeLength);
  if (WireframeEnabled != 0) {
    Line(c0, c1, 0);
    Line(c1, c2, 0);
    Line(c2, c0, 0);
  }
}

// ---- The demonstration scene and one frame --------------------------------------------------

void BuildDemoScene(uint32_t seed) {
  ResetScene();
  const float boxes[7][3] = {{0, 0, 0},       {100, 0, 1110}, {-100, 0, 1110}, {0, 100, 1110},
                             {0, -100, 1110}, {0, 0, 1100},   {0, 0, 1100}};
  for (uint32_t id = 1; id <= 7; ++id)
    CreateBoxObject(id, boxes[id - 1][0], boxes[id - 1][1], boxes[id - 1][2], 597, 50.0f);
  NextObjectId = 8;
  for (int i = 0; i <= 9; ++i) {
    for (int j = 0; j <= 9; ++j) {
      CreateBoxObject(NextObjectId, static_cast<float>(200 + 100 * i),
                      static_cast<float>(200 + 100 * j), 0.0f, 597, 50.0f);
      NextObjectId += 1;
    }
  }
  Srand(seed);
  for (int t = 0; t < 10; ++t) {
    float centre[3];
    for (float& c : centre) c = static_cast<float>(Rand() % 2000 - 1000);
    float offset[9];
    for (float& d : offset) d = static_cast<float>(Rand() % 600 - 300);
    CreateTriangleObject(NextObjectId, centre[0] + offset[0], centre[1] + offset[1],
                         centre[2] + offset[2], centre[0] + offset[3], centre[1] + offset[4],
                         centre[2] + offset[5], centre[0] + offset[6], centre[1] + offset[7],
                         centre[2] + offset[8], 597);
    NextObjectId += 1;
  }
  LastObjectId = NextObjectId - 1;
  for (uint32_t i = 1; i <= 5; ++i) {
    SceneLight& light = LightTable[i];
    light.index = i;
    light.x = light.y = light.z = 50.0f;
    light.range = 60.0f;
    light.red = 0.0f;
    light.green = 255.0f;
    light.blue = 0.0f;
  }
  LightCount = 1;
  ScreenCentreX = FrameWidth / 2;
  ScreenCentreY = FrameHeight / 2;
  ViewDistance = -360.0f;
  NearPlaneZ = -50.0;
}

ViewAngles ViewAnglesFor(int32_t mouseX, int32_t mouseY, float mouseScale) {
  int32_t scale = static_cast<int32_t>(mouseScale);
  return {180.0f, static_cast<float>(mouseY * scale - 180),
          static_cast<float>(mouseX * scale - 180)};
}

void DrawFrame(const FrameSettings& settings) {
  TexturingEnabled = settings.texturing;
  LightingEnabled = settings.lighting;
  CoarseFillEnabled = settings.coarseFill;
  WireframeEnabled = settings.wireframe;
  LightCount = settings.lightCount;
  ViewDistance = settings.viewDistance;
  LastObjectId = settings.lastObjectId;

  ClearFrame();
  ClearDepth();
  ViewAngles angles = ViewAnglesFor(settings.mouseX, settings.mouseY, settings.mouseScale);
  for (int32_t id = 1; id <= LastObjectId; ++id) {
    TransformObject(id, angles.a, angles.b, angles.c, settings.leftButtonHeld,
                    settings.rightButtonHeld);
    uint32_t kind = ObjectPool[id].faces[0].kind;
    if (kind == ObjectKindBox)
      RenderBoxObject(id);
    else if (kind == ObjectKindTriangle)
      RenderTriangleObject(id);
  }
  for (int32_t i = 1; i <= LightCount; ++i) DrawLightLabel(i);
}

std::string Describe(const FrameSettings& s) {
  char text[256];
  std::snprintf(text, sizeof(text),
                "mouse (%d, %d) scale %g, last object %d, lights %d, view distance %g, "
                "switches T%d L%d B%d N%d, buttons L%d R%d",
                s.mouseX, s.mouseY, s.mouseScale, s.lastObjectId, s.lightCount, s.viewDistance,
                s.texturing, s.lighting, s.coarseFill, s.wireframe, s.leftButtonHeld ? 1 : 0,
                s.rightButtonHeld ? 1 : 0);
  return text;
}

}  // namespace Reference
