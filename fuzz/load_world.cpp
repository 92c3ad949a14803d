// Fuzz target: LoadWorld. Input: byte 0 the level count (beyond the grid's 180 levels too),
// bytes 1..4 the map number (little-endian, signed), the rest the map file. Checked: the grid's
// first bytes are the file's, as many as the file holds and the count asks for (held to the
// grid), and the level after them keeps the pattern the grid was filled with.
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "game/game_data.h"
#include "game/map_files.h"

namespace {

const fuzz::ScratchFolder Scratch("fuzz-map");

size_t GridBytes() { return static_cast<size_t>(CellsPerLevel) * MapLevels; }
uint8_t Pattern(size_t i) { return static_cast<uint8_t>(i * 7 + i / 65536 + 3); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (mkdir((Scratch / "map").c_str(), 0755) != 0) std::abort();
  WorldGrid = static_cast<uint8_t*>(std::malloc(GridBytes()));
  for (size_t i = 0; i < GridBytes(); ++i) WorldGrid[i] = Pattern(i);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  uint32_t levels = data[0];
  int32_t number = static_cast<int32_t>(data[1] | data[2] << 8 | data[3] << 16 |
                                        static_cast<uint32_t>(data[4]) << 24);
  const uint8_t* content = data + 5;
  size_t contentSize = size - 5;
  std::string path = Scratch / ("map/" + std::to_string(number) + ".overworld");
  fuzz::WriteInput(path.c_str(), content, contentSize);

  Scratch.Enter();
  LoadWorld(number, levels);
  Scratch.Leave();

  size_t asked =
      static_cast<size_t>(levels < static_cast<uint32_t>(MapLevels) ? levels : MapLevels) *
      CellsPerLevel;
  size_t filled = contentSize < asked ? contentSize : asked;
  FUZZ_CHECK(std::memcmp(WorldGrid, content, filled) == 0);
  size_t end = filled + CellsPerLevel < GridBytes() ? filled + CellsPerLevel : GridBytes();
  for (size_t i = filled; i < end; ++i) FUZZ_CHECK(WorldGrid[i] == Pattern(i));

  for (size_t i = 0; i < filled; ++i) WorldGrid[i] = Pattern(i);
  std::remove(path.c_str());
  return 0;
}
