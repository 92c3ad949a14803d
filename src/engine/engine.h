// Software 3D engine: the scene store, object construction, rotation and projection, lights,
// the per-object renderers, face set-up with edge walking and outlines, and the span rasterizer.
#pragma once

#include <cstdint>

// ---- Scene store (scene.cpp) ----------------------------------------------------------------

constexpr uint32_t VerticesPerObject = 14;  // slots 0..7 corners, 8..13 face normals
constexpr uint32_t FacesPerObject = 10;     // faces 0..5 used, 6..9 carried
constexpr uint32_t ObjectPoolCapacity = 100000;
constexpr uint32_t VertexPoolCapacity = 10000000;
constexpr uint32_t LightTableCapacity = 1000;
constexpr uint32_t ObjectKindBox = 1;
constexpr uint32_t ObjectKindTriangle = 3;

struct SceneVertex {
  float x, y, z;           // world position; in a normal slot, the unit normal
  float camX, camY, camZ;  // camera space, rewritten every frame
  int32_t screenX;         // offset from the screen centre, -480 .. 480
  int32_t screenY;         // offset from the screen centre, -440 .. 440
  uint32_t faceTag;        // last face that listed this slot while the object was built
  uint8_t offScreen;       // written only by the second box renderer
};

struct SceneFace {
  uint32_t corners[4];  // VertexPool indices, around the face
  uint32_t normal;      // VertexPool index of the face's normal slot
  uint32_t kind;        // object kind, face 0 only
  float edgeLength;     // screen length of corner 0 -> 1, triangles only
  uint32_t texture;     // TextureSlot number
  uint8_t reservedFlag;
  uint8_t visible;  // 1 = drawn
};

struct SceneObject {
  SceneFace faces[FacesPerObject];
};

struct SceneLight {
  uint32_t index;
  float x, y, z;
  float range;
  float camX, camY, camZ;
  int32_t screenX, screenY;
  float red, green, blue;
};

extern SceneVertex* VertexPool;  // VertexPoolCapacity records
extern SceneObject* ObjectPool;  // ObjectPoolCapacity records
extern SceneLight* LightTable;   // LightTableCapacity records
extern int32_t NextObjectId;     // 1
extern int32_t LastObjectId;     // 1
extern int32_t LightCount;       // 0

// The three pools at their full capacities, and their release (each pointer cleared).
void AllocateScenePools();
void ReleaseScenePools();

// ---- Object construction (construction.cpp) -------------------------------------------------

struct Vec3 {
  double x, y, z;
};

void CreateBoxObject(uint32_t id, float x, float y, float z, uint32_t texture, float halfSize);
void CreateTriangleObject(uint32_t id, float x1, float y1, float z1, float x2, float y2, float z2,
                          float x3, float y3, float z3, uint32_t texture);
Vec3 VecSub(Vec3 a, Vec3 b);
Vec3 VecCross(Vec3 a, Vec3 b);
double VecDot(Vec3 a, Vec3 b);
float VecLength(Vec3 v);
Vec3 VecNormalize(Vec3 v);
Vec3 FaceNormal(Vec3 p0, Vec3 p1, Vec3 p2);

// ---- Transform and camera (transform.cpp) ---------------------------------------------------

extern float CameraOffset[3];     // 0, 0, 0
extern float ViewDistance;        // 0; start-up sets -360
extern double NearPlaneZ;         // -100; start-up sets -50
extern double ProjectionScale;    // 3.0
extern double ProjectionDivisor;  // 140.0
extern int32_t ScreenCentreX;     // 160
extern int32_t ScreenCentreY;     // 120
constexpr double DegreesToRadians = 0.017453292516666667;

struct RotatedPoint {
  double x, y, z;
};

RotatedPoint RotatePoint(double x, double y, double z, double angleA, double angleB, double angleC);
float BearingDegrees(float x0, float y0, float x1, float y1);
float PlaneRadius(float a, float b, float c);
void TransformObject(uint32_t id, float angleA, float angleB, float angleC);
void ProjectVertex(uint32_t id, uint32_t slot);
struct ScreenPoint {
  int32_t x, y;
};
ScreenPoint ProjectPoint(float camX, float camY, float camZ);

// ---- Lights (lights.cpp) --------------------------------------------------------------------

void DrawLightLabel(uint32_t light);

// ---- Frame rendering driver (renderers.cpp) -------------------------------------------------

extern int32_t LightingEnabled;    // 1
extern int32_t TexturingEnabled;   // 1
extern int32_t CoarseFillEnabled;  // 1
extern int32_t WireframeEnabled;   // 1

void RenderBoxObject(uint32_t objectId);
void RenderTriangleObject(uint32_t objectId);

// ---- Face set-up and edge walking (edges.cpp) -----------------------------------------------

struct FaceCorner {
  double px, py, camX, camY, camZ;
};

constexpr int EdgeListCapacity = 9000;
struct EdgeList {
  double px[EdgeListCapacity];
  double py[EdgeListCapacity];
  double camX[EdgeListCapacity];
  double camY[EdgeListCapacity];
  double camZ[EdgeListCapacity];
  double count;
};

extern FaceCorner CornerA, CornerB, CornerC, CornerD;
extern EdgeList LeftEdge, RightEdge;
constexpr float LineDepthBias = 0.8f;

void SetCornerA(double px, double py, double camX, double camY, double camZ);
void SetCornerB(double px, double py, double camX, double camY, double camZ);
void SetCornerC(double px, double py, double camX, double camY, double camZ);
void SetCornerD(double px, double py, double camX, double camY, double camZ);
void FillQuadFace(uint32_t textureSlot);
void FillTriangleFace(uint32_t textureSlot, float baseLength);
void WalkLeftEdgeFine();
void WalkRightEdgeFine();
void WalkLeftEdgeCoarse();
void WalkRightEdgeCoarse();
void DrawDepthLine(double x0, double y0, double z0, double x1, double y1, double z1,
                   uint32_t maskValue);

// ---- Span rasterizer and depth test (spans.cpp) ---------------------------------------------

struct ShadeColour {
  float red, green, blue;
};

extern int32_t FlatColour[3];  // 0, 0, 0
// Null; the benchmarks point it at a counter to which every span adds the steps of its walk.
extern uint64_t* SpanStepCounter;

void DrawQuadSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
                  double cx1, double cy1, double cz1, int32_t row, uint32_t slot);
void DrawTriangleSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1,
                      double y1, double cx1, double cy1, double cz1, int32_t row, uint32_t slot,
                      float baseLength);
ShadeColour ShadePoint(int32_t px, int32_t py, int32_t pz, int32_t sr, int32_t sg, int32_t sb);
void PutPixelRgb(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);
