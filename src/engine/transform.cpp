// Transform and camera: bearings, the rotation routine, projection.
#include "engine/engine.h"

float CameraOffset[3] = {0, 0, 0};
float ViewDistance = 0.0f;
double NearPlaneZ = -100.0;
double ProjectionScale = 3.0;
double ProjectionDivisor = 140.0;
int32_t ScreenCentreX = 160;
int32_t ScreenCentreY = 120;

RotatedPoint RotatePoint(double x, double y, double z, double, double, double) {
  return RotatedPoint{x, y, z};
}
float BearingDegrees(float, float, float, float) { return 0; }
float PlaneRadius(float, float, float) { return 0; }
void TransformObject(uint32_t, float, float, float) {}
void ProjectVertex(uint32_t, uint32_t) {}
ScreenPoint ProjectPoint(float, float, float) { return ScreenPoint{0, 0}; }
