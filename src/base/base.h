// What every layer uses: the pieces of the C runtime whose results the program depends on,
// carried by the program itself so that every platform gives the same results; the shape of the
// world grid with its cell index; the release of a pool.
#pragma once

#include <cstdint>
#include <cstdlib>

// ---- The C runtime's pieces (runtime.cpp) ---------------------------------------------------

// The Windows C runtime generator: state = state * 214013 + 2531011 (mod 2^32),
// result (state >> 16) & 0x7FFF. Start state 1, as if srand(1) had run.
constexpr int RandMax = 32767;
extern uint32_t RandState;
int Rand();
void Srand(uint32_t seed);

// A double converted to a 32-bit integer by truncation; a value that is not finite or lies
// outside the 32-bit range yields 0x80000000, as the x86 conversion instruction does.
int32_t DoubleToInt32(double value);

// Case-insensitive comparison of two strings (ASCII), as _stricmp: <0, 0, >0.
int StringCompareNoCase(const char* a, const char* b);

// ---- The world grid's shape (sizes.cpp) ------------------------------------------------

// Configuration values of the game data; nothing changes them at run time.
extern int32_t MapSide;        // 256
extern int32_t MapLevels;      // 180
extern int32_t CellsPerLevel;  // MapSide * MapSide, derived at static initialisation

// The byte of cell (x, y, level) in a grid of the world's shape (WorldGrid, OverlayGrid). In 64
// bits, so that a caller may form the index of a cell off the grid and test it before reading.
inline int64_t WorldCellIndex(int64_t x, int64_t y, int64_t level) {
  return x + y * MapSide + level * CellsPerLevel;
}

// ---- The render size (sizes.cpp) -----------------------------------------------------------

// Every layer from input up measures in render pixels; the frame buffers are allocated at this
// size (SetRenderSize, frame/frame.h). Pixel (x, y) is element y * RenderWidth + x, row 0 the
// bottom row.
extern int32_t RenderWidth;   // 320 once SetRenderSize has run
extern int32_t RenderHeight;  // 240 once SetRenderSize has run

// ---- Pools ----------------------------------------------------------------------------------

// Frees a pool and clears its pointer, so that a release after a start-up that stopped half way,
// or a second release, frees nothing twice (free of a null pointer does nothing).
template <typename T>
void ReleaseBlock(T*& block) {
  std::free(block);
  block = nullptr;
}
