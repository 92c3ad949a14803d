// The real window rebuilt 200 times at the four scales of F1 to F4 (RebuildWindow is what those
// keys call), with a frame presented and the messages pumped after each rebuild as the loop
// does: the resident memory of the process stays flat, and so does the number of open files.
// Needs a display (run under Xvfb with Mesa); skips without one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "frame/frame.h"
#include "input/input.h"
#include "shell/shell.h"
#include "tests/gl/gl_test_window.h"

namespace {

// VmRSS of /proc/self/status, in kilobytes.
long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

int OpenFiles() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    (void)entry;
    ++count;
  }
  return count;
}

// The first rebuilds load what the GL driver loads once (its code, its caches of compiled
// state): 40 of them, ten at every scale, come before the baseline. After that the driver's
// memory moves now and then in a single step of a few megabytes (a new arena for one of its
// threads, say) and then stays; a window, a context or a texture set lost on every rebuild
// would instead grow every block of rebuilds, by far more than BlockAllowanceKb (each holds at
// least the colour and depth buffers of its window, over a megabyte at 640 x 480).
constexpr int WarmUpRebuilds = 40;
constexpr int Blocks = 10;
constexpr int RebuildsPerBlock = 20;
constexpr long BlockAllowanceKb = 256;  // more than this, and the block counts as growing
constexpr int GrowingBlocksAllowed = 3;
constexpr long TotalAllowanceKb = 8 * 1024;

TEST(WindowRebuildSoak, TwoHundredRebuildsKeepResidentMemoryFlat) {
  if (!ReadyForTheProgramWindow()) GTEST_SKIP() << "no display to open a window on";
  ASSERT_EQ(OpenMainWindow(), 1);
  long firstWindowKb = ResidentKilobytes();

  auto rebuild = [](int count) {
    for (int i = 0; i < count; ++i) {
      RebuildWindow(1 + i % 4);
      ASSERT_NE(WindowHandle, nullptr) << "rebuild " << i;
      ClearFrame();
      PresentFrame();
      while (PumpMessage() != 0) {
      }
    }
  };
  rebuild(WarmUpRebuilds);
  long baselineKb = ResidentKilobytes();
  int baselineFiles = OpenFiles();
  long blockKb[Blocks];
  int growingBlocks = 0;
  for (int block = 0; block < Blocks; ++block) {
    rebuild(RebuildsPerBlock);
    blockKb[block] = ResidentKilobytes();
    long before = block == 0 ? baselineKb : blockKb[block - 1];
    if (blockKb[block] - before > BlockAllowanceKb) ++growingBlocks;
  }
  std::printf("resident memory: %ld kB with the first window, %ld kB after %d rebuilds, then",
              firstWindowKb, baselineKb, WarmUpRebuilds);
  for (long kb : blockKb) std::printf(" %ld", kb);
  std::printf(" kB after each %d more\n", RebuildsPerBlock);
  EXPECT_LE(growingBlocks, GrowingBlocksAllowed);
  EXPECT_LE(blockKb[Blocks - 1], baselineKb + TotalAllowanceKb);
  EXPECT_EQ(OpenFiles(), baselineFiles);

  DestroyRenderWindow();
  std::free(FrameBuffer);
  std::free(ReadbackBuffer);
  FrameBuffer = ReadbackBuffer = nullptr;
}

}  // namespace
