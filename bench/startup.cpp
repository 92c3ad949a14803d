// Start-up: the time from process start to the end of StartUp and the resident memory after it,
// then the trigonometric tables built the program's way against the plain sin/cos loop.
//
// Run from the build folder (the program's working directory). On the headless backend the
// audio report box is answered at once, so the figure is start-up without the wait for the user.
//   bench-startup            start-up figures, then the table benchmarks
//   bench-startup --once     start-up figures only (for valgrind and quick checks)
//   bench-startup --escape   the whole program, Escape held: start-up, one frame, exit
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "game/game_data.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

// Seconds since boot at which this process started: field 22 of /proc/self/stat, in the
// kernel's USER_HZ ticks, which Linux fixes at 100 for every user-space interface.
double ProcessStartSinceBoot() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  size_t close = text.rfind(')');  // the command name may hold spaces
  if (close == std::string::npos) return -1.0;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  for (int index = 3; index <= 22 && fields >> field; ++index) {
    if (index == 22) return std::stod(field) / 100.0;
  }
  return -1.0;
}

double SecondsSinceBoot() {
  std::ifstream uptime("/proc/uptime");
  double seconds = -1.0;
  uptime >> seconds;
  return seconds;
}

std::string StatusLine(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return line;
  return std::string(key) + " ?";
}

void MeasureStartUp() {
  auto mainEntered = std::chrono::steady_clock::now();
  HeadlessReset();
  StartUp();
  auto startedUp = std::chrono::steady_clock::now();
  double processorMs = 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
  double sinceBoot = SecondsSinceBoot();
  double processStart = ProcessStartSinceBoot();

  double fromMain = std::chrono::duration<double, std::milli>(startedUp - mainEntered).count();
  std::printf("start-up from main to the end of StartUp: %.1f ms\n", fromMain);
  std::printf("processor time of the process so far: %.1f ms\n", processorMs);
  if (processStart >= 0 && sinceBoot >= 0)
    std::printf("start-up from process start (10 ms ticks): %.0f ms\n",
                (sinceBoot - processStart) * 1000.0);
  std::printf("after start-up: %s\n", StatusLine("VmRSS").c_str());
  std::printf("                %s\n", StatusLine("VmHWM").c_str());

  auto shutDown = std::chrono::steady_clock::now();
  ShutDown();
  double release =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - shutDown)
          .count();
  std::printf("shut-down: %.1f ms, then %s\n", release, StatusLine("VmRSS").c_str());
  std::fflush(stdout);
}

// The tables as the program defines them, computed the slow obvious way.
void PlainTrigLoop(float* sine, float* cosine) {
  for (float a = 0; a < 3600000; a += 1) {
    double x = a * 0.017453292516666667 / 1000.0;
    sine[static_cast<int>(a)] = static_cast<float>(std::sin(x));
    cosine[static_cast<int>(a)] = static_cast<float>(std::cos(x));
  }
}

// After the first round the freed blocks are handed back by malloc without new page faults, so
// both figures are the arithmetic of 7.2 million entries.
void BM_InitTrigTables(benchmark::State& state) {
  for (auto _ : state) {
    InitTrigTables();
    benchmark::DoNotOptimize(SineTable[12345]);
    std::free(SineTable);
    std::free(CosineTable);
    SineTable = CosineTable = nullptr;
  }
}

void BM_PlainTrigLoop(benchmark::State& state) {
  std::vector<float> sine(3600000), cosine(3600000);
  for (auto _ : state) {
    PlainTrigLoop(sine.data(), cosine.data());
    benchmark::DoNotOptimize(sine[12345]);
  }
}

}  // namespace

BENCHMARK(BM_InitTrigTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainTrigLoop)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--escape") == 0) {
    HeadlessReset();
    HeadlessKeys[VkEscape] = true;
    return ProgramMain();
  }
  MeasureStartUp();
  if (argc > 1 && std::strcmp(argv[1], "--once") == 0) return 0;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
