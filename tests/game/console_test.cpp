#include "game/console.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "frame/frame.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    SetRenderSize(320, 240);
    WorldGrid =
        static_cast<uint8_t*>(std::calloc(static_cast<size_t>(CellsPerLevel) * MapLevels, 1));
    UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCapacity, sizeof(UnitRecord)));
    InitConsole();
    ConsoleVisible = 0;
    CommandReady = 0;
    FrameCounter = 0;
    MapViewColumn = MapViewRow = MapViewLevel = 0;
    Player().x = 100;
    Player().y = 120;
    Player().level = 5;
  }
  void TearDown() override {
    std::free(WorldGrid);
    std::free(UnitTable);
    WorldGrid = nullptr;
    UnitTable = nullptr;
  }
  static UnitRecord& Player() { return UnitTable[1]; }
  static uint8_t& Cell(int x, int y, int z) { return WorldGrid[x + y * 256 + z * 65536]; }

  // Runs a typed line as the console does after Enter.
  static void Run(const char* line) {
    std::strcpy(ConsoleLine, line);
    ConsoleLineLength = static_cast<int32_t>(std::strlen(line));
    CommandReady = 1;
    CommandConsole();
  }
  // One editor step with the given keys held.
  static void Type(std::initializer_list<int> keys) {
    for (int key : keys) HeadlessKeys[key] = true;
    LineEditor(14, 73, 30, "CMD:");
    for (int key : keys) HeadlessKeys[key] = false;
  }
};

TEST_F(Console, CommandsEditTheCellsAtThePlayer) {
  Run("env4block");
  EXPECT_EQ(Cell(100, 120, 5), 1);
  Run("env4grass");
  EXPECT_EQ(Cell(100, 120, 5), 2);
  Run("env4dirt");
  EXPECT_EQ(Cell(100, 120, 5), 3);
  Run("corner1");
  EXPECT_EQ(Cell(100, 120, 5), 4);
  EXPECT_EQ(Cell(100, 120, 6), 4);
  Cell(101, 120, 5) = 9;
  Cell(100, 121, 5) = 9;
  Run("env4emptyx1");
  EXPECT_EQ(Cell(101, 120, 5), 0);
  Run("env4emptyy1");
  EXPECT_EQ(Cell(100, 121, 5), 0);
}

TEST_F(Console, CommandNamesIgnoreCaseAndSplitAtDashesAndCommas) {
  Run("ENV4BLOCK");
  EXPECT_EQ(Cell(100, 120, 5), 1);
  Run("env4grass-extra");
  EXPECT_EQ(Cell(100, 120, 5), 2);
  Run("  ,env4dirt,");
  EXPECT_EQ(Cell(100, 120, 5), 3);
  Run("env4blocks");  // not a command: nothing happens
  EXPECT_EQ(Cell(100, 120, 5), 3);
  Run("");
  EXPECT_EQ(Cell(100, 120, 5), 3);
}

TEST_F(Console, TypingShiftedLettersRunsTheSameCommand) {
  HeadlessKeys[VkShift] = true;
  for (char c : std::string("ENV")) Type({c});
  HeadlessKeys[VkShift] = false;
  Type({'4'});
  HeadlessKeys[VkShift] = true;
  for (char c : std::string("BLOCK")) Type({c});
  HeadlessKeys[VkShift] = false;
  EXPECT_STREQ(ConsoleLine, "ENV4BLOCK");
  Type({VkReturn});
  EXPECT_EQ(CommandReady, 1);
  CommandConsole();
  EXPECT_EQ(CommandReady, 0);
  EXPECT_EQ(Cell(100, 120, 5), 1);
  EXPECT_STREQ(ConsoleLine, "ENV4BLOCK");  // the line stays until the player erases it
}

TEST_F(Console, TeleportClampsIntoTheMapAndFollowsWithTheMapView) {
  Run("env4teleport 0 999 1");
  EXPECT_EQ(Player().x, 1);
  EXPECT_EQ(Player().y, 254);
  EXPECT_EQ(Player().level, 2);
  EXPECT_EQ(MapViewColumn, 1);
  EXPECT_EQ(MapViewRow, 254);
  EXPECT_EQ(MapViewLevel, 2);

  Run("env4teleport 128 128 500");
  EXPECT_EQ(Player().level, 178);  // MapLevels - 2
}

TEST_F(Console, TeleportRefusesRockAndWrongTokenCounts) {
  Cell(1, 254, 2) = 61;
  Run("env4teleport 0 999 1");
  EXPECT_EQ(Player().x, 100);
  Run("env4teleport 5 5");
  EXPECT_EQ(Player().x, 100);
  Run("env4teleport 5 5 5 5");
  EXPECT_EQ(Player().x, 100);
  Run("env4teleport 7-8-9");  // dashes split too: four tokens
  EXPECT_EQ(Player().x, 7);
  EXPECT_EQ(Player().y, 8);
  EXPECT_EQ(Player().level, 9);
}

TEST_F(Console, TeleportNumbersBeyondThirtyTwoBitsSaturate) {
  // A minus sign cannot reach a number: '-' separates tokens, so "-999..." reads as "999...".
  Run("env4teleport 99999999999999 -99999999999999 abc");
  EXPECT_EQ(Player().x, 254);
  EXPECT_EQ(Player().y, 254);
  EXPECT_EQ(Player().level, 2);  // "abc" reads as 0, clamped to 2
}

TEST_F(Console, TheLineHoldsAtMostThirtyCharacters) {
  for (int i = 0; i < 40; ++i) Type({'A'});
  EXPECT_EQ(ConsoleLineLength, 30);
  EXPECT_EQ(std::strlen(ConsoleLine), 30u);
  // Every accepted character pauses 120 ms, the refused ones do not.
  EXPECT_EQ(HeadlessClockMs, 30u * 120u);
}

TEST_F(Console, BackspaceOnAnEmptyLineDoesNothing) {
  Type({VkBack});
  EXPECT_EQ(ConsoleLineLength, 0);
  EXPECT_EQ(HeadlessClockMs, 0u);
  Type({'Q'});
  Type({'W'});
  Type({VkBack});
  EXPECT_STREQ(ConsoleLine, "q");
}

TEST_F(Console, KeysHeldTogetherAddInTheFixedOrder) {
  // Space, then letters A..Z, then digits, whatever order they were pressed in.
  Type({'7', 'B', VkSpace, 'A'});
  EXPECT_STREQ(ConsoleLine, " ab7");
}

TEST_F(Console, TwentyTokensAreKeptAndTheRestDropped) {
  std::string line = "env4block";
  for (int i = 1; i < 25; ++i) {
    line += ' ';
    line += std::to_string(i);
  }
  Run(line.c_str());
  EXPECT_STREQ(ConsoleTokens[0], "env4block");
  EXPECT_STREQ(ConsoleTokens[19], "19");
  EXPECT_EQ(Cell(100, 120, 5), 1);
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

}  // namespace
