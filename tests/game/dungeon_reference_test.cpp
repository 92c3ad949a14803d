// The dungeon generator against a second implementation written apart from it (see
// dungeon_reference.h), and that second implementation against the generator's stated rules.
//
// The agreement tests run srand(seed) and the real GenerateDungeon on freshly zeroed pools of the
// real sizes, then srand(seed) and the reference, and demand the same bytes on every level, the
// same room records and room ranges, and the same random state afterwards, so even the number of
// draws must match.
#include "tests/game/dungeon_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "data/data.h"
#include "frame/frame.h"
#include "game/dungeon.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "shell/runtime.h"
#include "tests/game/dungeon_test_pools.h"

namespace {

namespace Ref = DungeonReference;

// Levels the comparisons look at cell by cell; every case stays below it (first level at most 10,
// at most 5 levels, second calls up to level 15). The real grid's deeper levels must stay zero.
constexpr int ComparedLevels = 20;
// FirstRoomOfLevel and EndRoomOfLevel are not cleared by the program; both sides start from this.
constexpr uint32_t RoomRangeFill = 0xA5A5A5A5u;

// What lies on the levels of the call before it runs.
enum class Ground {
  Empty,
  RockEverywhere,      // every level of the call is rock but for the empty area itself
  SecondLevelBlocked,  // one cell of the second level's area is already floor
};

struct Call {
  int32_t cx, cy, firstLevel, levelCount, areaSize, roomCount;
};

struct Case {
  uint32_t seed;
  Call call;
  int32_t style = 38;
  int32_t maxAttempts = 1000000;
  Ground ground = Ground::Empty;
  bool hasSecondCall = false;
  Call second = {};
};

std::string Describe(const Case& c) {
  std::ostringstream text;
  auto call = [&text](const Call& k) {
    text << "GenerateDungeon(" << k.cx << ", " << k.cy << ", " << k.firstLevel << ", "
         << k.levelCount << ", " << k.areaSize << ", " << k.roomCount << ")";
  };
  text << "seed " << c.seed << ", style " << c.style << ", attempts " << c.maxAttempts
       << ", ground " << static_cast<int>(c.ground) << ", ";
  call(c.call);
  if (c.hasSecondCall) text << " then ", call(c.second);
  return text.str();
}

void PrepareGround(uint8_t* grid, Ground ground, const Call& call) {
  int half = call.areaSize / 2;
  auto cell = [grid](int x, int y, int level) -> uint8_t& {
    return grid[x + y * 256 + static_cast<size_t>(level) * 65536];
  };
  if (ground == Ground::RockEverywhere) {
    for (int i = 0; i < call.levelCount; ++i) {
      int level = call.firstLevel + i;
      std::memset(grid + static_cast<size_t>(level) * 65536, '=', 65536);
      for (int y = call.cy - half; y <= call.cy + half; ++y) {
        for (int x = call.cx - half; x <= call.cx + half; ++x) {
          if (x >= 0 && x < 256 && y >= 0 && y < 256) cell(x, y, level) = 0;
        }
      }
    }
  } else if (ground == Ground::SecondLevelBlocked && call.levelCount > 1) {
    // The last cell of the area, so the whole rectangle is scanned before the test fails.
    int x = call.cx + half, y = call.cy + half;
    if (x >= 0 && x < 256 && y >= 0 && y < 256) cell(x, y, call.firstLevel + 1) = '<';
  }
}

// Fresh pools of the real sizes; the room ranges hold RoomRangeFill, as on the reference side.
void FillRoomRanges() {
  for (int i = 0; i <= MapLevels; ++i) FirstRoomOfLevel[i] = EndRoomOfLevel[i] = RoomRangeFill;
}

class DungeonAgreement : public ::testing::Test {
 protected:
  void SetUp() override {
    FillRoomRanges();
    std::memset(RoomScratch, 0x5A, RoomGridSide * RoomGridSide);
  }

  // Back to the state of fresh pools, clearing only what a case can have written (the compare
  // checks that nothing else was).
  void Reset() {
    std::memset(WorldGrid, 0, static_cast<size_t>(CellsPerLevel) * ComparedLevels);
    std::memset(RoomTable, 0, (roomsWritten_ + 1) * sizeof(RoomRecord));
    FillRoomRanges();
  }

  // Runs one case on both generators and reports the first difference; true when they agree.
  bool Agree(const Case& c) {
    Reset();
    Ref::World world(ComparedLevels, RoomRangeFill);
    PrepareGround(WorldGrid, c.ground, c.call);
    PrepareGround(world.grid.data(), c.ground, c.call);
    DungeonStyle = c.style;
    MaxPlacementAttempts = c.maxAttempts;
    ShowGenerationProgress = 0;
    Ref::Settings settings;
    settings.style = c.style;
    settings.maxPlacementAttempts = c.maxAttempts;

    bool agree = RunBoth(c, c.call, c.seed, world, "first call");
    if (agree && c.hasSecondCall) agree = RunBoth(c, c.second, c.seed + 1, world, "second call");
    roomsWritten_ = world.rooms.size();
    return agree;
  }

  bool RunBoth(const Case& c, const Call& k, uint32_t seed, Ref::World& world, const char* which) {
    Srand(seed);
    GenerateDungeon(k.cx, k.cy, k.firstLevel, k.levelCount, k.areaSize, k.roomCount);
    uint32_t realState = RandState;
    Ref::Settings settings;
    settings.style = c.style;
    settings.maxPlacementAttempts = c.maxAttempts;
    Srand(seed);
    Ref::GenerateDungeon(world, settings, k.cx, k.cy, k.firstLevel, k.levelCount, k.areaSize,
                         k.roomCount);
    std::string where = Describe(c) + " (" + which + ")";
    return SameCells(world, where) && SameRooms(world, where) &&
           SameDraws(realState, RandState, where);
  }

  static bool SameCells(Ref::World& world, const std::string& where) {
    for (int level = 0; level < MapLevels; ++level) {
      const uint8_t* real = WorldGrid + static_cast<size_t>(level) * 65536;
      const uint8_t* ref = level < ComparedLevels ? &world.Cell(0, 0, level) : nullptr;
      for (int i = 0; i < 65536; ++i) {
        uint8_t expected = ref ? ref[i] : 0;
        if (real[i] != expected || OverlayGrid[level * 65536 + i] != 0) {
          ADD_FAILURE() << where << ": first differing cell (" << i % 256 << ", " << i / 256
                        << ") on level " << level << ": generator " << int(real[i])
                        << ", reference " << int(expected) << ", overlay "
                        << int(OverlayGrid[level * 65536 + i]);
          return false;
        }
      }
    }
    return true;
  }

  // The records up to the highest index any call wrote, the one after it untouched, and the
  // room ranges of every level.
  static bool SameRooms(const Ref::World& world, const std::string& where) {
    EXPECT_EQ(RoomCounter, world.counter) << where;
    for (size_t i = 0; i <= world.rooms.size(); ++i) {
      const RoomRecord& r = RoomTable[i];
      Ref::Room e = i < world.rooms.size() ? world.rooms[i] : Ref::Room{0, 0, 0, 0, 0, 0, 0};
      if (r.x != e.x || r.y != e.y || r.width != e.width || r.height != e.height ||
          r.level != e.level || r.index != e.index || r.templateNumber != e.templateNumber) {
        ADD_FAILURE() << where << ": room record " << i << " differs";
        return false;
      }
    }
    for (int level = 0; level <= MapLevels; ++level)
      if (FirstRoomOfLevel[level] != world.firstRoom[level] ||
          EndRoomOfLevel[level] != world.endRoom[level]) {
        ADD_FAILURE() << where << ": the room range of level " << level << " differs";
        return false;
      }
    return RoomCounter == world.counter;
  }

  // Even the number of draws must match.
  static bool SameDraws(uint32_t realState, uint32_t referenceState, const std::string& where) {
    EXPECT_EQ(realState, referenceState) << where << ": the random state after the call";
    return realState == referenceState;
  }

  GamePools pools_;
  size_t roomsWritten_ = 0;
};

const uint32_t Seeds[] = {1, 2, 3, 42, 12345, 0xFFFFFFFFu};
const int RoomCounts[] = {0, 1, 5, 25, 60, 400};
const int Styles[] = {38, 3, 5, 6, 7};
const int LevelCounts[] = {1, 3, 5};
const int CentreXY[][2] = {{128, 128}, {20, 20}, {3, 250}, {250, 128}};

// Every centre with every area, from the one that stops at the central room (2) through areas
// that only fit some centres (31, 32, 64, 100) to the one that never fits the map (256), the
// other arguments rotating so that each seed meets several of them; then every style with every
// room count on areas large enough for the rooms to spread.
TEST_F(DungeonAgreement, CentresAreasStylesAndRoomCounts) {
  const int areas[] = {2, 6, 8, 10, 31, 32, 64, 100, 200, 256};
  int i = 0;
  for (uint32_t seed : Seeds)
    for (const auto& centre : CentreXY)
      for (int area : areas) {
        // At most 5000 attempts keeps levels whose stairs cannot all be placed quick.
        Call call = {
            centre[0], centre[1],        (i / 6) % 2 == 0 ? 1 : 10, LevelCounts[(i / 2) % 3],
            area,      RoomCounts[i % 6]};
        if (!Agree({.seed = seed, .call = call, .style = Styles[(i / 3) % 5], .maxAttempts = 5000}))
          return;
        ++i;
      }
  for (int style : Styles)
    for (int rooms : RoomCounts)
      for (int levels : {3, 5}) {
        Call call = {128, 128, i % 2 == 0 ? 1 : 10, levels, rooms >= 60 ? 100 : 64, rooms};
        if (!Agree({.seed = Seeds[i++ % 6], .call = call, .style = style, .maxAttempts = 50000}))
          return;
      }
}

// Full-size levels where every fixture kind plans several pieces and the placement limits are
// reached; the full 1,000,000 attempts where central rooms alone leave too few shared floor
// cells for the 7 stairs that area 200 plans; and few attempts per kind, where the count of
// passes decides where the sequence ends.
TEST_F(DungeonAgreement, CrowdedLevelsAndAttemptLimits) {
  std::vector<Case> cases = {
      {.seed = 42, .call = {128, 128, 1, 5, 200, 400}, .maxAttempts = 100000},
      {.seed = 0xFFFFFFFFu, .call = {128, 128, 1, 5, 200, 400}, .maxAttempts = 100000},
      {.seed = 7, .call = {128, 128, 10, 3, 200, 400}, .style = 6, .maxAttempts = 100000},
      {.seed = 12345, .call = {128, 128, 1, 3, 200, 0}},
  };
  for (int attempts : {-1, 0, 1, 2, 7, 100})
    cases.push_back(
        {.seed = 3u + attempts, .call = {128, 128, 1, 3, 64, 60}, .maxAttempts = attempts});
  for (const Case& c : cases)
    if (!Agree(c)) return;
}

// What lies there before the call and what called before it. Rock around the area lets rooms
// grow up to the map's edge, where the 3 .. MapSide - 3 test on the grown-from cell and the
// off-map test of the margin decide; a negative area fills nothing and builds in that rock. A
// level whose area is not empty ends the call there. Second calls over the same levels stop at
// once, over levels beginning inside the first call's stop at its first level, and over fresh
// levels overwrite the room records from index 0 while the first call's room ranges stay.
// Arguments with nothing to do: no levels, a negative level count, no rooms, no area.
TEST_F(DungeonAgreement, GroundSecondCallsAndEmptyCalls) {
  std::vector<Case> cases;
  int i = 0;
  for (const auto& centre : CentreXY)
    for (int area : {2, 6, 10, 20, -10}) {
      cases.push_back({.seed = Seeds[i % 6],
                       .call = {centre[0], centre[1], 1, 2, area, 400},
                       .style = Styles[i % 5],
                       .maxAttempts = 20000,
                       .ground = Ground::RockEverywhere});
      ++i;
    }
  for (int rooms : {5, 60})
    for (int area : {10, 64, 200})
      cases.push_back({.seed = 42u + rooms + area,
                       .call = {128, 128, 1, 4, area, rooms},
                       .maxAttempts = 20000,
                       .ground = Ground::SecondLevelBlocked});
  const Call seconds[] = {{128, 128, 1, 3, 64, 25},
                          {128, 128, 3, 3, 64, 25},
                          {128, 128, 5, 2, 32, 5},
                          {60, 60, 2, 2, 64, 25}};  // same levels, area elsewhere on them
  for (int k = 0; k < 4; ++k)
    cases.push_back({.seed = Seeds[k],
                     .call = {128, 128, 1, 3, 64, 25},
                     .maxAttempts = 20000,
                     .hasSecondCall = true,
                     .second = seconds[k]});
  const Call empty[] = {{128, 128, 1, 0, 64, 25},
                        {128, 128, 1, -2, 64, 25},
                        {128, 128, 1, 3, 64, -1},
                        {128, 128, 1, 3, 0, 25},
                        {128, 128, 1, 3, 1, 25}};
  for (const Call& call : empty) cases.push_back({.seed = 99, .call = call, .maxAttempts = 20000});
  for (const Case& c : cases)
    if (!Agree(c)) return;
}

// With the progress display on, each kind shows its planned count: the frame is blanked, the
// message drawn and 100 ms slept, so the clock tells how many were shown and the frame and the
// TextBuffer hold the last one. Nothing of this may change the grid or the draws, and without
// the display no time passes.
TEST_F(DungeonAgreement, ProgressDisplay) {
  std::memset(FrameBuffer, 0x77, static_cast<size_t>(RenderWidth) * RenderHeight * 4);
  Reset();
  DungeonStyle = 38;
  MaxPlacementAttempts = 20000;
  ShowGenerationProgress = 1;
  Srand(5);
  uint64_t clockBefore = HeadlessClockMs;
  GenerateDungeon(128, 128, 1, 3, 64, 30);
  uint64_t slept = HeadlessClockMs - clockBefore;
  std::vector<uint8_t> frame(FrameBuffer, FrameBuffer + RenderWidth * RenderHeight * 4);
  std::string text = TextBuffer;
  uint32_t realState = RandState;

  Ref::World world(ComparedLevels, RoomRangeFill);
  Ref::Settings settings;
  settings.maxPlacementAttempts = 20000;
  settings.showProgress = true;
  Srand(5);
  Ref::GenerateDungeon(world, settings, 128, 128, 1, 3, 64, 30);
  ASSERT_TRUE(SameCells(world, "progress display"));
  ASSERT_TRUE(SameRooms(world, "progress display"));
  ASSERT_TRUE(SameDraws(realState, RandState, "progress display"));

  // 3 levels: 5 kinds each, and stairs first on the two later levels.
  ASSERT_EQ(world.progress.size(), 17u);
  const char* const kinds[] = {"Chest", "Candleabrum", "Scrolls", "Coffin", "Fountain"};
  for (size_t i = 0, k = 0; i < world.progress.size(); ++i) {
    if (i == 5 || i == 11) {
      EXPECT_EQ(world.progress[i], "Stairs Generation = 3");  // 64 / 32 + 1
      continue;
    }
    EXPECT_EQ(world.progress[i].rfind(std::string(kinds[k++ % 5]) + " Generation = ", 0), 0u) << i;
  }
  EXPECT_EQ(slept, 100u * world.progress.size());
  EXPECT_EQ(text, world.progress.back());
  std::memset(FrameBuffer, 0, frame.size());
  FormatText(TextBuffer, "%s", world.progress.back().c_str());
  DrawSmallText(100, 100, 200, 200, 200);
  EXPECT_TRUE(std::memcmp(frame.data(), FrameBuffer, frame.size()) == 0)
      << "the frame after generation is not the blanked frame with the last message";
  // Without the display nothing is shown and no time passes.
  ShowGenerationProgress = 0;
  clockBefore = HeadlessClockMs;
  GenerateDungeon(128, 128, 5, 2, 20, 0);
  EXPECT_EQ(HeadlessClockMs, clockBefore);
}

// The building blocks on their own: every template in every orientation, the stored template
// strings, and the area tests, so a difference is pinned to its step.
TEST_F(DungeonAgreement, RoomsBuiltFromEveryTemplateAndOrientation) {
  for (int t = 0; t < Ref::TemplateCount; ++t) {
    for (int orientation = 0; orientation < 4; ++orientation) {
      Ref::Scratch expected = Ref::BuildRoom(t, orientation);
      RoomSize(t, orientation);
      EXPECT_EQ(RoomWidth, expected.width) << "RoomSize(" << t << ", " << orientation << ")";
      EXPECT_EQ(RoomHeight, expected.height) << "RoomSize(" << t << ", " << orientation << ")";
      std::memset(RoomScratch, 0x5A, RoomGridSide * RoomGridSide);
      BuildRoom(t, orientation);
      ASSERT_EQ(RoomWidth, expected.width) << "BuildRoom(" << t << ", " << orientation << ")";
      ASSERT_EQ(RoomHeight, expected.height) << "BuildRoom(" << t << ", " << orientation << ")";
      for (int i = 0; i < RoomGridSide * RoomGridSide; ++i) {
        ASSERT_EQ(RoomScratch[i], expected.cells[i])
            << "BuildRoom(" << t << ", " << orientation << "): scratch row " << i / 30
            << ", column " << i % 30;
      }
    }
  }
}

}  // namespace
