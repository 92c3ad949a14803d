// What recording a replay costs the main loop: whole passes of the loop (RunLoopPass, then the
// journal's pass end) with the start-up scene on the headless backend, without a recording and
// while recording to a file in the temporary folder, as VAULTRUN_RECORD does. The cursor moves
// every pass, so every pass records an answer; a still cursor records nothing but the pass mark.
//
// Run from the build folder so that start-up finds the textures. Figures: time per pass with and
// without the recording (their difference is its cost, the frame hash of every K-th pass
// included) and the bytes a pass adds to the file; and the time of one frame hash.
#include "shell/replay.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "input/journal.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

void StartOnce() {
  static bool started = false;
  if (started) return;
  started = true;
  HeadlessReset();
  StartUp();
}

// args: recording (0/1), cursor moving (0/1)
void BM_LoopPass(benchmark::State& state) {
  StartOnce();
  bool recording = state.range(0) != 0, moving = state.range(1) != 0;
  std::string path = (std::filesystem::temp_directory_path() / "vaultrun-bench.vrr").string();
  std::string error;
  if (recording && !JournalStartRecording(path.c_str(), JournalProgramLoop, 1, "", &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  int64_t passes = 0;
  for (auto _ : state) {
    if (moving) HeadlessCursorX = static_cast<int>(passes % 640);
    RunLoopPass();
    EndJournalPass();
    ++passes;
  }
  JournalFinish();
  if (recording) {
    state.counters["bytes_per_pass"] =
        static_cast<double>(std::filesystem::file_size(path)) / static_cast<double>(passes);
    std::filesystem::remove(path);
  }
}
BENCHMARK(BM_LoopPass)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

// The recording's cost as a share of the pass: blocks of K passes without and with a recording,
// one after the other, timed in processor time, so that the load of other programs falls on both
// alike. Each recording block starts and ends its own file, which this share includes.
void BM_RecordingShare(benchmark::State& state) {
  StartOnce();
  std::string path = (std::filesystem::temp_directory_path() / "vaultrun-bench.vrr").string();
  double off = 0, on = 0;
  int64_t passes = 0;
  std::string error;
  for (auto _ : state) {
    for (int recording = 0; recording < 2; ++recording) {
      std::clock_t start = std::clock();
      if (recording) JournalStartRecording(path.c_str(), JournalProgramLoop, 1, "", &error);
      for (int pass = 0; pass < JournalHashInterval; ++pass) {
        HeadlessCursorX = static_cast<int>((passes + pass) % 640);
        RunLoopPass();
        EndJournalPass();
      }
      JournalFinish();
      (recording ? on : off) += static_cast<double>(std::clock() - start);
    }
    passes += JournalHashInterval;
  }
  std::filesystem::remove(path);
  double perPass = 1e6 / CLOCKS_PER_SEC / static_cast<double>(passes);
  state.counters["pass_us"] = off * perPass;
  state.counters["recording_us"] = (on - off) * perPass;
  state.counters["share_percent"] = 100.0 * (on - off) / off;
}
BENCHMARK(BM_RecordingShare)->Iterations(40)->Unit(benchmark::kMillisecond);

void BM_FrameHash(benchmark::State& state) {
  StartOnce();
  for (auto _ : state) benchmark::DoNotOptimize(FrameBufferHash());
}
BENCHMARK(BM_FrameHash)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
