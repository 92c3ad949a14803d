// Application shell: start-up, the main loop and exit; the window and its OpenGL context.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// ---- Start-up and main loop (main_loop.cpp) -------------------------------------------------

extern int32_t QuitRequested;  // 0; the loop ends when non-zero (Escape, window close request)
extern float MouseScale;       // 3.0; mouse pixels to view degrees; keys 1, 2, 3 set 1, 2, 3
extern float ViewAngleA, ViewAngleB, ViewAngleC;  // the camera angles of the current pass

// The whole program, ProgramMain (declared by the seam, platform/platform.h, for the backends'
// entry points), runs StartUp, RunLoopPass until QuitRequested, ShutDown, and returns 0.
void StartUp();
void BuildDemoScene();  // the seven boxes, the grid, the random triangles and the lights
void RunLoopPass();     // one pass of the main loop, from ClearFrame to FrameCounter += 1
void HandleLoopKeys();  // the key table of the loop (step 2 of a pass)
// The drawing steps of a pass: clear the frame and depth buffers, act on the loop's keys (only
// withLoopKeys), compute the camera angles, draw the objects, label the lights, draw the overlay
// lines and the cursor. The main loop's pass draws with its keys; vaultrun-snapshot and
// bench-engine set the scene themselves and draw without them.
void DrawPass(bool withLoopKeys);
void ComputeViewAngles();
void DrawSceneObjects();  // transform and draw ids 1 .. LastObjectId
void DrawOverlayLines();
void ShutDown();

// ---- The pools, in the program's order (pools.cpp) ------------------------------------------

// The depth and mask buffers (frame/), then the scene pools (engine/).
void AllocateEnginePools();
// The same, released in the same order.
void ReleaseEnginePools();
// The frame and read-back buffers, the grids, the texture slots, the game tables, the console's
// token buffers: what start-up built for the game data, with the screen buffers it sized.
void ReleaseGameData();

// ---- Window and GL context (window.cpp) -----------------------------------------------------
//
// The window is WindowHandle (input/input.h); its device context and the display scale, which
// presentation uses, are DeviceContext and DisplayScale (frame/frame.h).

extern PlatformHandle InstanceHandle;
extern PlatformHandle RenderingContext;
extern int32_t Fullscreen;  // 0
extern PlatformMessage MessageRecord;
extern PixelFormatRequest PixelFormat;

int CreateRenderWindow(const char* title, int width, int height, int bits, int fullscreen);
void DestroyRenderWindow();
int InitGlState();
void SetGlViewport(int width, int height);
int PumpMessage();
int OpenMainWindow();
void HandleWindowKeys();
void RebuildWindow(int scale);
