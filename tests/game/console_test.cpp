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

TEST_F(Console, CommandsEditTheCellsAtThePlayerAndToggleTheScreenSaverFlag) {
  const std::pair<const char*, int> codes[] = {{"env4block", 1}, {"env4grass", 2}, {"env4dirt", 3}};
  for (const auto& [command, code] : codes) {
    Run(command);
    EXPECT_EQ(Cell(100, 120, 5), code) << command;
  }
  Run("corner1");
  EXPECT_EQ(Cell(100, 120, 5), 4);
  EXPECT_EQ(Cell(100, 120, 6), 4);
  Cell(101, 120, 5) = Cell(100, 121, 5) = 9;
  Run("env4emptyx1");
  EXPECT_EQ(Cell(101, 120, 5), 0);
  Run("env4emptyy1");
  EXPECT_EQ(Cell(100, 121, 5), 0);
  EXPECT_EQ(CellsSet(), 2u);
  EXPECT_EQ(HeadlessClockMs, 0u);

  Run("screensavertoggle");
  EXPECT_EQ(ScreenSaverFlag, 1);
  EXPECT_EQ(HeadlessClockMs, 400u);
  Run("screensavertoggle");
  EXPECT_EQ(ScreenSaverFlag, 0);
  EXPECT_EQ(HeadlessClockMs, 800u);
}

TEST_F(Console, CommandNamesIgnoreCaseAndSplitAtDashesAndCommas) {
  Run("ENV4BLOCK");
  EXPECT_EQ(Cell(100, 120, 5), 1);
  Run("env4grass-extra");
  EXPECT_EQ(Cell(100, 120, 5), 2);
  Run("  ,env4dirt,");
  EXPECT_EQ(Cell(100, 120, 5), 3);
  Run("env4blocks");  // not a command: nothing happens
  Run("");
  EXPECT_EQ(Cell(100, 120, 5), 3);
}

// Letters come lower case, upper case with Shift; every character typed pauses 120 ms and Enter
// 500 ms. The line stays after its command ran, until the player erases it.
TEST_F(Console, TypingShiftedLettersAndEnterRunsTheCommand) {
  HeadlessKeys[VkShift] = true;
  for (char c : std::string("ENV")) EXPECT_EQ(Type({c}), 120u);
  HeadlessKeys[VkShift] = false;
  Type({'4'});
  HeadlessKeys[VkShift] = true;
  for (char c : std::string("BLOCK")) Type({c});
  HeadlessKeys[VkShift] = false;
  EXPECT_STREQ(ConsoleLine, "ENV4BLOCK");
  EXPECT_EQ(Type({VkReturn}), 500u);
  EXPECT_EQ(CommandReady, 1);
  CommandConsole();
  EXPECT_EQ(CommandReady, 0);
  EXPECT_EQ(Cell(100, 120, 5), 1);
  EXPECT_STREQ(ConsoleLine, "ENV4BLOCK");
}

// 30 characters are kept and the rest refused without a pause; Backspace takes one back with
// its own 120 ms pause, and on an empty line does nothing.
TEST_F(Console, TheLineHoldsThirtyCharactersAndBackspaceErases) {
  EXPECT_EQ(Type({VkBack}), 0u);
  EXPECT_EQ(ConsoleLineLength, 0);
  for (int i = 0; i < 40; ++i) Type({'A'});
  EXPECT_EQ(ConsoleLineLength, 30);
  EXPECT_EQ(std::strlen(ConsoleLine), 30u);
  EXPECT_EQ(HeadlessClockMs, 30u * 120u);
  EXPECT_EQ(Type({VkBack}), 120u);
  EXPECT_EQ(ConsoleLineLength, 29);
  EXPECT_EQ(std::strlen(ConsoleLine), 29u);
  EXPECT_EQ(Type({VkBack, 'Q'}), 240u);  // erased, then typed in the same step
  EXPECT_EQ(ConsoleLine[28], 'q');
  // Keys held together add space, then letters A..Z, then digits, whatever the order pressed.
  Type({VkBack});
  Type({VkBack});
  Type({'7', 'B', VkSpace, 'A'});
  EXPECT_STREQ(ConsoleLine + 27, " ab");
}

TEST_F(Console, TabTogglesTheEditorAndTheCursorBlinks) {
  HeadlessKeys[VkTab] = true;
  CommandConsole();
  HeadlessKeys[VkTab] = false;
  EXPECT_EQ(ConsoleVisible, 1);
  EXPECT_EQ(HeadlessClockMs, 400u);
  FrameCounter = 9;
  CommandConsole();
  EXPECT_STREQ(TextBuffer, "CMD:_");
  FrameCounter = 10;
  CommandConsole();
  EXPECT_STREQ(TextBuffer, "CMD:");
}

TEST_F(Console, TeleportClampsIntoTheMapAndFollowsWithTheMapView) {
  Run("env4teleport 0 999 1");
  ExpectPlayerAt(1, 254, 2);
  EXPECT_EQ(MapViewColumn, 1);
  EXPECT_EQ(MapViewRow, 254);
  EXPECT_EQ(MapViewLevel, 2);
  Run("env4teleport 128 128 500");
  EXPECT_EQ(Player().level, 178);  // MapLevels - 2
  Run("env4teleport 7-8-9");       // dashes split too: four tokens
  ExpectPlayerAt(7, 8, 9);
  EXPECT_EQ(MapViewLevel, 9);
}

TEST_F(Console, TeleportRefusesRockAndWrongTokenCounts) {
  Cell(1, 254, 2) = 61;
  for (const char* line : {"env4teleport 0 999 1", "env4teleport 5 5", "env4teleport 5 5 5 5"}) {
    Run(line);
    ExpectPlayerAt(100, 120, 5);
  }
}

// Numbers past the 32-bit range saturate before they are clamped; one that would wrap to a small
// number in 32 bits (2^32 + 1) is still very large. A '-' separates tokens, so nothing is
// negative, and text reads as 0.
TEST_F(Console, TeleportNumbersBeyondThirtyTwoBitsSaturate) {
  Run("env4teleport 4294967297 4294967297 4294967297");
  ExpectPlayerAt(254, 254, 178);
  Run("env4teleport 2147483648 99999999999999999999999999999999 +2147483647");
  ExpectPlayerAt(254, 254, 178);
  Run("env4teleport 0000000000000000000000000000003 -99999999999999 abc");
  ExpectPlayerAt(3, 254, 2);
}

// A line longer than the editor's 30 characters (put there by anything but typing) is cut to 30
// when the editor next runs, so Enter runs the first 30 characters only.
TEST_F(Console, EditorCutsALongerLineToItsThirtyCharacters) {
  auto enter = [](const std::string& line) {
    std::memcpy(ConsoleLine, line.c_str(), line.size() + 1);
    ConsoleLineLength = static_cast<int32_t>(line.size());
    ConsoleVisible = 1;
    HeadlessKeys[VkReturn] = true;
    CommandConsole();  // the editor cuts the line, Enter marks it ready
    HeadlessKeys[VkReturn] = false;
    CommandConsole();  // the command runs
  };
  enter("env4teleport 100 100 100" + std::string(200, ' ') + "junk");
  EXPECT_EQ(ConsoleLineLength, 30);
  EXPECT_EQ(std::strlen(ConsoleLine), 30u);
  ExpectPlayerAt(100, 100, 100);
  // 17 characters, 13 zeros, and the 31st character, 9, cut off: level 0, clamped to 2.
  enter("env4teleport 5 5 " + std::string(13, '0') + "9");
  ExpectPlayerAt(5, 5, 2);
}

// At the grid's last cell the commands index cells past the grid's end: those writes are
// dropped, the player's own cell is written, and nothing else changes.
TEST_F(Console, CommandsAtTheLastCellWriteNothingPastTheGrid) {
  Player().x = Player().y = 255;
  Player().level = 179;
  Run("corner1");
  Run("env4emptyx1");
  Run("env4emptyy1");
  EXPECT_EQ(Cell(255, 255, 179), 4);
  EXPECT_EQ(CellsSet(), 1u);
}

}  // namespace
