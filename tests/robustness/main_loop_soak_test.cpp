// A short run of the soak (vaultrun-soak runs the long one): the whole program through 800
// passes of held keys, mashed keys and a mouse far off the window, ending on Escape. The first
// 400 passes already press every key many times (see soak_script.h); the loop must keep its
// values in range on every pass and hold the same memory and files at the end as after them.
#include <gtest/gtest.h>

#include "tests/robustness/program_run.h"

namespace {

TEST(MainLoopSoak, EightHundredPassesKeepTheirRangesMemoryAndFiles) {
  constexpr uint64_t Passes = 800;
  constexpr uint64_t BaselinePasses = 400;
  robustness::ProgramData data;
  WorkingDirectory inData(data.path());
  robustness::ResetProgramGlobals();
  StartUp();

  soak::Figures baseline{};
  for (uint64_t pass = 0; pass < Passes; ++pass) {
    soak::SetPassInput(pass, Passes);
    RunLoopPass();
    soak::DropBackendRecords();
    ASSERT_EQ(soak::CheckPass(pass, Passes), "") << "pass " << pass;
    if (pass + 1 == BaselinePasses) baseline = soak::Measure();
  }
  soak::Figures end = soak::Measure();
  EXPECT_EQ(end.openFiles, baseline.openFiles);
  // The C library's own count also holds blocks it keeps cached for reuse; only the sanitizer's
  // allocator (or the C library with its cache off) counts exactly what the program holds.
  if (end.exact) {
    EXPECT_EQ(end.heapBytes, baseline.heapBytes);
  }
  ShutDown();
}

}  // namespace
