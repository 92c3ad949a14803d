#include "game/console.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "overlay/overlay.h"
#include "tests/game/game_pools.h"

namespace {

class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    saved.Save(ConsoleVisible, CommandReady, ScreenSaverFlag, FrameCounter, MapViewColumn,
               MapViewRow, MapViewLevel);
    Player().x = 100;
    Player().y = 120;
    Player().level = 5;
    InitConsole();
    ConsoleVisible = CommandReady = FrameCounter = ScreenSaverFlag = 0;
  }
  static UnitRecord& Player() { return UnitTable[1]; }
  static uint8_t& Cell(int x, int y, int z) { return GridCell(x, y, z); }
  static int CellsSet() {
    int count = 0;
    for (int level = 0; level < 180; ++level) count += 65536 - CountCode(level, 0);
    return count;
  }
  static void ExpectPlayerAt(int x, int y, int level) {
    EXPECT_EQ(Player().x * 1000000 + Player().y * 1000 + Player().level,
              x * 1000000 + y * 1000 + level);
  }
  GamePools pools;
  SavedGlobals saved;

  // Runs a finished line as the console does after Enter.
  static void Run(const std::string& line) {
    std::memset(ConsoleLine, 0, sizeof ConsoleLine);
    std::memcpy(ConsoleLine, line.data(), line.size());
    ConsoleLineLength = static_cast<int32_t>(line.size());
    CommandReady = 1;
    CommandConsole();
  }
  // One editor step with the given keys held; returns the milliseconds it paused.
  static uint64_t Type(std::initializer_list<int> keys) {
    uint64_t before = HeadlessClockMs;
    for (int key : keys) HeadlessKeys[key] = true;
    LineEditor(14, 73, 30, "CMD:");
    for (int key : keys) HeadlessKeys[key] = false;
    return HeadlessClockMs - before;
  }
};

// Names ignore case and end at a blank, dash or comma; anything else names no command.
TEST_F(Console, CommandsEditTheCellsAtThePlayerAndToggleTheScreenSaverFlag) {
  const std::pair<const char*, int> codes[] = {
      {"ENV4BLOCK", 1}, {"env4grass-extra", 2}, {"  ,env4dirt,", 3}, {"env4blocks", 3}, {"", 3}};
  for (const auto& [command, code] : codes) {
    Run(command);
    EXPECT_EQ(Cell(100, 120, 5), code) << command;
  }
  Run("corner1");
  EXPECT_EQ(Cell(100, 120, 5) * 10 + Cell(100, 120, 6), 44);
  Cell(101, 120, 5) = Cell(100, 121, 5) = 9;
  Run("env4emptyx1");
  Run("env4emptyy1");
  EXPECT_EQ(CellsSet(), 2);
  EXPECT_EQ(HeadlessClockMs, 0u);
  Run("screensavertoggle");
  EXPECT_EQ(ScreenSaverFlag, 1);
  EXPECT_EQ(HeadlessClockMs, 400u);
  Run("screensavertoggle");
  EXPECT_EQ(ScreenSaverFlag, 0);
  EXPECT_EQ(HeadlessClockMs, 800u);
}

// Letters come lower case, upper case with Shift; each character typed pauses 120 ms, Enter
// 500 ms, and the line stays after its command ran. 30 characters are kept and the rest refused
// without a pause; Backspace takes one back with its own 120 ms pause. Keys held together add
// space, then letters, then digits, whatever the order pressed.
TEST_F(Console, TypingEditsTheLineWithItsPausesAndEnterRunsIt) {
  HeadlessKeys[VkShift] = true;
  for (char c : std::string("ENV")) EXPECT_EQ(Type({c}), 120u);
  HeadlessKeys[VkShift] = false;
  EXPECT_EQ(Type({'4', 'B', 'L', 'O', 'C', 'K'}), 6 * 120u);
  EXPECT_STREQ(ConsoleLine, "ENVbcklo4");
  EXPECT_EQ(Type({VkBack}), 120u);
  EXPECT_EQ(Type({VkBack}), 120u);
  EXPECT_EQ(Type({VkBack, 'Q'}), 240u);  // erased, then typed in the same step
  EXPECT_EQ(Type({'7', VkShift, 'B', VkSpace, 'A'}), 4 * 120u);
  EXPECT_STREQ(ConsoleLine, "ENVbckq AB7");
  for (int i = 0; i < 25; ++i) Type({'A'});
  EXPECT_EQ(ConsoleLineLength, 30);
  EXPECT_EQ(Type({'A'}), 0u);
  for (int i = 0; i < 30; ++i) Type({VkBack});
  EXPECT_EQ(Type({VkBack}), 0u);  // an empty line: nothing to erase
  for (char c : std::string("ENV4BLOCK")) Type({c});
  EXPECT_EQ(Type({VkReturn}), 500u);
  CommandConsole();
  EXPECT_EQ(CommandReady, 0);
  EXPECT_EQ(Cell(100, 120, 5), 1);
  EXPECT_STREQ(ConsoleLine, "env4block");
  uint64_t before = HeadlessClockMs;
  HeadlessKeys[VkTab] = true;  // Tab shows the editor after 400 ms; its cursor blinks
  CommandConsole();
  HeadlessKeys[VkTab] = false;
  EXPECT_EQ(ConsoleVisible, 1);
  EXPECT_EQ(HeadlessClockMs - before, 400u);
  FrameCounter = 9;
  CommandConsole();
  EXPECT_STREQ(TextBuffer, "CMD:env4block_");
  FrameCounter = 10;
  CommandConsole();
  EXPECT_STREQ(TextBuffer, "CMD:env4block");
}

// The place is clamped into the map (levels 2 to 178), numbers past 32 bits saturated first and
// text read as 0, and the map view follows; rock and other token counts refuse the teleport.
TEST_F(Console, TeleportClampsIntoTheMapAndRefusesRock) {
  Run("env4teleport 0 999 1");
  ExpectPlayerAt(1, 254, 2);
  EXPECT_EQ(MapViewColumn * 1000000 + MapViewRow * 1000 + MapViewLevel, 1254002);
  Run("env4teleport 4294967297 99999999999999999999999999999999 abc");
  ExpectPlayerAt(254, 254, 2);
  Cell(50, 50, 50) = 61;
  for (const char* line : {"env4teleport 50 50 50", "env4teleport 5 5", "env4teleport 5 5 5 5"}) {
    Run(line);
    ExpectPlayerAt(254, 254, 2);
  }
}

}  // namespace
