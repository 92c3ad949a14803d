// Command lines of every length the line buffer holds, more tokens than are kept, and numbers
// past the 32-bit range, run as the console runs them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "frame/frame.h"
#include "game/console.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

class ConsoleLines : public ::testing::Test {
 protected:
  static constexpr size_t GridBytes = 65536u * 180u;
  void SetUp() override {
    HeadlessReset();
    SetRenderSize(320, 240);
    savedGrid = WorldGrid;
    savedUnits = UnitTable;
    WorldGrid = static_cast<uint8_t*>(std::calloc(GridBytes, 1));
    UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCapacity, sizeof(UnitRecord)));
    InitConsole();
    ConsoleVisible = 0;
    CommandReady = 0;
    MapViewColumn = MapViewRow = MapViewLevel = 0;
    Player().x = 40;
    Player().y = 50;
    Player().level = 6;
  }
  void TearDown() override {
    std::free(WorldGrid);
    std::free(UnitTable);
    WorldGrid = savedGrid;
    UnitTable = savedUnits;
    ConsoleVisible = 0;
    CommandReady = 0;
  }
  static UnitRecord& Player() { return UnitTable[1]; }
  static uint8_t& Cell(int x, int y, int z) { return WorldGrid[x + y * 256 + z * 65536]; }
  static size_t CellsSet() {
    size_t count = 0;
    for (size_t i = 0; i < GridBytes; ++i) count += WorldGrid[i] != 0;
    return count;
  }
  // A finished line, run by the next console step as after Enter.
  static void Run(const std::string& line) {
    ASSERT_LE(line.size(), 255u);
    std::memset(ConsoleLine, 0, sizeof ConsoleLine);
    std::memcpy(ConsoleLine, line.data(), line.size());
    ConsoleLineLength = static_cast<int32_t>(line.size());
    CommandReady = 1;
    CommandConsole();
  }
  uint8_t* savedGrid = nullptr;
  UnitRecord* savedUnits = nullptr;
};

// Every length from 0 to 255. A word that names no command does nothing whatever its length,
// and the whole word is kept as the first token (a token buffer holds 255 characters); a command
// name followed by blanks up to any length still runs; a line of separators has no token.
TEST_F(ConsoleLines, EveryLengthUpTo255RunsOrIgnoresAsItsFirstWordSays) {
  for (size_t length = 0; length <= 255; ++length) {
    std::string word(length, 'q');
    Run(word);
    ASSERT_STREQ(ConsoleTokens[0], word.c_str()) << length;
    ASSERT_STREQ(ConsoleTokens[1], "") << length;

    Run(std::string(length, '-'));
    ASSERT_STREQ(ConsoleTokens[0], "") << length;

    if (length >= 9) {
      std::string padded = "env4grass" + std::string(length - 9, ' ');
      Cell(40, 50, 6) = 0;
      Run(padded);
      ASSERT_EQ(Cell(40, 50, 6), 2) << length;
    }
  }
  EXPECT_EQ(CellsSet(), 1u);  // only the player's cell, by env4grass
  EXPECT_EQ(Player().x, 40);
  EXPECT_EQ(Player().level, 6);
}

// The editor holds 30 characters. A longer line found in it (put there by anything but typing)
// is cut to 30 when the editor next runs, so Enter runs the first 30 characters only.
TEST_F(ConsoleLines, EditorCutsALongerLineToItsThirtyCharacters) {
  auto enter = [](const std::string& line) {
    std::memcpy(ConsoleLine, line.c_str(), line.size() + 1);
    ConsoleLineLength = static_cast<int32_t>(line.size());
    ConsoleVisible = 1;
    HeadlessKeys[VkReturn] = true;
    CommandConsole();  // the editor cuts the line, Enter marks it ready
    HeadlessKeys[VkReturn] = false;
    CommandConsole();  // the command runs
  };
  // 24 characters of command, then blanks past the 30th and a fifth word: cut, the line has
  // exactly the four tokens the teleport needs.
  enter("env4teleport 100 100 100" + std::string(200, ' ') + "junk");
  EXPECT_EQ(ConsoleLineLength, 30);
  EXPECT_EQ(std::strlen(ConsoleLine), 30u);
  EXPECT_STREQ(ConsoleTokens[4], "");
  EXPECT_EQ(Player().x, 100);
  EXPECT_EQ(Player().y, 100);
  EXPECT_EQ(Player().level, 100);

  // "env4teleport 5 5 " is 17 characters; 13 zeros make 30 and the 31st character, 9, is cut
  // off: the level is 0, clamped to 2, not 9.
  enter("env4teleport 5 5 " + std::string(13, '0') + "9");
  EXPECT_EQ(Player().x, 5);
  EXPECT_EQ(Player().level, 2);
}

// 21 words: the first 20 are kept, the 21st dropped, so a teleport whose numbers come after 17
// other words sees 20 tokens and does nothing, while the 20 kept words are each in their buffer.
TEST_F(ConsoleLines, TwentyOneWordsKeepTwentyAndDropTheLast) {
  std::string line = "env4teleport";
  for (int word = 2; word <= 21; ++word) {
    line += ' ';
    line += std::to_string(word * 3);
  }
  Run(line);
  EXPECT_STREQ(ConsoleTokens[0], "env4teleport");
  EXPECT_STREQ(ConsoleTokens[18], "57");  // word 19
  EXPECT_STREQ(ConsoleTokens[19], "60");  // word 20
  EXPECT_EQ(Player().x, 40);              // 20 tokens, not 4: no teleport
  for (int token = 0; token < ConsoleTokenCount; ++token)
    EXPECT_STRNE(ConsoleTokens[token], "63") << token;  // word 21 is nowhere
}

// Numbers past the 32-bit range saturate before they are clamped into the map; one that would
// wrap to a small number in 32 bits (4294967297 = 2^32 + 1) is still "very large". Numbers with
// more digits than any integer type holds saturate the same way.
TEST_F(ConsoleLines, NumbersBeyondThirtyTwoBitsClampAsVeryLarge) {
  Run("env4teleport 4294967297 4294967297 4294967297");
  EXPECT_EQ(Player().x, 254);
  EXPECT_EQ(Player().y, 254);
  EXPECT_EQ(Player().level, 178);
  Run("env4teleport 2147483648 99999999999999999999999999999999 +2147483647");
  EXPECT_EQ(Player().x, 254);
  EXPECT_EQ(Player().y, 254);
  EXPECT_EQ(Player().level, 178);
  Run("env4teleport 0000000000000000000000000000003 7x 00");
  EXPECT_EQ(Player().x, 3);
  EXPECT_EQ(Player().y, 7);
  EXPECT_EQ(Player().level, 2);
  EXPECT_EQ(MapViewColumn, 3);
  EXPECT_EQ(MapViewRow, 7);
  EXPECT_EQ(MapViewLevel, 2);
}

// At the grid's last cell the commands index cells past the grid's end (the level above the
// deepest one, the next row of the last level): those writes are dropped, the player's own cell
// is written, and nothing else changes.
TEST_F(ConsoleLines, CommandsAtTheLastCellWriteNothingPastTheGrid) {
  Player().x = 255;
  Player().y = 255;
  Player().level = 179;
  Run("corner1");
  Run("env4emptyx1");
  Run("env4emptyy1");
  EXPECT_EQ(Cell(255, 255, 179), 4);
  EXPECT_EQ(CellsSet(), 1u);
}

}  // namespace
