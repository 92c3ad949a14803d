// The window and its OpenGL context: creation, release, GL state, messages, window keys.
#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

#include "frame/frame.h"
#include "input/input.h"
#include "input/journal.h"
#include "overlay/overlay.h"
#include "shell/shell.h"
#include "textures/textures.h"

PlatformHandle InstanceHandle = nullptr;
PlatformHandle RenderingContext = nullptr;
int32_t Fullscreen = 0;
PlatformMessage MessageRecord;
PixelFormatRequest PixelFormat;

namespace {

bool PixelFormatCompleted = false;

void ShowError(const char* text) {
  JournalMessageBox(nullptr, text, "ERROR", MbOk | MbIconExclamation);
}

void ShowShutdownError(const char* text) {
  JournalMessageBox(nullptr, text, "SHUTDOWN ERROR", MbOk | MbIconInformation);
}

int FailCreation(const char* text) {
  DestroyRenderWindow();
  ShowError(text);
  return 0;
}

}  // namespace

int CreateRenderWindow(const char* title, int width, int height, int bits, int fullscreen) {
  Fullscreen = fullscreen;
  InstanceHandle = PlatformModuleHandle();
  if (!JournalWindowStep(StepRegisterClass,
                         [] { return PlatformRegisterWindowClass(InstanceHandle); })) {
    ShowError("Failed To Register The Window Class.");
    return 0;
  }
  if (Fullscreen && !JournalWindowStep(StepFullscreenMode, [&] {
        return PlatformSetFullscreenMode(width, height, bits);
      })) {
    int answer = JournalMessageBox(
        nullptr,
        "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
        "Instead?",
        "Kelo GL", MbYesNo | MbIconExclamation);
    if (answer == IdYes) {
      Fullscreen = 0;
    } else {
      JournalMessageBox(nullptr, "Program Will Now Close.", "ERROR", MbOk | MbIconStop);
      return 0;
    }
  }
  if (Fullscreen) PlatformShowCursor(false);

  WindowHandle = JournalWindowStep(StepCreateWindow, [&] {
    return PlatformCreateWindow(InstanceHandle, title, width, height, Fullscreen != 0);
  });
  if (!WindowHandle) return FailCreation("Window Creation Error.");

  if (!PixelFormatCompleted) {
    PixelFormat = PixelFormatRequest{};
    PixelFormat.nSize = 40;
    PixelFormat.nVersion = 1;
    PixelFormat.dwFlags = PfdDrawToWindow | PfdSupportOpenGl | PfdDoubleBuffer;
    PixelFormat.iPixelType = PfdTypeRgba;
    PixelFormat.cColorBits = static_cast<uint8_t>(bits);
    PixelFormat.cDepthBits = 16;
    PixelFormat.iLayerType = PfdMainPlane;
    PixelFormatCompleted = true;
  }

  DeviceContext = JournalWindowStep(StepGetDeviceContext,
                                    [] { return PlatformGetDeviceContext(WindowHandle); });
  if (!DeviceContext) return FailCreation("Can't Create A GL Device Context.");
  int format = JournalWindowStep(
      StepChoosePixelFormat, [] { return PlatformChoosePixelFormat(DeviceContext, &PixelFormat); });
  if (format == 0) return FailCreation("Can't Find A Suitable PixelFormat.");
  if (!JournalWindowStep(StepSetPixelFormat, [&] {
        return PlatformSetPixelFormat(DeviceContext, format, &PixelFormat);
      }))
    return FailCreation("Can't Set The PixelFormat.");
  RenderingContext =
      JournalWindowStep(StepCreateGlContext, [] { return PlatformCreateGlContext(DeviceContext); });
  if (!RenderingContext) return FailCreation("Can't Create A GL Rendering Context.");
  if (!JournalWindowStep(StepMakeCurrent, [] {
        return PlatformMakeGlContextCurrent(DeviceContext, RenderingContext);
      }))
    return FailCreation("Can't Activate The GL Rendering Context.");

  PlatformShowWindow(WindowHandle);
  SetGlViewport(width, height);
  if (!InitGlState()) return FailCreation("Initialization Failed.");
  return 1;
}

void DestroyRenderWindow() {
  if (Fullscreen) {
    PlatformRestoreDisplayMode();
    PlatformShowCursor(true);
  }
  if (RenderingContext) {
    if (!JournalWindowStep(StepReleaseCurrent,
                           [] { return PlatformMakeGlContextCurrent(nullptr, nullptr); }))
      ShowShutdownError("Release Of DC And RC Failed.");
    if (!JournalWindowStep(StepDeleteGlContext,
                           [] { return PlatformDeleteGlContext(RenderingContext); }))
      ShowShutdownError("Release Rendering Context Failed.");
    RenderingContext = nullptr;
  }
  if (DeviceContext) {
    if (!JournalWindowStep(StepReleaseDeviceContext, [] {
          return PlatformReleaseDeviceContext(WindowHandle, DeviceContext);
        }))
      ShowShutdownError("Release Device Context Failed.");
    DeviceContext = nullptr;
  }
  if (WindowHandle) {
    if (!JournalWindowStep(StepDestroyWindow, [] { return PlatformDestroyWindow(WindowHandle); }))
      ShowShutdownError("Could Not Release hWnd.");
    WindowHandle = nullptr;
  }
  if (!JournalWindowStep(StepUnregisterClass,
                         [] { return PlatformUnregisterWindowClass(InstanceHandle); }))
    ShowShutdownError("Could Not Unregister Class.");
  InstanceHandle = nullptr;
}

int InitGlState() {
  UploadCubeTextures();
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearColor(1.0f, 0.0f, 0.9f, 0.0f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  return 1;
}

void SetGlViewport(int width, int height) {
  if (height == 0) height = 1;
  (void)width;
  glViewport(0, 0, 320, 240);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // gluPerspective(45, 4/3, 0.1, 100) with the single-precision aspect and near plane widened.
  double fovy = 45.0;
  double aspect = static_cast<double>(4.0f / 3.0f);
  double zNear = static_cast<double>(0.1f);
  double zFar = 100.0;
  const double Pi = 3.14159265358979323846;  // GLU's own (M_PI is not in standard C++)
  double radians = fovy / 2 * Pi / 180;
  double deltaZ = zFar - zNear;
  double cotangent = std::cos(radians) / std::sin(radians);
  // Column by column, as OpenGL takes it.
  // clang-format off
  double m[16] = {cotangent / aspect, 0, 0, 0,
                  0, cotangent, 0, 0,
                  0, 0, -(zFar + zNear) / deltaZ, -1,
                  0, 0, -2 * zNear * zFar / deltaZ, 0};
  // clang-format on
  glMultMatrixd(m);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

intptr_t MainWindowProc(PlatformHandle window, uint32_t message, uintptr_t wParam,
                        intptr_t lParam) {
  switch (message) {
    case WindowMessageActivate:
      return 0;
    case WindowMessageClose:
      QuitRequested = 1;
      return 0;
    case WindowMessageSysCommand:
      if (wParam == SysCommandScreenSave || wParam == SysCommandMonitorPower) return 0;
      break;
  }
  return PlatformDefaultWindowProc(window, message, wParam, lParam);
}

// A replay holds what each call found: nothing, a message, or a message that brought a close
// request, which playback hands to the window procedure as the message it acts on.
int PumpMessage() {
  int found = JournalPumpMessage([] {
    if (!PlatformPeekMessage(&MessageRecord)) return JournalPumpEmpty;
    int32_t quitBefore = QuitRequested;
    PlatformTranslateMessage(&MessageRecord);
    PlatformDispatchMessage(&MessageRecord);
    return QuitRequested != quitBefore ? JournalPumpClose : JournalPumpHandled;
  });
  if (JournalState == JournalPlayingBack && found == JournalPumpClose)
    MainWindowProc(WindowHandle, WindowMessageClose, 0, 0);
  return found == JournalPumpEmpty ? 0 : 1;
}

int OpenMainWindow() {
  char* title = static_cast<char*>(std::malloc(100));
  FormatText(title, "VAULTRUN");
  if (!CreateRenderWindow(title, RenderWidth * DisplayScale, RenderHeight * DisplayScale, 16,
                          Fullscreen)) {
    std::free(title);  // the title would otherwise be lost
    return 0;
  }
  std::free(title);
  PlatformShowCursor(false);
  return 1;
}

void RebuildWindow(int scale) {
  DestroyRenderWindow();
  DisplayScale = scale;
  char* title = static_cast<char*>(std::malloc(10));
  FormatText(title, "VAULTRUN");
  CreateRenderWindow(title, RenderWidth * DisplayScale, RenderHeight * DisplayScale, 16,
                     Fullscreen);
  std::free(title);
  PlatformShowCursor(false);
}

void HandleWindowKeys() {
  if (IsKeyDown(VkF1)) RebuildWindow(1);
  if (IsKeyDown(VkF2)) RebuildWindow(2);
  if (IsKeyDown(VkF3)) RebuildWindow(3);
  if (IsKeyDown(VkF4)) RebuildWindow(4);
  if (IsKeyDown('M')) {
    int x = 0, y = 0;
    JournalGetCursorPos(&x, &y);
    PlatformMoveWindow(WindowHandle, x, y, RenderWidth * DisplayScale, RenderHeight * DisplayScale,
                       true);
    PlatformShowCursor(false);
  }
}
