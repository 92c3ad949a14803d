// The drawing steps of one frame of the real program: the start-up scene (object 1) and all 117
// objects, in the fine and the coarse fill, with the mouse at (0, 0) and at (160, 120).
//
// Run from the build folder so that start-up finds the textures; a slot that stays empty is
// given a generated brick picture so that the texel path is what gets measured.
//
// Figures: frames per second, and nanoseconds per span pixel visited, where the span pixels are
// the steps of every span's walk (counted once per case, outside the timed loop). A further case
// moves the mouse between frames, which the fixed-mouse cases never do.
#include "engine/engine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "frame/frame.h"
#include "input/input.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "textures/textures.h"
#include "tools/common/cursor.h"

namespace {

constexpr uint32_t BrickSlot = 597;

void GiveSlotABrickPicture(uint32_t slot) {
  TextureSlot& s = TextureSlotTable[slot];
  if (s.pixels) return;
  constexpr uint32_t Side = 64;
  s.pixels = static_cast<uint8_t*>(std::malloc(Side * Side * 3));
  s.width = s.height = Side;
  s.bytesPerPixel = 3;
  for (uint32_t y = 0; y < Side; ++y) {
    for (uint32_t x = 0; x < Side; ++x) {
      uint32_t shifted = (y / 8) % 2 ? x + 8 : x;
      bool mortar = y % 8 == 0 || shifted % 16 == 0;
      uint8_t* p = s.pixels + 3 * (y * Side + x);
      p[0] = mortar ? 180 : static_cast<uint8_t>(140 + (x * 7 + y * 13) % 40);
      p[1] = mortar ? 180 : static_cast<uint8_t>(50 + (x * 3 + y * 5) % 20);
      p[2] = mortar ? 170 : 40;
    }
  }
}

void StartOnce() {
  static bool started = false;
  if (started) return;
  started = true;
  HeadlessReset();
  HeadlessCalendarSeconds = 1;
  StartUp();
  GiveSlotABrickPicture(BrickSlot);
}

// args: last object id, coarse fill (0/1), mouse x, mouse y
void BM_Frame(benchmark::State& state) {
  StartOnce();
  LastObjectId = static_cast<int32_t>(state.range(0));
  LightCount = 1;
  ViewDistance = -360.0f;
  MouseScale = 3.0f;
  TexturingEnabled = 1;
  LightingEnabled = 1;
  CoarseFillEnabled = static_cast<int32_t>(state.range(1));
  WireframeEnabled = 1;
  if (!PlaceCursorOnRenderPixel(static_cast<int>(state.range(2)),
                                static_cast<int>(state.range(3)))) {
    state.SkipWithError("the cursor does not read back as the wanted render pixel");
    return;
  }

  uint64_t steps = 0;
  SpanStepCounter = &steps;
  DrawPass(/*withLoopKeys=*/false);
  SpanStepCounter = nullptr;

  for (auto _ : state) {
    DrawPass(/*withLoopKeys=*/false);
    benchmark::DoNotOptimize(FrameBuffer[0]);
    benchmark::ClobberMemory();
  }
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["span_px"] = static_cast<double>(steps);
  state.counters["s_per_span_px"] =
      benchmark::Counter(static_cast<double>(steps) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The start-up frame while the mouse moves: the cursor sweeps along a row of 200 render
// pixels, one per frame, so every frame turns the scene and its light and the shading meets its
// distances afresh, as in the program while the user moves the mouse.
// args: coarse fill (0/1)
void BM_FrameMouseMoving(benchmark::State& state) {
  StartOnce();
  LastObjectId = 1;
  LightCount = 1;
  ViewDistance = -360.0f;
  MouseScale = 3.0f;
  TexturingEnabled = 1;
  LightingEnabled = 1;
  CoarseFillEnabled = static_cast<int32_t>(state.range(0));
  WireframeEnabled = 1;
  int frame = 0;
  for (auto _ : state) {
    PlaceCursorOnRenderPixel(60 + frame % 200, 100);
    DrawPass(/*withLoopKeys=*/false);
    benchmark::DoNotOptimize(FrameBuffer[0]);
    benchmark::ClobberMemory();
    ++frame;
  }
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_FrameMouseMoving)
    ->ArgNames({"coarse"})
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
      return *std::min_element(v.begin(), v.end());
    });

BENCHMARK(BM_Frame)
    ->ArgNames({"objects", "coarse", "mx", "my"})
    ->Args({1, 1, 0, 0})
    ->Args({1, 1, 160, 120})
    ->Args({1, 0, 0, 0})
    ->Args({1, 0, 160, 120})
    ->Args({117, 1, 0, 0})
    ->Args({117, 1, 160, 120})
    ->Args({117, 0, 0, 0})
    ->Args({117, 0, 160, 120})
    ->Unit(benchmark::kMillisecond)
    // The machine is shared: the fastest of several repetitions is the figure least disturbed by
    // other work.
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
      return *std::min_element(v.begin(), v.end());
    });

BENCHMARK_MAIN();
