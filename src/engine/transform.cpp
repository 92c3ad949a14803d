// Transform and camera: bearings, the rotation routine, projection.
//
// Rotation works without matrices: in each of three planes the point's two coordinates become a
// compass bearing and a radius, the turn is added to the bearing, and sine and cosine bring the
// point back. Every rounding to single precision below is part of the result.
#include <cmath>

#include "base/base.h"
#include "engine/engine.h"
#include "input/input.h"

float CameraOffset[3] = {0, 0, 0};
float ViewDistance = 0.0f;
double NearPlaneZ = -100.0;
double ProjectionScale = 3.0;
double ProjectionDivisor = 140.0;
int32_t ScreenCentreX = 160;
int32_t ScreenCentreY = 120;

namespace {

constexpr double Pi = 3.141592653;
constexpr int VirtualKeyLeftButton = 1;
constexpr int VirtualKeyRightButton = 2;

// One turn of the pair (u, v) by phi degrees; r is the radius of the point in that plane.
void TurnInPlane(double& u, double& v, float r, double phi) {
  float u1000 = static_cast<float>(u) + 1000.0f;
  float v1000 = static_cast<float>(v) + 1000.0f;
  double theta = BearingDegrees(1000.0f, 1000.0f, u1000, v1000);
  double radians = (theta + phi) * DegreesToRadians;
  u = static_cast<float>(std::sin(radians)) * r;
  v = static_cast<float>(std::cos(radians)) * r;
}

float Abs(double value) { return static_cast<float>(std::fabs(value)); }

// The depth offsets of corners and lights: the turned z in single precision, then the view
// distance, then the near plane, summed in single precision in that order.
float CameraDepth(double turnedZ) {
  return (static_cast<float>(turnedZ) + ViewDistance) + static_cast<float>(NearPlaneZ);
}

RotatedPoint TurnWorldPoint(float x, float y, float z, float angleA, float angleB, float angleC) {
  return RotatePoint(x + CameraOffset[0], y + CameraOffset[1], z + CameraOffset[2], angleA, angleB,
                     angleC);
}

// A quotient outside the 32-bit range (a depth at or next to 0, a division by a zero depth,
// 0 / 0) converts to 0x80000000 as on x86. The sign correction negates it in two's complement,
// which leaves 0x80000000, and the clamp then puts the point on the low edge of the range:
// -480 or -440. Either way the result lies inside the clamp range.
int32_t ProjectAxis(float cam, float camZ, int32_t limit) {
  double quotient = cam * ProjectionScale / (-static_cast<double>(camZ) / ProjectionDivisor);
  int32_t screen = DoubleToInt32(quotient);
  if ((cam > 0 && screen < 0) || (cam < 0 && screen > 0))
    screen = static_cast<int32_t>(0u - static_cast<uint32_t>(screen));
  if (screen > limit) screen = limit;
  if (screen < -limit) screen = -limit;
  return screen;
}

}  // namespace

float BearingDegrees(float x0, float y0, float x1, float y1) {
  float dx = x0 - x1;
  float dy = y0 - y1;
  float ax = std::fabs(dx);
  float ay = std::fabs(dy);
  if (ax == 0 && ay == 0) return 0;
  float d = static_cast<float>(std::sqrt(static_cast<double>(ax * ax + ay * ay)));
  double s = ax / d;  // the quotient in single precision, the arc functions in double
  double bearing;
  if (dx <= 0 && dy <= 0)
    bearing = ax <= ay ? std::asin(s) * 180 / Pi : 90 - std::acos(s) * 180 / Pi;
  else if (dx <= 0 && dy > 0)
    bearing = ax <= ay ? 180 - std::asin(s) * 180 / Pi : std::acos(s) * 180 / Pi + 90;
  else if (dx > 0 && dy > 0)
    bearing = ax <= ay ? std::asin(s) * 180 / Pi + 180 : 270 - std::acos(s) * 180 / Pi;
  else if (dx > 0 && dy <= 0)
    bearing = ax <= ay ? 360 - std::asin(s) * 180 / Pi : std::acos(s) * 180 / Pi + 270;
  else
    bearing = -1;  // an operand is not a number
  return static_cast<float>(bearing);
}

float PlaneRadius(float a, float b, float c) {
  float inner = static_cast<float>(std::sqrt(static_cast<double>(a * a + b * b)));
  return static_cast<float>(std::sqrt(static_cast<double>(inner * inner + c * c)));
}

RotatedPoint RotatePoint(double x, double y, double z, double angleA, double angleB,
                         double angleC) {
  double X = x, Y = y, Z = z;
  // Plane (X, Y) by angleC; Z is rounded to single precision at this step.
  float r = PlaneRadius(Abs(X), Abs(Y), 0.0f);
  Z = static_cast<float>(Z);
  TurnInPlane(X, Y, r, angleC);
  // Plane (X, Z) by angleA.
  r = PlaneRadius(Abs(X), 0.0f, Abs(Z));
  TurnInPlane(X, Z, r, angleA);
  // Plane (Y, Z) by angleB.
  r = PlaneRadius(0.0f, Abs(Y), Abs(Z));
  TurnInPlane(Y, Z, r, angleB);
  return RotatedPoint{X, Y, Z};
}

void TransformObject(uint32_t id, float angleA, float angleB, float angleC) {
  uint32_t base = VerticesPerObject * id;
  // The left mouse button freezes the objects, the right one the lights: their camera-space
  // and screen fields keep the values of the last frame that computed them.
  if (!IsKeyDown(VirtualKeyLeftButton)) {
    for (uint32_t k = 0; k < 8; ++k) {
      SceneVertex& v = VertexPool[base + k];
      RotatedPoint turned = TurnWorldPoint(v.x, v.y, v.z, angleA, angleB, angleC);
      v.camX = static_cast<float>(turned.x);
      v.camY = static_cast<float>(turned.y);
      v.camZ = CameraDepth(turned.z);
      ProjectVertex(id, k);
    }
    for (uint32_t k = 8; k < VerticesPerObject; ++k) {
      SceneVertex& v = VertexPool[base + k];
      RotatedPoint turned = RotatePoint(v.x, v.y, v.z, angleA, angleB, angleC);
      v.camX = static_cast<float>(turned.x);
      v.camY = static_cast<float>(turned.y);
      v.camZ = static_cast<float>(turned.z);
    }
  }
  if (!IsKeyDown(VirtualKeyRightButton)) {
    for (int32_t i = 1; i <= LightCount; ++i) {
      SceneLight& light = LightTable[i];
      RotatedPoint turned = TurnWorldPoint(light.x, light.y, light.z, angleA, angleB, angleC);
      light.camX = static_cast<float>(turned.x);
      light.camY = static_cast<float>(turned.y);
      light.camZ = CameraDepth(turned.z);
      ScreenPoint screen = ProjectPoint(light.camX, light.camY, light.camZ);
      light.screenX = screen.x;
      light.screenY = screen.y;
    }
  }
}

void ProjectVertex(uint32_t id, uint32_t slot) {
  SceneVertex& v = VertexPool[VerticesPerObject * id + slot];
  ScreenPoint screen = ProjectPoint(v.camX, v.camY, v.camZ);
  v.screenX = screen.x;
  v.screenY = screen.y;
}

ScreenPoint ProjectPoint(float camX, float camY, float camZ) {
  int32_t screenX = ProjectAxis(camX, camZ, 480);
  int32_t screenY = ProjectAxis(camY, camZ, 440);
  return ScreenPoint{screenX, screenY};
}
