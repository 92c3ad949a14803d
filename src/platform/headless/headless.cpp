// Headless backend: see headless.h.
#include "platform/headless/headless.h"

#include <deque>

uint64_t HeadlessClockMs = 0;
int64_t HeadlessCalendarSeconds = 1;
bool HeadlessKeys[256];
bool HeadlessKeysPressedSinceQuery[256];
int HeadlessCursorX = 0, HeadlessCursorY = 0;
int HeadlessCursorCounter = 0;
bool HeadlessFailSteps[HeadlessStepCount];
std::vector<std::string> HeadlessCallLog;
std::vector<HeadlessMessageBoxRecord> HeadlessMessageBoxes;
int HeadlessMessageBoxAnswer = 0;
std::vector<PlatformMessage> HeadlessDefaultProcMessages;
void (*HeadlessOnSwap)() = nullptr;

namespace {

struct HeadlessWindowRecord {
  bool exists;
  PlatformRect rect;
};

HeadlessWindowRecord Window;
bool ClassRegistered = false;
int DeviceContextTag, GlContextTag, ModuleTag;
std::deque<PlatformMessage> MessageQueue;

bool Step(HeadlessStep step, const char* name) {
  HeadlessCallLog.push_back(name);
  return !HeadlessFailSteps[step];
}

}  // namespace

void HeadlessReset() {
  HeadlessClockMs = 0;
  for (bool& key : HeadlessKeys) key = false;
  for (bool& key : HeadlessKeysPressedSinceQuery) key = false;
  for (bool& fail : HeadlessFailSteps) fail = false;
  HeadlessCursorX = HeadlessCursorY = 0;
  HeadlessCursorCounter = 0;
  HeadlessCallLog.clear();
  HeadlessMessageBoxes.clear();
  HeadlessMessageBoxAnswer = 0;
  HeadlessDefaultProcMessages.clear();
  HeadlessOnSwap = nullptr;
  Window = HeadlessWindowRecord{};
  ClassRegistered = false;
  MessageQueue.clear();
  HeadlessResetWaveOut();
}

PlatformHandle HeadlessWindow() { return Window.exists ? &Window : nullptr; }

bool HeadlessWindowRect(PlatformRect* rect) {
  if (!Window.exists) return false;
  *rect = Window.rect;
  return true;
}

void HeadlessPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  MessageQueue.push_back(PlatformMessage{HeadlessWindow(), message, wParam, lParam});
}

PlatformHandle PlatformModuleHandle() { return &ModuleTag; }
void PlatformSleep(uint32_t milliseconds) { HeadlessClockMs += milliseconds; }
int64_t PlatformCalendarTime() { return HeadlessCalendarSeconds; }

bool PlatformRegisterWindowClass(PlatformHandle) {
  if (!Step(HeadlessRegisterClass, "RegisterClass")) return false;
  ClassRegistered = true;
  return true;
}

bool PlatformUnregisterWindowClass(PlatformHandle) {
  if (!Step(HeadlessUnregisterClass, "UnregisterClass") || !ClassRegistered) return false;
  ClassRegistered = false;
  return true;
}

bool PlatformSetFullscreenMode(int, int, int) {
  return Step(HeadlessFullscreenMode, "ChangeDisplaySettings");
}

void PlatformRestoreDisplayMode() { HeadlessCallLog.push_back("RestoreDisplayMode"); }

PlatformHandle PlatformCreateWindow(PlatformHandle, const char*, int width, int height, bool) {
  if (!Step(HeadlessCreateWindow, "CreateWindow") || !ClassRegistered) return nullptr;
  Window.exists = true;
  Window.rect = PlatformRect{0, 0, width, height};
  return &Window;
}

bool PlatformDestroyWindow(PlatformHandle window) {
  if (!Step(HeadlessDestroyWindow, "DestroyWindow") || window != &Window || !Window.exists)
    return false;
  Window.exists = false;
  return true;
}

void PlatformShowWindow(PlatformHandle) { HeadlessCallLog.push_back("ShowWindow"); }

PlatformHandle PlatformGetDeviceContext(PlatformHandle window) {
  if (!Step(HeadlessGetDeviceContext, "GetDC") || window != &Window) return nullptr;
  return &DeviceContextTag;
}

bool PlatformReleaseDeviceContext(PlatformHandle, PlatformHandle) {
  return Step(HeadlessReleaseDeviceContext, "ReleaseDC");
}

int PlatformChoosePixelFormat(PlatformHandle, const PixelFormatRequest*) {
  return Step(HeadlessChoosePixelFormat, "ChoosePixelFormat") ? 1 : 0;
}

bool PlatformSetPixelFormat(PlatformHandle, int, const PixelFormatRequest*) {
  return Step(HeadlessSetPixelFormat, "SetPixelFormat");
}

PlatformHandle PlatformCreateGlContext(PlatformHandle) {
  return Step(HeadlessCreateGlContext, "wglCreateContext") ? &GlContextTag : nullptr;
}

bool PlatformMakeGlContextCurrent(PlatformHandle deviceContext, PlatformHandle glContext) {
  if (!deviceContext && !glContext) return Step(HeadlessReleaseCurrent, "wglMakeCurrent(NULL)");
  return Step(HeadlessMakeCurrent, "wglMakeCurrent");
}

bool PlatformDeleteGlContext(PlatformHandle) {
  return Step(HeadlessDeleteGlContext, "wglDeleteContext");
}

bool PlatformSwapBuffers(PlatformHandle deviceContext) {
  if (!deviceContext) return false;
  if (HeadlessOnSwap) HeadlessOnSwap();
  return true;
}

intptr_t PlatformDefaultWindowProc(PlatformHandle window, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam) {
  HeadlessDefaultProcMessages.push_back(PlatformMessage{window, message, wParam, lParam});
  // As Windows does: Alt+F4 arrives as the close system command and becomes a close request.
  if (message == WindowMessageSysCommand && (wParam & 0xFFF0) == SysCommandClose)
    MessageQueue.push_back(PlatformMessage{window, WindowMessageClose, 0, 0});
  return 0;
}

bool PlatformPeekMessage(PlatformMessage* message) {
  if (MessageQueue.empty()) return false;
  *message = MessageQueue.front();
  MessageQueue.pop_front();
  return true;
}

void PlatformTranslateMessage(const PlatformMessage*) {}

intptr_t PlatformDispatchMessage(const PlatformMessage* message) {
  return MainWindowProc(message->window, message->message, message->wParam, message->lParam);
}

int16_t PlatformGetAsyncKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  int pressed = HeadlessKeysPressedSinceQuery[virtualKey] ? 1 : 0;
  HeadlessKeysPressedSinceQuery[virtualKey] = false;
  return static_cast<int16_t>((HeadlessKeys[virtualKey] ? 0x8000 : 0) | pressed);
}

bool PlatformGetCursorPos(int* x, int* y) {
  *x = HeadlessCursorX;
  *y = HeadlessCursorY;
  return true;
}

bool PlatformGetWindowRect(PlatformHandle window, PlatformRect* rect) {
  if (window != &Window || !Window.exists) return false;
  *rect = Window.rect;
  return true;
}

bool PlatformMoveWindow(PlatformHandle window, int x, int y, int width, int height, bool) {
  if (window != &Window || !Window.exists) return false;
  Window.rect = PlatformRect{x, y, x + width, y + height};
  return true;
}

int PlatformShowCursor(bool show) {
  HeadlessCursorCounter += show ? 1 : -1;
  return HeadlessCursorCounter;
}

int PlatformMessageBox(PlatformHandle, const char* text, const char* caption, uint32_t style) {
  HeadlessMessageBoxes.push_back(HeadlessMessageBoxRecord{text ? text : "", caption ? caption : "",
                                                          style, HeadlessCallLog.size()});
  if (HeadlessMessageBoxAnswer != 0) return HeadlessMessageBoxAnswer;
  return (style & 0xF) == MbYesNo ? IdYes : IdOk;
}
