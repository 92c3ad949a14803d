// vaultrun-soak: the whole program (start-up, the main loop, exit) on the headless backend for a
// given number of passes of the soak script (tests/soak/soak_script.h), with the heap in use and
// the open files measured after the first thousand passes and after the last. They must be
// equal: the loop allocates nothing and opens nothing that stays. Build it with the sanitizers
// (scripts/sanitize) so that every memory error and leak on the way is reported as well.
//
//   vaultrun-soak [passes] [--data folder]
//
// passes: default 100000, at least 1001 (the last pass holds Escape). Without --data the soak
// writes a complete set of data files into a fresh temporary folder and runs there; with it,
// it runs in the given folder (a build folder holds the real pictures and sounds).
//
// The heap figure is exact under AddressSanitizer. Elsewhere glibc counts the freed blocks of its
// per-thread cache as in use: run with GLIBC_TUNABLES=glibc.malloc.tcache_count=0 to have the
// heap compared too; without it only the open files are.
// Exit status 0 when every check held, 1 otherwise.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "audio/audio.h"
#include "game/game_data.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "tests/soak/soak_data.h"
#include "tests/soak/soak_script.h"

namespace {

namespace fs = std::filesystem;

constexpr uint64_t BaselinePasses = 1000;

void PrintFigures(const char* when, const soak::Figures& figures) {
  std::printf("%-28s heap %12" PRId64 " bytes   open files %3d   resident %8" PRId64 " kB\n", when,
              figures.heapBytes, figures.openFiles, figures.residentKb);
}

int Usage() {
  std::fprintf(stderr, "usage: vaultrun-soak [passes >= %" PRIu64 "] [--data folder]\n",
               BaselinePasses + 1);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t passCount = 100000;
  std::string dataFolder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
      dataFolder = argv[++i];
    } else {
      char* end = nullptr;
      passCount = std::strtoull(argv[i], &end, 10);
      if (!end || *end != 0) return Usage();
    }
  }
  if (passCount <= BaselinePasses) return Usage();

  fs::path scratch;
  if (dataFolder.empty()) {
    std::random_device random;
    scratch = fs::temp_directory_path() / ("vaultrun-soak-" + std::to_string(random()));
    soak::WriteProgramData(scratch);
    dataFolder = scratch.string();
  }
  fs::current_path(dataFolder);

  auto started = std::chrono::steady_clock::now();
  soak::Figures beforeStart = soak::Measure();
  HeadlessReset();
  StartUp();
  soak::DropBackendRecords();
  soak::Figures afterStart = soak::Measure();

  bool ok = true;
  soak::Figures baseline{};
  uint64_t firstChange = 0;
  std::string changeKeys;
  int64_t changeBytes = 0;
  for (uint64_t pass = 0; pass < passCount; ++pass) {
    soak::SetPassInput(pass, passCount);
    RunLoopPass();
    soak::DropBackendRecords();
    std::string fault = soak::CheckPass(pass, passCount);
    if (!fault.empty()) {
      std::fprintf(stderr, "pass %" PRIu64 ": %s\n", pass, fault.c_str());
      ok = false;
      break;
    }
    if (pass + 1 == BaselinePasses) baseline = soak::Measure();
    // Where the heap first moved away from the baseline, with what was held: the lead to follow
    // when the figures at the end differ.
    if (pass + 1 > BaselinePasses && firstChange == 0 &&
        soak::HeapBytesInUse() != baseline.heapBytes) {
      firstChange = pass;
      changeKeys = soak::HeldKeys();
      changeBytes = soak::HeapBytesInUse() - baseline.heapBytes;
    }
  }
  soak::Figures atEnd = soak::Measure();
  uint64_t virtualSeconds = HeadlessClockMs / 1000;
  ShutDown();
  HeadlessReset();
  soak::DropBackendRecords();
  soak::Figures afterExit = soak::Measure();
  double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  std::printf("vaultrun-soak: %" PRIu64 " passes in %.1f s (%.3f ms a pass), %" PRIu64
              " s of the program's own pauses\n",
              passCount, seconds, 1000.0 * seconds / static_cast<double>(passCount),
              virtualSeconds);
  PrintFigures("before start-up", beforeStart);
  PrintFigures("after start-up", afterStart);
  PrintFigures("after 1000 passes", baseline);
  PrintFigures(("after " + std::to_string(passCount) + " passes").c_str(), atEnd);
  PrintFigures("after exit", afterExit);

  bool exact = soak::HeapFigureIsExact();
  if (!exact)
    std::printf("the heap figures include freed blocks the C library keeps: not compared\n");
  bool figuresDiffer =
      (exact && atEnd.heapBytes != baseline.heapBytes) || atEnd.openFiles != baseline.openFiles;
  if (figuresDiffer && firstChange != 0)
    std::printf("the heap first moved from the baseline on pass %" PRIu64 " (%+" PRId64
                " bytes), keys held: %s\n",
                firstChange, changeBytes, changeKeys.c_str());
  if (ok && figuresDiffer) {
    std::fprintf(stderr,
                 "vaultrun-soak: memory or files changed after the first %" PRIu64 " passes\n",
                 BaselinePasses);
    ok = false;
  }
  if (ok && ((exact && afterExit.heapBytes != beforeStart.heapBytes) ||
             afterExit.openFiles != beforeStart.openFiles)) {
    std::fprintf(stderr, "vaultrun-soak: exit did not give back what start-up took\n");
    ok = false;
  }
  if (!scratch.empty()) {
    fs::current_path(fs::temp_directory_path());
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
  }
  std::printf("vaultrun-soak: %s\n", ok ? "ok" : "FAILED");
  return ok ? 0 : 1;
}
