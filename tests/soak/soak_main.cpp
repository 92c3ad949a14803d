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
