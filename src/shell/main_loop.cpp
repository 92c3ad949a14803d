// Start-up, the main loop and exit.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "audio/audio.h"
#include "base/base.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "input/input.h"
#include "input/journal.h"
#include "overlay/overlay.h"
#include "shell/replay.h"
#include "shell/shell.h"
#include "textures/textures.h"

int32_t QuitRequested = 0;
float MouseScale = 3.0f;
float ViewAngleA = 0.0f, ViewAngleB = 0.0f, ViewAngleC = 0.0f;

namespace {

void Toggle(int32_t& flag) { flag = flag == 0 ? 1 : 0; }

// A program started outside the folder that holds its data shows grey boxes and plays nothing,
// silently; one line says why. The folders are matched without regard to case, as the file
// calls match them.
void WarnWhenNoPictureFolder() {
  static const char* const PictureFolders[] = {"bmp_cross",   "bmp_unit",      "bmp_land",
                                               "bmp_dungeon", "bmp_structure", "bmp_item",
                                               "bmp_scr",     "bmp_cube"};
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::directory_iterator entry(".", error), end; !error && entry != end;
       entry.increment(error)) {
    std::string name = entry->path().filename().string();
    for (const char* folder : PictureFolders) {
      std::error_code ignored;
      if (StringCompareNoCase(name.c_str(), folder) == 0 && entry->is_directory(ignored)) return;
    }
  }
  std::fprintf(stderr,
               "vaultrun: started in %s, which holds none of the picture folders (bmp_cube, "
               "bmp_land, ...), so no picture will load; the build writes the pictures and "
               "sounds into build/ (cd build && ./vaultrun)\n",
               fs::current_path(error).string().c_str());
}

}  // namespace

void BuildDemoScene() {
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  CreateBoxObject(2, 100, 0, 1110, 597, 50.0f);
  CreateBoxObject(3, -100, 0, 1110, 597, 50.0f);
  CreateBoxObject(4, 0, 100, 1110, 597, 50.0f);
  CreateBoxObject(5, 0, -100, 1110, 597, 50.0f);
  CreateBoxObject(6, 0, 0, 1100, 597, 50.0f);
  CreateBoxObject(7, 0, 0, 1100, 597, 50.0f);

  NextObjectId = 8;
  for (int i = 0; i <= 9; ++i) {
    for (int j = 0; j <= 9; ++j) {
      CreateBoxObject(NextObjectId, static_cast<float>(200 + 100 * i),
                      static_cast<float>(200 + 100 * j), 0, 597, 50.0f);
      NextObjectId += 1;
    }
  }

  for (int t = 0; t < 10; ++t) {
    // Twelve draws in this order: the centre, then the nine offsets.
    float cx = static_cast<float>(Rand() % 2000 - 1000);
    float cy = static_cast<float>(Rand() % 2000 - 1000);
    float cz = static_cast<float>(Rand() % 2000 - 1000);
    float d[9];
    for (float& offset : d) offset = static_cast<float>(Rand() % 600 - 300);
    CreateTriangleObject(NextObjectId, cx + d[0], cy + d[1], cz + d[2], cx + d[3], cy + d[4],
                         cz + d[5], cx + d[6], cy + d[7], cz + d[8], 597);
    NextObjectId += 1;
  }
  LastObjectId = NextObjectId - 1;

  for (uint32_t i = 1; i <= 5; ++i) {
    SceneLight& light = LightTable[i];
    light.index = i;
    light.x = light.y = light.z = 50.0f;
    light.range = 60.0f;
    light.red = 0.0f;
    light.green = 255.0f;
    light.blue = 0.0f;
  }
  LightCount = 1;

  ScreenCentreX = RenderWidth / 2;
  ScreenCentreY = RenderHeight / 2;
  ViewDistance = -360.0f;
  NearPlaneZ = -50.0;
}

void StartUp() {
  SetRenderSize(320, 240);
  DisplayScale = 2;
  InitGameData();
  AllocateEnginePools();
  LoadBmpIntoSlot(".\\bmp_cube\\grass3.bmp", 596);
  LoadBmpIntoSlot(".\\bmp_cube\\BRICKOLD2.bmp", 597);
  LoadBmpIntoSlot(".\\bmp_cube\\dirt1.bmp", 598);
  OpenAudio();
  LoadRawSound(".\\sound\\Dreamy Space Beat.raw", 1);
  LoadRawSound(".\\sound\\tecnotica.raw", 2);
  Srand(static_cast<uint32_t>(JournalCalendarTime()));
  BuildDemoScene();
  OpenMainWindow();
  NextObjectId = 1;
  LastObjectId = 1;
}

void HandleLoopKeys() {
  if (IsKeyDown(VkAdd)) ViewDistance += 36.0f;
  if (IsKeyDown(VkSubtract)) ViewDistance -= 36.0f;
  if (IsKeyDown('T')) {
    Toggle(TexturingEnabled);
    PlatformSleep(600);
  }
  if (IsKeyDown('I')) {
    Toggle(LightingEnabled);
    PlatformSleep(600);
  }
  if (IsKeyDown('B')) {
    Toggle(CoarseFillEnabled);
    PlatformSleep(600);
  }
  if (IsKeyDown('N')) {
    Toggle(WireframeEnabled);
    PlatformSleep(600);
  }
  if (IsKeyDown('S')) {
    GenerateTestTone();
    PlaySoundSlot(0, 0);
    PlatformSleep(300);
  }
  if (IsKeyDown('D')) {
    PlaySoundSlot(1, 0);
    PlatformSleep(100);
  }
  if (IsKeyDown('F')) {
    PlaySoundSlot(2, 0);
    PlatformSleep(100);
  }
  if (IsKeyDown('E')) {
    StopSoundSlot(0);
    StopSoundSlot(1);
    StopSoundSlot(2);
  }
  if (IsKeyDown(VkSpace)) {
    FrameCounter = 0;
    PlatformSleep(1000);
  }
  if (IsKeyDown('1')) MouseScale = 1.0f;
  if (IsKeyDown('2')) MouseScale = 2.0f;
  if (IsKeyDown('3')) MouseScale = 3.0f;
}

void ComputeViewAngles() {
  int scale = static_cast<int>(MouseScale);
  ViewAngleA = 180.0f;
  ViewAngleC = static_cast<float>(GetMouseX(WindowHandle) * scale - 180);
  ViewAngleB = static_cast<float>(GetMouseY(WindowHandle) * scale - 180);
}

void DrawSceneObjects() {
  for (int32_t id = 1; id <= LastObjectId; ++id) {
    TransformObject(id, ViewAngleA, ViewAngleB, ViewAngleC);
    uint32_t kind = ObjectPool[id].faces[0].kind;
    if (kind == ObjectKindBox)
      RenderBoxObject(id);
    else if (kind == ObjectKindTriangle)
      RenderTriangleObject(id);
  }
}

void DrawOverlayLines() {
  FormatText(TextBuffer, "WIN32VAULTRUN0012D3DVR001UC004");
  DrawSmallText(12, RenderHeight - 14, 255, 255, 0);
  FormatText(TextBuffer, "VAULTRUN 1.0");  // the credits line
  DrawSmallText(12, 14, 255, 255, 0);
  FormatText(TextBuffer, "hand made motor with sinuses and z buffering verification. mx=%d my=%d",
             GetMouseX(WindowHandle), GetMouseY(WindowHandle));
  DrawSmallText(12, 85, 255, 255, 0);
  FormatText(TextBuffer, "hand made audio system.");
  DrawSmallText(12, 70, 255, 255, 0);
}

void DrawPass(bool withLoopKeys) {
  ClearFrame();
  ClearDepth();
  if (withLoopKeys) HandleLoopKeys();
  ComputeViewAngles();
  DrawSceneObjects();
  for (int32_t i = 1; i <= LightCount; ++i) DrawLightLabel(i);
  DrawOverlayLines();
  DrawMouseCursor();
}

void RunLoopPass() {
  DrawPass(/*withLoopKeys=*/true);
  PresentFrame();
  HandleWindowKeys();
  UpdateMapViewKeys(2);
  if (IsKeyDown(VkEscape)) QuitRequested = 1;
  while (PumpMessage() != 0) {
  }
  // Wraps after 2^31 passes instead of overflowing.
  FrameCounter = static_cast<int32_t>(static_cast<uint32_t>(FrameCounter) + 1u);
}

void ShutDown() {
  CloseAudio();
  ReleaseEnginePools();
  ReleaseGameData();
  // The buffer of the game layer's OpenGL grid renderer would be deleted here; that renderer
  // is not part of this program, so there is nothing to delete.
}

int ProgramMain() {
  WarnWhenNoPictureFolder();
  JournalRecordFromEnvironment(JournalProgramLoop, 0, "");
  StartUp();
  EndJournalPass();
  while (QuitRequested == 0) {
    RunLoopPass();
    EndJournalPass();
  }
  ShutDown();
  JournalFinish();
  return 0;
}
