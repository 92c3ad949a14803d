// A second, deliberately plain implementation of the software 3D engine, written apart from
// src/engine and kept in the test suite. Frames of the program are compared byte for byte with
// other implementations, so every step of this one is written to be checked line by line against
// the behaviour it stands for: float where the step is single precision, double where it is
// double, truncation where it truncates, accumulation where the engine accumulates. Nothing here
// is fast on purpose. It owns all of its state (pools, lights, registers, edge lists, the frame,
// depth and mask buffers), so it can draw the same frame as the engine side by side.
//
// Where the behaviour is left open (a quotient outside the 32-bit range, a slot without an
// image, a texel past the end of the image, a triangle with a zero base), the choice made here is
// marked "open point:" in the source: a disagreement there is a decision, not a fault.
#pragma once

#include <cstdint>
#include <string>

#include "engine/engine.h"
#include "textures/textures.h"

namespace Reference {

// ---- Frame, depth and mask buffers ----------------------------------------------------------

constexpr int32_t FrameWidth = 320;
constexpr int32_t FrameHeight = 240;
constexpr int32_t FramePixels = FrameWidth * FrameHeight;
constexpr double DepthClear = -1000000.0;

extern uint8_t FrameBuffer[FramePixels * 4];  // red, green, blue, alpha
extern double DepthBuffer[FramePixels];
extern uint32_t LineMaskBuffer[FramePixels];

void ClearFrame();  // all bytes 0
void ClearDepth();  // every entry DepthClear
void ClearMask();   // every word 0 (the program does this once, at start-up)

// ---- Scene store ----------------------------------------------------------------------------

constexpr uint32_t MaxObjects = 256;  // ids 1 .. 255
constexpr uint32_t MaxLights = 16;    // lights 1 .. 15

extern SceneVertex VertexPool[MaxObjects * VerticesPerObject];
extern SceneObject ObjectPool[MaxObjects];
extern SceneLight LightTable[MaxLights];
extern int32_t NextObjectId;
extern int32_t LastObjectId;
extern int32_t LightCount;

// Zeroes the pools, the lights and the counters (NextObjectId and LastObjectId 1, LightCount 0).
void ResetScene();

// ---- Texture slots --------------------------------------------------------------------------

constexpr uint32_t SlotCount = 1024;
extern TextureSlot TextureSlotTable[SlotCount];  // images are owned by the caller

// ---- Construction ---------------------------------------------------------------------------

Vec3 VecSub(Vec3 a, Vec3 b);
Vec3 VecCross(Vec3 a, Vec3 b);
double VecDot(Vec3 a, Vec3 b);
float VecLength(Vec3 v);
Vec3 VecNormalize(Vec3 v);
Vec3 FaceNormal(Vec3 p0, Vec3 p1, Vec3 p2);
void CreateBoxObject(uint32_t id, float x, float y, float z, uint32_t texture, float halfSize);
void CreateTriangleObject(uint32_t id, float x1, float y1, float z1, float x2, float y2, float z2,
                          float x3, float y3, float z3, uint32_t texture);

// ---- Transform and camera -------------------------------------------------------------------

extern float CameraOffset[3];     // 0, 0, 0
extern float ViewDistance;        // 0 until the scene sets -360
extern double NearPlaneZ;         // -100 until the scene sets -50
extern double ProjectionScale;    // 3.0
extern double ProjectionDivisor;  // 140.0
extern int32_t ScreenCentreX;     // 160
extern int32_t ScreenCentreY;     // 120

float BearingDegrees(float x0, float y0, float x1, float y1);
float PlaneRadius(float a, float b, float c);
RotatedPoint RotatePoint(double x, double y, double z, double angleA, double angleB, double angleC);
ScreenPoint ProjectPoint(float camX, float camY, float camZ);
void ProjectVertex(uint32_t id, uint32_t slot);
// The two mouse buttons are parameters here instead of key queries.
void TransformObject(uint32_t id, float angleA, float angleB, float angleC, bool leftButtonHeld,
                     bool rightButtonHeld);

// ---- Lights ---------------------------------------------------------------------------------

// Formats the label into the shared TextBuffer and draws it with the overlay's DrawBigText,
// pointed at this frame for the duration of the call.
void DrawLightLabel(uint32_t light);

// ---- Renderers, edges, spans ----------------------------------------------------------------

extern int32_t LightingEnabled;
extern int32_t TexturingEnabled;
extern int32_t CoarseFillEnabled;
extern int32_t WireframeEnabled;
extern int32_t FlatColour[3];

extern FaceCorner CornerA, CornerB, CornerC, CornerD;
extern EdgeList LeftEdge, RightEdge;

void RenderBoxObject(uint32_t objectId);
void RenderTriangleObject(uint32_t objectId);
void SetCornerA(double px, double py, double camX, double camY, double camZ);
void SetCornerB(double px, double py, double camX, double camY, double camZ);
void SetCornerC(double px, double py, double camX, double camY, double camZ);
void SetCornerD(double px, double py, double camX, double camY, double camZ);
void WalkLeftEdgeFine();
void WalkRightEdgeFine();
void WalkLeftEdgeCoarse();
void WalkRightEdgeCoarse();
void FillQuadFace(uint32_t textureSlot);
void FillTriangleFace(uint32_t textureSlot, float baseLength);
void DrawDepthLine(double x0, double y0, double z0, double x1, double y1, double z1,
                   uint32_t maskValue);
void DrawQuadSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
                  double cx1, double cy1, double cz1, int32_t row, uint32_t slot);
void DrawTriangleSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1,
                      double y1, double cx1, double cy1, double cz1, int32_t row, uint32_t slot,
                      float baseLength);
ShadeColour ShadePoint(int32_t px, int32_t py, int32_t pz, int32_t sr, int32_t sg, int32_t sb);
void PutPixelRgb(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);

// ---- The demonstration scene and one frame of the main loop ---------------------------------

// Seven boxes, the 10 x 10 grid, ten random triangles from Srand(seed), lights 1 .. 5,
// LightCount 1, the screen centre, ViewDistance -360 and NearPlaneZ -50; LastObjectId is left at
// 117 as the scene builder leaves it.
void BuildDemoScene(uint32_t seed);

struct FrameSettings {
  int32_t mouseX = 0, mouseY = 0;
  float mouseScale = 3.0f;
  int32_t lastObjectId = 1;
  int32_t lightCount = 1;
  float viewDistance = -360.0f;
  int32_t texturing = 1, lighting = 1, coarseFill = 1, wireframe = 1;
  bool leftButtonHeld = false, rightButtonHeld = false;
};

struct ViewAngles {
  float a, b, c;
};

// angleA 180; angleC = x * trunc(scale) - 180 and angleB = y * trunc(scale) - 180 in integers.
ViewAngles ViewAnglesFor(int32_t mouseX, int32_t mouseY, float mouseScale);

// Applies the settings (switches, LightCount, ViewDistance, LastObjectId) and draws one pass of
// the loop's drawing steps: clear frame and depth, transform and draw ids 1 .. LastObjectId,
// label the lights. The mask buffer carries over from the previous pass as in the program.
void DrawFrame(const FrameSettings& settings);

std::string Describe(const FrameSettings& settings);

}  // namespace Reference
