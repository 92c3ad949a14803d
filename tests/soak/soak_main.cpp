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
#include <vector>

#include "audio/audio.h"
#include "frame/frame.h"
#include "game/map_view.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/start_up_pictures.h"
#include "textures/textures.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VAULTRUN_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VAULTRUN_SOAK_ASAN 1
#endif

#if defined(VAULTRUN_SOAK_ASAN)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// The soak script: pass after pass of held keys, a mouse sweeping over and far beyond the window
// and a trickle of window messages; Escape on the last pass only. Cycle c holds every key of the
// loop's tables alone, in table order, for H = 1 + c mod 20 passes each with one pass of no keys
// between them; then all of them together for H passes; then 4H passes of random handfuls of
// any key but Escape. So the first thousand passes already press every key many times.
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

// The folders the program reads; the bmp_* folders come first.
inline const char* const DataFolders[] = {"bmp_cross",     "bmp_unit", "bmp_land", "bmp_dungeon",
                                          "bmp_structure", "bmp_item", "bmp_scr",  "bmp_cube",
                                          "sound",         "map"};

// A square 24-bit BMP of a pattern.
inline std::vector<uint8_t> PictureFile(uint32_t side) {
  std::vector<uint8_t> file(54 + side * side * 3);
  for (size_t i = 54; i < file.size(); ++i) file[i] = static_cast<uint8_t>((i * 13 + 7) % 251);
  const std::pair<size_t, uint32_t> fields[] = {
      {2, static_cast<uint32_t>(file.size())}, {10, 54}, {14, 40}, {18, side}, {22, side}};
  for (const auto& [at, value] : fields)
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
  file[0] = 'B';
  file[1] = 'M';
  file[26] = 1;
  file[28] = 24;
  return file;
}

// The picture lists are the only record of which files start-up opens. Run in root with empty
// folders, each list leaves an empty file for every name it tries; those files are then given
// content. Cube textures are 64 pixels square as the renderer expects, the others 16.
inline void WriteProgramData(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  for (const char* folder : DataFolders) fs::create_directories(root / folder);

  fs::path previous = fs::current_path();
  fs::current_path(root);
  TextureSlot* savedTable = TextureSlotTable;
  uint32_t savedCount = TextureSlotCount;
  TextureSlotTable = nullptr;
  ResizeTextureSlots(3100);
  LoadStartUpPictures();
  std::free(TextureSlotTable);  // the files were empty: no slot holds an image
  TextureSlotTable = savedTable;
  TextureSlotCount = savedCount;
  fs::current_path(previous);

  for (int folder = 0; folder < 8; ++folder) {
    uint32_t side = std::string(DataFolders[folder]) == "bmp_cube" ? 64 : 16;
    for (const auto& entry : fs::directory_iterator(root / DataFolders[folder]))
      WriteFileBytes(entry.path(), PictureFile(side));
  }

  // Two sounds of a tenth of a second behind their 150-byte lead.
  std::vector<uint8_t> sound(150 + 8820);
  for (size_t i = 0; i < sound.size(); ++i) sound[i] = static_cast<uint8_t>(i * 31 % 256);
  WriteFileBytes(root / "sound" / "Dreamy Space Beat.raw", sound);
  WriteFileBytes(root / "sound" / "tecnotica.raw", sound);
}

constexpr uint64_t BaselinePasses = 1000;

void PrintFigures(const char* when, const Figures& figures) {
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
    WriteProgramData(scratch);
    dataFolder = scratch.string();
  }
  fs::current_path(dataFolder);

  auto started = std::chrono::steady_clock::now();
  Figures beforeStart = Measure();
  HeadlessReset();
  StartUp();
  bool ok = true;
  Figures baseline{};
  for (uint64_t pass = 0; pass < passCount && ok; ++pass) {
    SetPassInput(pass, passCount);
    RunLoopPass();
    DropBackendRecords();
    std::string fault = CheckPass(pass, passCount);
    if (!fault.empty()) std::fprintf(stderr, "pass %" PRIu64 ": %s\n", pass, fault.c_str());
    ok = fault.empty();
    if (pass + 1 == BaselinePasses) baseline = Measure();
  }
  Figures atEnd = Measure();
  ShutDown();
  HeadlessReset();
  DropBackendRecords();
  Figures afterExit = Measure();
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
