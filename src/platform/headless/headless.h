// Headless backend: the seam without a display, sound card or real clock.
//
// Platform: any. Limitations: nothing is shown or heard; OpenGL calls made by the subsystems go
// to a library without a current context and do nothing. Dependencies: none.
//
// Keys and the cursor are set by the caller, Sleep advances a virtual clock and returns at once,
// message boxes are recorded and answered as configured, window steps can be made to fail, and
// wave-out positions advance with the virtual clock (88,200 bytes per second).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

enum HeadlessStep {
  HeadlessRegisterClass,
  HeadlessUnregisterClass,
  HeadlessFullscreenMode,
  HeadlessCreateWindow,
  HeadlessDestroyWindow,
  HeadlessGetDeviceContext,
  HeadlessReleaseDeviceContext,
  HeadlessChoosePixelFormat,
  HeadlessSetPixelFormat,
  HeadlessCreateGlContext,
  HeadlessMakeCurrent,     // activating a context
  HeadlessReleaseCurrent,  // wglMakeCurrent(NULL, NULL)
  HeadlessDeleteGlContext,
  HeadlessStepCount
};

struct HeadlessMessageBoxRecord {
  std::string text;
  std::string caption;
  uint32_t style;
  size_t stepsBefore;  // the length of HeadlessCallLog when the box was shown
};

extern uint64_t HeadlessClockMs;         // virtual time, advanced by PlatformSleep
extern int64_t HeadlessCalendarSeconds;  // what PlatformCalendarTime returns
extern bool HeadlessKeys[256];
// Keys pressed since the last query of their state (GetAsyncKeyState's least significant bit,
// which Windows sets for a key pressed and perhaps released again); a query clears the key's.
extern bool HeadlessKeysPressedSinceQuery[256];
extern int HeadlessCursorX, HeadlessCursorY;
extern int HeadlessCursorCounter;  // ShowCursor's display counter, 0 at start
extern bool HeadlessFailSteps[HeadlessStepCount];
extern std::vector<std::string> HeadlessCallLog;  // window steps in the order they ran
extern std::vector<HeadlessMessageBoxRecord> HeadlessMessageBoxes;
extern int HeadlessMessageBoxAnswer;  // 0 = the default button (IDOK, or IDYES for yes/no)
// Every message that reached the default window procedure, in order.
extern std::vector<PlatformMessage> HeadlessDefaultProcMessages;
// Called by every buffer swap that has a device context: a test looks at what is presented.
extern void (*HeadlessOnSwap)();
// Wave-out streams: at most HeadlessWaveOutOpenLimit are open at once (64 at start, never more
// than 64); an open beyond it fails with MMSYSERR_BADDEVICEID, as on a machine without a sound
// card. The device id and flags of the last open are kept for tests.
extern int HeadlessWaveOutOpenLimit;
extern uint32_t HeadlessWaveOutLastDeviceId;
extern uint32_t HeadlessWaveOutLastFlags;
int HeadlessWaveOutOpenStreams();

// The window that exists now (or null) and its screen rectangle.
PlatformHandle HeadlessWindow();
bool HeadlessWindowRect(PlatformRect* rect);
void HeadlessPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

// Back to the state of a fresh process: no window, no keys, empty logs, clock at 0,
// every wave-out stream closed.
void HeadlessReset();
void HeadlessResetWaveOut();
