// The soak script: pass after pass of held keys, a mouse sweeping over and far beyond the window
// and a trickle of window messages; Escape on the last pass only. Cycle c holds every key of the
// loop's tables alone, in table order, for H = 1 + c mod 20 passes each with one pass of no keys
// between them; then all of them together for H passes; then 4H passes of random handfuls of
// any key but Escape. So the first thousand passes already press every key many times.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "game/map_view.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VAULTRUN_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VAULTRUN_SOAK_ASAN 1
#endif

#if defined(VAULTRUN_SOAK_ASAN)
// Declared here: not every compiler ships the sanitizer headers.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace soak {

// The loop's own keys, the window keys and the map view keys, in the order of their tables.
constexpr int ScriptKeys[] = {VkAdd, VkSubtract, 'T',     'I',  'B',    'N',     'S',   'D',
                              'F',   'E',        VkSpace, '1',  '2',    '3',     VkF1,  VkF2,
                              VkF3,  VkF4,       'M',     VkUp, VkDown, VkRight, VkLeft};
constexpr int ScriptKeyCount = sizeof ScriptKeys / sizeof ScriptKeys[0];
constexpr int HoldCycles = 20;

inline uint64_t CycleLength(uint64_t hold) { return ScriptKeyCount * (hold + 1) + 5 * hold; }

inline uint64_t ScriptPeriod() {
  uint64_t period = 0;
  for (uint64_t hold = 1; hold <= HoldCycles; ++hold) period += CycleLength(hold);
  return period;
}

// A fixed scramble of the pass number, so the random handfuls are the same on every run.
inline uint64_t Scramble(uint64_t value) {
  value += 0x9E3779B97F4A7C15ull;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
  return value ^ (value >> 31);
}

// Sets the keys, the cursor and any messages of one pass (0-based) of a soak of passCount.
inline void SetPassInput(uint64_t pass, uint64_t passCount) {
  for (bool& key : HeadlessKeys) key = false;

  if (pass + 1 == passCount) {
    HeadlessKeys[VkEscape] = true;
  } else {
    uint64_t at = pass % ScriptPeriod();
    uint64_t hold = 1;
    while (at >= CycleLength(hold)) at -= CycleLength(hold++);
    if (at < ScriptKeyCount * (hold + 1)) {
      uint64_t key = at / (hold + 1);
      if (at % (hold + 1) < hold) HeadlessKeys[ScriptKeys[key]] = true;  // else the gap
    } else if (at < ScriptKeyCount * (hold + 1) + hold) {
      for (int key : ScriptKeys) HeadlessKeys[key] = true;
    } else {
      // A random handful: each of the 255 other keys down with a chance of one in sixteen.
      for (int key = 0; key < 256; ++key) {
        if (key == VkEscape) continue;
        HeadlessKeys[key] = (Scramble(pass * 256 + key) & 15) == 0;
      }
    }
  }

  // Over and beyond the window, which is at most 1280 x 960 and which M moves to the cursor:
  // two sweeps of unrelated periods, and now and then a point far out on the desktop.
  HeadlessCursorX = -1500 + static_cast<int>(pass * 37 % 5000);
  HeadlessCursorY = -1200 + static_cast<int>(pass * 53 % 4001);
  if (pass % 101 == 0) {
    HeadlessCursorX = pass % 202 == 0 ? -32768 : 32767;
    HeadlessCursorY = pass % 202 == 0 ? 32767 : -32768;
  }

  // The messages a desktop sends now and then; the window swallows or passes them on, and none
  // of them is a close request.
  if (pass % 250 == 125) {
    HeadlessPostMessage(WindowMessageActivate, 0, 0);
    HeadlessPostMessage(WindowMessageSysCommand, SysCommandScreenSave, 0);
    HeadlessPostMessage(WindowMessageSysCommand, SysCommandMonitorPower, 2);
    HeadlessPostMessage(0x0200, 0, 0);  // a mouse move, handled by the default procedure
  }
}

// The headless backend keeps a record of every window step and message box for the tests; it
// is not the program's memory, so the soak drops it after every pass.
inline void DropBackendRecords() {
  std::vector<std::string>().swap(HeadlessCallLog);
  std::vector<HeadlessMessageBoxRecord>().swap(HeadlessMessageBoxes);
  std::vector<PlatformMessage>().swap(HeadlessDefaultProcMessages);
}

// Bytes of heap in use: the sanitizer allocator's count under AddressSanitizer, else glibc's
// blocks in use, which count its per-thread cache of freed blocks too unless that cache is off
// (GLIBC_TUNABLES=glibc.malloc.tcache_count=0): exact says whether the figure can be compared.
// Open files are the process's descriptors (Linux); -1 where a figure is not known.
struct Figures {
  int64_t heapBytes = -1;
  int openFiles = -1;
  bool exact = false;
};

inline Figures Measure() {
  Figures figures;
#if defined(VAULTRUN_SOAK_ASAN)
  figures.heapBytes = static_cast<int64_t>(__sanitizer_get_current_allocated_bytes());
  figures.exact = true;
#elif defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
  struct mallinfo2 info = mallinfo2();
  figures.heapBytes = static_cast<int64_t>(info.uordblks + info.hblkhd);
  const char* tunables = std::getenv("GLIBC_TUNABLES");
  figures.exact = tunables && std::strstr(tunables, "glibc.malloc.tcache_count=0");
#endif
#if defined(__linux__)
  std::error_code error;
  figures.openFiles = 0;
  for (std::filesystem::directory_iterator entry("/proc/self/fd", error), end;
       !error && entry != end; entry.increment(error))
    ++figures.openFiles;
#endif
  return figures;
}

// What one pass left that the loop should never leave: a quit before Escape, or a value out of
// its range. Empty when all is well.
inline std::string CheckPass(uint64_t pass, uint64_t passCount) {
  bool last = pass + 1 == passCount;
  if ((QuitRequested != 0) != last) return "the quit flag does not follow Escape";
  if (MapViewColumn < 0 || MapViewColumn > 236 || MapViewRow < 0 || MapViewRow > 241 ||
      MapViewLevel < 0 || MapViewLevel > 179)
    return "the map view left its range";
  if (DisplayScale < 1 || DisplayScale > 4) return "the display scale left 1..4";
  if (FrameCounter < 0 || static_cast<uint64_t>(FrameCounter) > pass + 1)
    return "the frame counter ran ahead of the passes";
  if (!WindowHandle) return "the window was lost";
  return "";
}

}  // namespace soak
