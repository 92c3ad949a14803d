// vaultrun-soak [passes] [--data folder]: the whole program on the headless backend for the given
// number of passes of the soak script (default 100,000, more than 1,000), in a fresh folder of
// data files or the one given. The heap and the open files after the first 1,000 passes must
// equal those at the end, and those before start-up those after exit (see docs/robustness.md).
// Exit status 0 when every check held, 1 otherwise.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "tests/soak/soak_data.h"
#include "tests/soak/soak_script.h"

namespace {

constexpr uint64_t BaselinePasses = 1000;

void PrintFigures(const char* when, const soak::Figures& figures) {
  std::printf("%-24s heap %12" PRId64 " bytes   open files %3d\n", when, figures.heapBytes,
              figures.openFiles);
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t passCount = 100000;
  std::string dataFolder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc)
      dataFolder = argv[++i];
    else
      passCount = std::strtoull(argv[i], nullptr, 10);
  }
  if (passCount <= BaselinePasses) {
    std::fprintf(stderr, "usage: vaultrun-soak [passes > %" PRIu64 "] [--data folder]\n",
                 BaselinePasses);
    return 2;
  }
  namespace fs = std::filesystem;
  fs::path scratch;
  if (dataFolder.empty()) {
    scratch =
        fs::temp_directory_path() / ("vaultrun-soak-" + std::to_string(std::random_device{}()));
    soak::WriteProgramData(scratch);
    dataFolder = scratch.string();
  }
  fs::current_path(dataFolder);

  auto started = std::chrono::steady_clock::now();
  soak::Figures beforeStart = soak::Measure();
  HeadlessReset();
  StartUp();
  bool ok = true;
  soak::Figures baseline{};
  for (uint64_t pass = 0; pass < passCount && ok; ++pass) {
    soak::SetPassInput(pass, passCount);
    RunLoopPass();
    soak::DropBackendRecords();
    std::string fault = soak::CheckPass(pass, passCount);
    if (!fault.empty()) std::fprintf(stderr, "pass %" PRIu64 ": %s\n", pass, fault.c_str());
    ok = fault.empty();
    if (pass + 1 == BaselinePasses) baseline = soak::Measure();
  }
  soak::Figures atEnd = soak::Measure();
  ShutDown();
  HeadlessReset();
  soak::DropBackendRecords();
  soak::Figures afterExit = soak::Measure();
  double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("vaultrun-soak: %" PRIu64 " passes in %.1f s\n", passCount, seconds);
  PrintFigures("before start-up", beforeStart);
  PrintFigures("after 1000 passes", baseline);
  PrintFigures("after the last pass", atEnd);
  PrintFigures("after exit", afterExit);

  bool exact = atEnd.exact;
  if (!exact) std::printf("the heap figures include blocks the C library caches: not compared\n");
  if (ok &&
      ((exact && atEnd.heapBytes != baseline.heapBytes) || atEnd.openFiles != baseline.openFiles)) {
    std::fprintf(stderr, "vaultrun-soak: memory or files changed after the first passes\n");
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
