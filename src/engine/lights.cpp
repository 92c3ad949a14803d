// Lights: the on-screen label of each live light.
#include "base/base.h"
#include "engine/engine.h"
#include "overlay/overlay.h"

namespace {

// A colour channel truncated toward zero; the drawer takes the low byte of it.
uint8_t LabelChannel(float value) { return static_cast<uint8_t>(DoubleToInt32(value)); }

// Screen offsets are clamped by the projection; a light whose fields were never computed (the
// right button held from the first frame) still must not overflow, so the sum wraps.
int32_t LabelPosition(int32_t centre, int32_t offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(centre) + static_cast<uint32_t>(offset));
}

}  // namespace

// The label shows the turned position without the depth offsets: the view distance comes off in
// single precision, the near plane in double.
void DrawLightLabel(uint32_t light) {
  const SceneLight& l = LightTable[light];
  float lessView = l.camZ - ViewDistance;
  double depth = lessView - NearPlaneZ;
  FormatText(TextBuffer, "light %3.0f %3.0f %3.0f", static_cast<double>(l.camX),
             static_cast<double>(l.camY), depth);
  DrawBigText(LabelPosition(ScreenCentreX, l.screenX), LabelPosition(ScreenCentreY, l.screenY),
              LabelChannel(l.red), LabelChannel(l.green), LabelChannel(l.blue));
}
