// Fuzz target: the command console. Input: bytes 0..5 the player's x, y and level (16-bit
// little-endian, any value); byte 6 bit 0 the console's visibility, bit 1 a command waiting;
// bytes 7..12 one bit per key of ConsoleKeys, held during the first of two console steps; the
// rest (at most 255 bytes) the line. Checked: the line stays within its buffer and, once drawn,
// within 30 characters; a teleport lands inside the map off rock with the map view following.
#include "game/console.h"

#include <cstring>

#include "frame/frame.h"
#include "fuzz/fuzz_support.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

constexpr int ConsoleKeys[] = {
    VkTab, VkReturn, VkBack, VkSpace, VkShift, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I',
    'J',   'K',      'L',    'M',     'N',     'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W',
    'X',   'Y',      'Z',    '0',     '1',     '2', '3', '4', '5', '6', '7', '8', '9'};
constexpr size_t HeaderBytes = 13;
constexpr uint8_t Rock = 61;

size_t GridBytes() { return static_cast<size_t>(CellsPerLevel) * MapLevels; }
// Rock on one cell in five, so that teleports meet it.
uint8_t Pattern(size_t i) {
  size_t x = i % 256, y = i / 256 % 256, z = i / 65536;
  return (x + y + z) % 5 == 0 ? Rock : 0;
}

// The cells a command may write: at the player, above it, and its x and y neighbours.
void RestoreCellsAround(uint32_t x, uint32_t y, uint32_t z) {
  const int64_t offsets[][3] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
  for (const auto& d : offsets) {
    int64_t index = (x + d[0]) + (y + d[1]) * 256 + (z + d[2]) * 65536;
    if (index >= 0 && static_cast<size_t>(index) < GridBytes())
      WorldGrid[index] = Pattern(static_cast<size_t>(index));
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SetRenderSize(320, 240);
  WorldGrid = static_cast<uint8_t*>(std::malloc(GridBytes()));
  for (size_t i = 0; i < GridBytes(); ++i) WorldGrid[i] = Pattern(i);
  UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCapacity, sizeof(UnitRecord)));
  InitConsole();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < HeaderBytes) return 0;
  UnitRecord& player = UnitTable[1];
  player.x = static_cast<uint16_t>(data[0] | data[1] << 8);
  player.y = static_cast<uint16_t>(data[2] | data[3] << 8);
  player.level = static_cast<uint16_t>(data[4] | data[5] << 8);
  const uint16_t x = player.x, y = player.y, level = player.level;
  ConsoleVisible = data[6] & 1;
  CommandReady = (data[6] >> 1) & 1;
  HeadlessReset();
  for (size_t k = 0; k < sizeof ConsoleKeys / sizeof ConsoleKeys[0]; ++k)
    HeadlessKeys[ConsoleKeys[k]] = (data[7 + k / 8] >> (k % 8)) & 1;
  size_t lineBytes = size - HeaderBytes > 255 ? 255 : size - HeaderBytes;
  std::memset(ConsoleLine, 0, sizeof ConsoleLine);
  std::memcpy(ConsoleLine, data + HeaderBytes, lineBytes);
  ConsoleLineLength = static_cast<int32_t>(lineBytes);
  MapViewColumn = MapViewRow = MapViewLevel = -7;

  CommandConsole();
  HeadlessReset();
  CommandConsole();

  FUZZ_CHECK(ConsoleLineLength >= 0 && ConsoleLineLength <= 255);
  if (ConsoleVisible) FUZZ_CHECK(ConsoleLineLength <= 30);
  bool teleported = MapViewColumn != -7 || MapViewRow != -7 || MapViewLevel != -7;
  bool moved = player.x != x || player.y != y || player.level != level;
  FUZZ_CHECK(teleported || !moved);
  if (teleported) {
    FUZZ_CHECK(player.x >= 1 && player.x <= 254 && player.y >= 1 && player.y <= 254);
    FUZZ_CHECK(player.level >= 2 && player.level <= 178);
    FUZZ_CHECK(WorldGrid[player.x + player.y * 256 + player.level * 65536] != Rock);
    FUZZ_CHECK(MapViewColumn == player.x && MapViewRow == player.y && MapViewLevel == player.level);
  }
  RestoreCellsAround(x, y, level);
  return 0;
}
