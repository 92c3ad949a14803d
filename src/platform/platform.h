// The one seam between VAULTRUN and the operating system.
//
// Every subsystem reaches the system through these calls and nothing else. The seam is cut at the
// granularity of the steps the program reports on: each window step, each release step, each file
// and wave-out call is one call here returning success or failure (or the Windows result code).
// The order of steps, the messages and the handle bookkeeping live in the subsystems; a backend
// only performs steps. Backends are chosen at link time: win32/, sdl/, headless/.
//
// Numbers are the Windows ones (virtual keys, window messages, message box styles, file access
// and disposition values, wave-out result codes), so the subsystems read like the program they are.
#pragma once

#include <cstddef>
#include <cstdint>

typedef void* PlatformHandle;

// ---------------------------------------------------------------------------------------------
// The program, as a backend's entry point starts it (WinMain on Windows; main elsewhere is the
// shell's own). The shell defines it: start-up, the loop until quit, exit; the exit status.

int ProgramMain();

// ---------------------------------------------------------------------------------------------
// Module, clock, pauses

PlatformHandle PlatformModuleHandle();  // GetModuleHandleA(NULL)
void PlatformSleep(uint32_t milliseconds);
int64_t PlatformCalendarTime();  // seconds since 1970, as time() gives them: the seed of rand

// ---------------------------------------------------------------------------------------------
// Window and GL context steps

// The pixel format request, laid out as the fields of a PIXELFORMATDESCRIPTOR in their order.
struct PixelFormatRequest {
  uint16_t nSize;
  uint16_t nVersion;
  uint32_t dwFlags;
  uint8_t iPixelType;
  uint8_t cColorBits;
  uint8_t cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift;
  uint8_t cAlphaBits, cAlphaShift;
  uint8_t cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits, cAccumAlphaBits;
  uint8_t cDepthBits;
  uint8_t cStencilBits;
  uint8_t cAuxBuffers;
  uint8_t iLayerType;
  uint8_t bReserved;
  uint32_t dwLayerMask;
  uint32_t dwVisibleMask;
  uint32_t dwDamageMask;
};

enum : uint32_t {
  PfdDrawToWindow = 0x4,
  PfdSupportOpenGl = 0x20,
  PfdDoubleBuffer = 0x1,
  PfdTypeRgba = 0,
  PfdMainPlane = 0,
};

bool PlatformRegisterWindowClass(PlatformHandle instance);  // class "OpenGL", MainWindowProc
bool PlatformUnregisterWindowClass(PlatformHandle instance);
bool PlatformSetFullscreenMode(int width, int height, int bits);  // ChangeDisplaySettingsA
void PlatformRestoreDisplayMode();                                // ChangeDisplaySettingsA(NULL, 0)
// A borderless popup window whose client area is width x height, at (0, 0) on the screen.
PlatformHandle PlatformCreateWindow(PlatformHandle instance, const char* title, int width,
                                    int height, bool fullscreen);
bool PlatformDestroyWindow(PlatformHandle window);
void PlatformShowWindow(PlatformHandle window);  // ShowWindow, SetForegroundWindow, SetFocus
PlatformHandle PlatformGetDeviceContext(PlatformHandle window);
bool PlatformReleaseDeviceContext(PlatformHandle window, PlatformHandle deviceContext);
int PlatformChoosePixelFormat(PlatformHandle deviceContext, const PixelFormatRequest* request);
bool PlatformSetPixelFormat(PlatformHandle deviceContext, int format,
                            const PixelFormatRequest* request);
PlatformHandle PlatformCreateGlContext(PlatformHandle deviceContext);
bool PlatformMakeGlContextCurrent(PlatformHandle deviceContext, PlatformHandle glContext);
bool PlatformDeleteGlContext(PlatformHandle glContext);
bool PlatformSwapBuffers(PlatformHandle deviceContext);

// ---------------------------------------------------------------------------------------------
// Window messages. The backend delivers what it receives to the shell's MainWindowProc, which
// decides, and hands back to PlatformDefaultWindowProc what it does not handle itself.

enum : uint32_t {
  WindowMessageActivate = 0x0006,    // WM_ACTIVATE
  WindowMessageClose = 0x0010,       // WM_CLOSE
  WindowMessageSysCommand = 0x0112,  // WM_SYSCOMMAND
  SysCommandScreenSave = 0xF140,     // SC_SCREENSAVE
  SysCommandMonitorPower = 0xF170,   // SC_MONITORPOWER
  SysCommandClose = 0xF060,          // SC_CLOSE (Alt+F4)
};

struct PlatformMessage {
  PlatformHandle window;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};

// Implemented by the shell; called by the backend for every message of the window.
intptr_t MainWindowProc(PlatformHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t PlatformDefaultWindowProc(PlatformHandle window, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam);
bool PlatformPeekMessage(PlatformMessage* message);  // PeekMessageA(..., PM_REMOVE)
void PlatformTranslateMessage(const PlatformMessage* message);
intptr_t PlatformDispatchMessage(const PlatformMessage* message);

// ---------------------------------------------------------------------------------------------
// Polled input

enum : int {
  VkLButton = 1,
  VkRButton = 2,
  VkMButton = 4,
  VkBack = 8,
  VkTab = 9,
  VkReturn = 13,
  VkShift = 16,
  VkEscape = 27,
  VkSpace = 32,
  VkLeft = 37,
  VkUp = 38,
  VkRight = 39,
  VkDown = 40,
  VkAdd = 107,
  VkSubtract = 109,
  VkF1 = 112,
  VkF2 = 113,
  VkF3 = 114,
  VkF4 = 115,
};

// GetAsyncKeyState: the most significant bit is set while the key is held.
int16_t PlatformGetAsyncKeyState(int virtualKey);
bool PlatformGetCursorPos(int* x, int* y);  // screen position of the cursor

struct PlatformRect {
  int left, top, right, bottom;
};
bool PlatformGetWindowRect(PlatformHandle window, PlatformRect* rect);
bool PlatformMoveWindow(PlatformHandle window, int x, int y, int width, int height, bool repaint);
int PlatformShowCursor(bool show);  // returns the new display counter, as ShowCursor does

// ---------------------------------------------------------------------------------------------
// Message boxes

enum : uint32_t {
  MbOk = 0x0,
  MbYesNo = 0x4,
  MbIconStop = 0x10,
  MbIconExclamation = 0x30,
  MbIconInformation = 0x40,
};
enum : int { IdOk = 1, IdYes = 6, IdNo = 7 };

int PlatformMessageBox(PlatformHandle owner, const char* text, const char* caption, uint32_t style);

// ---------------------------------------------------------------------------------------------
// Files. Paths are written as the program writes them (".\\bmp_cube\\x.bmp"); a POSIX backend
// turns backslashes into slashes and finds each name without regard to case, as Windows does.

typedef intptr_t PlatformFile;
constexpr PlatformFile PlatformInvalidFile = -1;  // INVALID_HANDLE_VALUE

enum : uint32_t {
  FileGenericRead = 0x80000000u,
  FileGenericWrite = 0x40000000u,
  FileReadData = 0x1,
  FileWriteData = 0x2,  // the specific rights, as some callers ask for them
  FileShareRead = 0x1,
  FileShareWrite = 0x2,
  FileOpenAlways = 4,
  FileAttributeNormal = 0x80,
};

PlatformFile PlatformCreateFile(const char* path, uint32_t access, uint32_t share,
                                uint32_t disposition, uint32_t attributes);
bool PlatformReadFile(PlatformFile file, void* buffer, uint32_t count, uint32_t* transferred);
bool PlatformWriteFile(PlatformFile file, const void* buffer, uint32_t count,
                       uint32_t* transferred);
bool PlatformCloseHandle(PlatformFile file);

// ---------------------------------------------------------------------------------------------
// Wave-out streams, with the records laid out as WAVEFORMATEX, WAVEHDR and MMTIME.

typedef void* PlatformWaveOut;

#pragma pack(push, 1)
struct WaveFormat {
  uint16_t wFormatTag;
  uint16_t nChannels;
  uint32_t nSamplesPerSec;
  uint32_t nAvgBytesPerSec;
  uint16_t nBlockAlign;
  uint16_t wBitsPerSample;
  uint16_t cbSize;
};
#pragma pack(pop)

struct WaveHeader {
  char* lpData;
  uint32_t dwBufferLength;
  uint32_t dwBytesRecorded;
  uintptr_t dwUser;
  uint32_t dwFlags;
  uint32_t dwLoops;
  WaveHeader* lpNext;
  uintptr_t reserved;
};

struct WaveTime {
  uint32_t wType;
  union {
    uint32_t ms;
    uint32_t sample;
    uint32_t cb;
    uint32_t ticks;
    struct {
      uint8_t hour, min, sec, frame, fps, dummy;
      uint8_t pad[2];
    } smpte;
    struct {
      uint32_t songptrpos;
    } midi;
  } u;
};

enum : uint32_t {
  WaveFormatPcm = 1,
  WaveMapper = 0xFFFFFFFFu,
  WaveMappedDefaultCommunicationDevice = 0x10,
  WhdrDone = 0x1,
  WhdrPrepared = 0x2,
  WhdrBeginLoop = 0x4,
  WhdrEndLoop = 0x8,
  WhdrInQueue = 0x10,
  TimeBytes = 4,
  MmSysErrNoError = 0,
  MmSysErrError = 1,
  MmSysErrBadDeviceId = 2,
  MmSysErrInvalHandle = 5,
  MmSysErrInvalParam = 11,
  WaveErrUnprepared = 34,
};

uint32_t PlatformWaveOutOpen(PlatformWaveOut* stream, uint32_t deviceId, const WaveFormat* format,
                             uintptr_t callback, uintptr_t instance, uint32_t flags);
uint32_t PlatformWaveOutPrepareHeader(PlatformWaveOut stream, WaveHeader* header, uint32_t size);
uint32_t PlatformWaveOutUnprepareHeader(PlatformWaveOut stream, WaveHeader* header, uint32_t size);
uint32_t PlatformWaveOutWrite(PlatformWaveOut stream, WaveHeader* header, uint32_t size);
uint32_t PlatformWaveOutReset(PlatformWaveOut stream);
uint32_t PlatformWaveOutBreakLoop(PlatformWaveOut stream);
uint32_t PlatformWaveOutGetPosition(PlatformWaveOut stream, WaveTime* time, uint32_t size);
uint32_t PlatformWaveOutClose(PlatformWaveOut stream);

// ---------------------------------------------------------------------------------------------
// Memory

// Advice for a large block that is about to be written in full (the sine and cosine tables):
// back it with large pages where the system offers them, so that bringing it into memory takes
// a few faults instead of thousands. Nothing else changes; the block is still freed with free.
// A backend without large pages does nothing.
void PlatformAdviseLargePages(void* block, size_t bytes);
