// Application shell: start-up, the main loop and exit; the window and its OpenGL context.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// ---- Start-up and main loop (main_loop.cpp) -------------------------------------------------

extern int32_t QuitRequested;  // 0; the loop ends when non-zero (Escape, window close request)
extern int32_t FrameCounter;   // 0; +1 at the end of every pass; Space sets it to 0
extern float MouseScale;       // 3.0; mouse pixels to view degrees; keys 1, 2, 3 set 1, 2, 3
extern float ViewAngleA, ViewAngleB, ViewAngleC;  // the camera angles of the current pass

// The whole program: start-up, the loop until QuitRequested, exit. Returns the exit status.
int ProgramMain();
void StartUp();
void BuildDemoScene();  // the seven boxes, the grid, the random triangles and the lights
void RunLoopPass();     // one pass of the main loop, from ClearFrame to FrameCounter += 1
void HandleLoopKeys();  // the key table of the loop (step 2 of a pass)
void ComputeViewAngles();
void DrawSceneObjects();  // transform and draw ids 1 .. LastObjectId
void DrawOverlayLines();
void ShutDown();

// ---- Window and GL context (window.cpp) -----------------------------------------------------

extern PlatformHandle InstanceHandle;
extern PlatformHandle DeviceContext;
extern PlatformHandle RenderingContext;
extern int32_t Fullscreen;    // 0
extern int32_t DisplayScale;  // window size and pixel zoom factor; start-up sets 2
extern PlatformMessage MessageRecord;
extern uint32_t GLTextureNames[32];
extern PixelFormatRequest PixelFormat;

int CreateRenderWindow(const char* title, int width, int height, int bits, int fullscreen);
void DestroyRenderWindow();
int InitGlState();
void SetGlViewport(int width, int height);
int UploadCubeTextures();
int PumpMessage();
int OpenMainWindow();
void HandleWindowKeys();
void RebuildWindow(int scale);
