// Win32 backend: the window, its OpenGL context, messages, input, message boxes and wave-out.
//
// Platform: Windows (32-bit x86 is the shipped target; 64-bit builds too). Limitations: none;
// this is the system the program was written for, and every call goes straight to it.
// Dependencies: USER32, GDI32, OPENGL32, WINMM, KERNEL32 (files are in win32_files.cpp).
#include <windows.h>
// mmsystem.h builds on the types of windows.h.
#include <mmsystem.h>

#include <cstddef>
#include <cstring>
#include <ctime>

#include "platform/platform.h"

// The seam's records are laid out as the Windows ones, so they pass straight through.
static_assert(sizeof(PixelFormatRequest) == sizeof(PIXELFORMATDESCRIPTOR));
static_assert(offsetof(PixelFormatRequest, cDepthBits) ==
              offsetof(PIXELFORMATDESCRIPTOR, cDepthBits));
static_assert(offsetof(PixelFormatRequest, dwDamageMask) ==
              offsetof(PIXELFORMATDESCRIPTOR, dwDamageMask));
static_assert(sizeof(WaveFormat) == sizeof(WAVEFORMATEX));
static_assert(sizeof(WaveHeader) == sizeof(WAVEHDR));
static_assert(offsetof(WaveHeader, dwFlags) == offsetof(WAVEHDR, dwFlags));
static_assert(offsetof(WaveHeader, reserved) == offsetof(WAVEHDR, reserved));
static_assert(sizeof(WaveTime) == sizeof(MMTIME));

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return MainWindowProc(window, message, wParam, lParam);
}

MSG LastMessage;

}  // namespace

PlatformHandle PlatformModuleHandle() { return GetModuleHandleA(nullptr); }
void PlatformSleep(uint32_t milliseconds) { Sleep(milliseconds); }
int64_t PlatformCalendarTime() { return static_cast<int64_t>(std::time(nullptr)); }

bool PlatformRegisterWindowClass(PlatformHandle instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = static_cast<HINSTANCE>(instance);
  windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_CROSS);
  windowClass.lpszClassName = "OpenGL";
  return RegisterClassA(&windowClass) != 0;
}

bool PlatformUnregisterWindowClass(PlatformHandle instance) {
  return UnregisterClassA("OpenGL", static_cast<HINSTANCE>(instance)) != 0;
}

bool PlatformSetFullscreenMode(int width, int height, int bits) {
  DEVMODEA mode;
  std::memset(&mode, 0, sizeof mode);
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmBitsPerPel = bits;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void PlatformRestoreDisplayMode() { ChangeDisplaySettingsA(nullptr, 0); }

PlatformHandle PlatformCreateWindow(PlatformHandle instance, const char* title, int width,
                                    int height, bool fullscreen) {
  DWORD extendedStyle = fullscreen ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
  DWORD style = WS_POPUP;
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
  return CreateWindowExA(extendedStyle, "OpenGL", title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                         0, 0, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                         static_cast<HINSTANCE>(instance), nullptr);
}

bool PlatformDestroyWindow(PlatformHandle window) {
  return DestroyWindow(static_cast<HWND>(window)) != 0;
}

void PlatformShowWindow(PlatformHandle window) {
  HWND handle = static_cast<HWND>(window);
  ShowWindow(handle, SW_SHOW);
  SetForegroundWindow(handle);
  SetFocus(handle);
}

PlatformHandle PlatformGetDeviceContext(PlatformHandle window) {
  return GetDC(static_cast<HWND>(window));
}

bool PlatformReleaseDeviceContext(PlatformHandle window, PlatformHandle deviceContext) {
  return ReleaseDC(static_cast<HWND>(window), static_cast<HDC>(deviceContext)) != 0;
}

int PlatformChoosePixelFormat(PlatformHandle deviceContext, const PixelFormatRequest* request) {
  PIXELFORMATDESCRIPTOR descriptor;
  std::memcpy(&descriptor, request, sizeof descriptor);
  return ChoosePixelFormat(static_cast<HDC>(deviceContext), &descriptor);
}

bool PlatformSetPixelFormat(PlatformHandle deviceContext, int format,
                            const PixelFormatRequest* request) {
  PIXELFORMATDESCRIPTOR descriptor;
  std::memcpy(&descriptor, request, sizeof descriptor);
  return SetPixelFormat(static_cast<HDC>(deviceContext), format, &descriptor) != 0;
}

PlatformHandle PlatformCreateGlContext(PlatformHandle deviceContext) {
  return wglCreateContext(static_cast<HDC>(deviceContext));
}

bool PlatformMakeGlContextCurrent(PlatformHandle deviceContext, PlatformHandle glContext) {
  return wglMakeCurrent(static_cast<HDC>(deviceContext), static_cast<HGLRC>(glContext)) != 0;
}

bool PlatformDeleteGlContext(PlatformHandle glContext) {
  return wglDeleteContext(static_cast<HGLRC>(glContext)) != 0;
}

bool PlatformSwapBuffers(PlatformHandle deviceContext) {
  return SwapBuffers(static_cast<HDC>(deviceContext)) != 0;
}

intptr_t PlatformDefaultWindowProc(PlatformHandle window, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam) {
  return DefWindowProcA(static_cast<HWND>(window), message, wParam, lParam);
}

bool PlatformPeekMessage(PlatformMessage* message) {
  if (!PeekMessageA(&LastMessage, nullptr, 0, 0, PM_REMOVE)) return false;
  message->window = LastMessage.hwnd;
  message->message = LastMessage.message;
  message->wParam = LastMessage.wParam;
  message->lParam = LastMessage.lParam;
  return true;
}

namespace {

// The message as Windows knows it: the record last peeked, with the fields the caller holds.
MSG AsWindowsMessage(const PlatformMessage* message) {
  MSG record = LastMessage;
  record.hwnd = static_cast<HWND>(message->window);
  record.message = message->message;
  record.wParam = message->wParam;
  record.lParam = message->lParam;
  return record;
}

}  // namespace

void PlatformTranslateMessage(const PlatformMessage* message) {
  MSG record = AsWindowsMessage(message);
  TranslateMessage(&record);
}

intptr_t PlatformDispatchMessage(const PlatformMessage* message) {
  MSG record = AsWindowsMessage(message);
  return DispatchMessageA(&record);
}

int16_t PlatformGetAsyncKeyState(int virtualKey) { return GetAsyncKeyState(virtualKey); }

bool PlatformGetCursorPos(int* x, int* y) {
  POINT point = {0, 0};
  bool ok = GetCursorPos(&point) != 0;
  *x = point.x;
  *y = point.y;
  return ok;
}

bool PlatformGetWindowRect(PlatformHandle window, PlatformRect* rect) {
  RECT r;
  if (!GetWindowRect(static_cast<HWND>(window), &r)) return false;
  *rect = PlatformRect{r.left, r.top, r.right, r.bottom};
  return true;
}

bool PlatformMoveWindow(PlatformHandle window, int x, int y, int width, int height, bool repaint) {
  return MoveWindow(static_cast<HWND>(window), x, y, width, height, repaint) != 0;
}

int PlatformShowCursor(bool show) { return ShowCursor(show); }

int PlatformMessageBox(PlatformHandle owner, const char* text, const char* caption,
                       uint32_t style) {
  return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

uint32_t PlatformWaveOutOpen(PlatformWaveOut* stream, uint32_t deviceId, const WaveFormat* format,
                             uintptr_t callback, uintptr_t instance, uint32_t flags) {
  return waveOutOpen(reinterpret_cast<LPHWAVEOUT>(stream), deviceId,
                     reinterpret_cast<LPCWAVEFORMATEX>(format), callback, instance, flags);
}

uint32_t PlatformWaveOutPrepareHeader(PlatformWaveOut stream, WaveHeader* header, uint32_t size) {
  return waveOutPrepareHeader(static_cast<HWAVEOUT>(stream), reinterpret_cast<LPWAVEHDR>(header),
                              size);
}

uint32_t PlatformWaveOutUnprepareHeader(PlatformWaveOut stream, WaveHeader* header, uint32_t size) {
  return waveOutUnprepareHeader(static_cast<HWAVEOUT>(stream), reinterpret_cast<LPWAVEHDR>(header),
                                size);
}

uint32_t PlatformWaveOutWrite(PlatformWaveOut stream, WaveHeader* header, uint32_t size) {
  return waveOutWrite(static_cast<HWAVEOUT>(stream), reinterpret_cast<LPWAVEHDR>(header), size);
}

uint32_t PlatformWaveOutReset(PlatformWaveOut stream) {
  return waveOutReset(static_cast<HWAVEOUT>(stream));
}

uint32_t PlatformWaveOutBreakLoop(PlatformWaveOut stream) {
  return waveOutBreakLoop(static_cast<HWAVEOUT>(stream));
}

uint32_t PlatformWaveOutGetPosition(PlatformWaveOut stream, WaveTime* time, uint32_t size) {
  return waveOutGetPosition(static_cast<HWAVEOUT>(stream), reinterpret_cast<LPMMTIME>(time), size);
}

uint32_t PlatformWaveOutClose(PlatformWaveOut stream) {
  return waveOutClose(static_cast<HWAVEOUT>(stream));
}
