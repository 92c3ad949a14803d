// LoadBmpIntoSlot over the start-up lists: the 217 list files and the entry point's three.
//
// Run from the build folder, it loads the program's own pictures. Where they are missing (fewer
// than 200 slots fill), it writes a stand-in set into a scratch folder and loads that instead:
// 16 x 16 tiles and creatures, 32 x 32 items, 64 x 64 cube textures, a 320 x 240 title.
#include "textures/textures.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/support/start_up_pictures.h"

namespace fs = std::filesystem;

namespace {

const char* const Folders[] = {"bmp_cross",     "bmp_unit", "bmp_land", "bmp_dungeon",
                               "bmp_structure", "bmp_item", "bmp_scr",  "bmp_cube"};

int LoadedSlots() {
  int loaded = 0;
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
    if (TextureSlotTable[slot].pixels) ++loaded;
  return loaded;
}

uint64_t LoadedBytes() {
  uint64_t bytes = 0;
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
    if (TextureSlotTable[slot].pixels)
      bytes +=
          static_cast<uint64_t>(TextureSlotTable[slot].width) * TextureSlotTable[slot].height * 3;
  return bytes;
}

void WriteBmp(const fs::path& path, uint32_t side, uint32_t height) {
  std::vector<uint8_t> file(54 + side * height * 3);
  uint32_t size = static_cast<uint32_t>(file.size());
  auto put = [&](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, side, 4);
  put(22, height, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (size_t i = 54; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i * 7);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), size);
}

// Creates every list file (the loaders create missing ones empty), then draws each.
void WriteStandInPictures() {
  for (const char* folder : Folders) fs::create_directories(folder);
  LoadStartUpPictures();
  for (const char* folder : Folders) {
    std::string name = folder;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (name == "bmp_scr")
        WriteBmp(entry.path(), 320, 240);
      else if (name == "bmp_cube")
        WriteBmp(entry.path(), 64, 64);
      else if (name == "bmp_item")
        WriteBmp(entry.path(), 32, 32);
      else
        WriteBmp(entry.path(), 16, 16);
    }
  }
}

void BM_LoadStartUpPictures(benchmark::State& state) {
  for (auto _ : state) LoadStartUpPictures();
  state.SetItemsProcessed(state.iterations() * 220);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * LoadedBytes()));
  state.counters["slots"] = LoadedSlots();
}

void BM_LoadOneCubeTexture(benchmark::State& state) {
  for (auto _ : state) LoadBmpIntoSlot(".\\bmp_cube\\BRICKOLD2.bmp", 597);
  state.SetBytesProcessed(state.iterations() * 64 * 64 * 3);
}

}  // namespace

BENCHMARK(BM_LoadStartUpPictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadOneCubeTexture)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  ResizeTextureSlots(3100);
  LoadStartUpPictures();
  fs::path scratch;
  fs::path home = fs::current_path();
  if (LoadedSlots() < 200) {
    std::random_device random;
    scratch = fs::temp_directory_path() / ("vaultrun-bench-" + std::to_string(random()));
    fs::create_directories(scratch);
    fs::current_path(scratch);
    WriteStandInPictures();
    std::printf("no picture files here: loading stand-ins from %s\n", scratch.c_str());
  }
  ResizeTextureSlots(3100);

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  ResizeTextureSlots(0);
  std::free(TextureSlotTable);
  TextureSlotTable = nullptr;
  if (!scratch.empty()) {
    fs::current_path(home);
    fs::remove_all(scratch);
  }
  return 0;
}
