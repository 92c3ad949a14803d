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
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "data/data.h"
#include "frame/frame.h"
#include "game/dungeon.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "shell/runtime.h"

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
       << ", ground "
       << (c.ground == Ground::Empty            ? "empty"
           : c.ground == Ground::RockEverywhere ? "rock everywhere"
                                                : "second level blocked")
       << ", ";
  call(c.call);
  if (c.hasSecondCall) {
    text << " then ";
    call(c.second);
  }
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

bool LevelIsZero(const uint8_t* level) {
  static const uint8_t zeros[65536] = {};
  return std::memcmp(level, zeros, sizeof zeros) == 0;
}

// The real generator's pools, owned by the test: every pool of the generator at its real size.
class RealPools {
 public:
  RealPools() {
    savedGrid_ = WorldGrid;
    savedOverlay_ = OverlayGrid;
    savedFirst_ = FirstRoomOfLevel;
    savedEnd_ = EndRoomOfLevel;
    savedScratch_ = RoomScratch;
    savedRooms_ = RoomTable;
    savedStyle_ = DungeonStyle;
    savedAttempts_ = MaxPlacementAttempts;
    savedProgress_ = ShowGenerationProgress;
    size_t cells = static_cast<size_t>(CellsPerLevel) * MapLevels;
    WorldGrid = static_cast<uint8_t*>(std::calloc(cells, 1));
    OverlayGrid = static_cast<uint8_t*>(std::calloc(cells, 1));
    FirstRoomOfLevel = static_cast<uint32_t*>(std::malloc((MapLevels + 1) * sizeof(uint32_t)));
    EndRoomOfLevel = static_cast<uint32_t*>(std::malloc((MapLevels + 1) * sizeof(uint32_t)));
    RoomScratch = static_cast<uint8_t*>(std::malloc(RoomGridSide * RoomGridSide));
    RoomTable = static_cast<RoomRecord*>(std::calloc(RoomCapacity, sizeof(RoomRecord)));
    FillRoomRanges();
    std::memset(RoomScratch, 0x5A, RoomGridSide * RoomGridSide);
  }
  ~RealPools() {
    std::free(WorldGrid);
    std::free(OverlayGrid);
    std::free(FirstRoomOfLevel);
    std::free(EndRoomOfLevel);
    std::free(RoomScratch);
    std::free(RoomTable);
    WorldGrid = savedGrid_;
    OverlayGrid = savedOverlay_;
    FirstRoomOfLevel = savedFirst_;
    EndRoomOfLevel = savedEnd_;
    RoomScratch = savedScratch_;
    RoomTable = savedRooms_;
    DungeonStyle = savedStyle_;
    MaxPlacementAttempts = savedAttempts_;
    ShowGenerationProgress = savedProgress_;
  }
  RealPools(const RealPools&) = delete;
  RealPools& operator=(const RealPools&) = delete;

  static void FillRoomRanges() {
    for (int i = 0; i <= MapLevels; ++i) FirstRoomOfLevel[i] = EndRoomOfLevel[i] = RoomRangeFill;
  }
  // Back to the state of fresh pools, clearing only what a case can have written (the compare
  // checks that nothing else was).
  void Reset(size_t roomsWritten) {
    std::memset(WorldGrid, 0, static_cast<size_t>(CellsPerLevel) * ComparedLevels);
    std::memset(RoomTable, 0, (roomsWritten + 1) * sizeof(RoomRecord));
    FillRoomRanges();
  }

 private:
  uint8_t* savedGrid_;
  uint8_t* savedOverlay_;
  uint32_t* savedFirst_;
  uint32_t* savedEnd_;
  uint8_t* savedScratch_;
  RoomRecord* savedRooms_;
  int32_t savedStyle_, savedAttempts_, savedProgress_;
};

// The generator in the tree may still be the empty placeholder: then these tests have nothing to
// compare against. A call of area 10 must write rock at least.
bool RealGeneratorWritesCells() {
  static const bool writes = [] {
    RealPools pools;
    DungeonStyle = 38;
    Srand(1);
    GenerateDungeon(128, 128, 1, 1, 10, 0);
    return !LevelIsZero(WorldGrid + 65536);
  }();
  return writes;
}

class DungeonAgreement : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RealGeneratorWritesCells()) {
      GTEST_SKIP() << "GenerateDungeon writes nothing yet: nothing to compare against";
    }
    pools_ = std::make_unique<RealPools>();
  }
  void TearDown() override { pools_.reset(); }

  // Runs one case on both generators and reports the first difference; true when they agree.
  bool Agree(const Case& c) {
    pools_->Reset(roomsWritten_);
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
    for (int level = 0; level < ComparedLevels; ++level) {
      const uint8_t* real = WorldGrid + static_cast<size_t>(level) * 65536;
      const uint8_t* ref = world.grid.data() + static_cast<size_t>(level) * 65536;
      if (std::memcmp(real, ref, 65536) == 0) continue;
      int differing = 0;
      int first = -1;
      for (int i = 0; i < 65536; ++i) {
        if (real[i] == ref[i]) continue;
        if (first < 0) first = i;
        ++differing;
      }
      ADD_FAILURE() << where << ": first differing cell (" << first % 256 << ", " << first / 256
                    << ") on level " << level << ": generator " << int(real[first])
                    << ", reference " << int(ref[first]) << "; " << differing
                    << " cells differ on that level";
      return false;
    }
    for (int level = ComparedLevels; level < MapLevels; ++level) {
      if (!LevelIsZero(WorldGrid + static_cast<size_t>(level) * 65536)) {
        ADD_FAILURE() << where << ": level " << level << ", outside the call, was written";
        return false;
      }
    }
    for (int level = 0; level < MapLevels; ++level) {
      if (!LevelIsZero(OverlayGrid + static_cast<size_t>(level) * 65536)) {
        ADD_FAILURE() << where << ": the OverlayGrid was written on level " << level;
        return false;
      }
    }
    return true;
  }

  static bool SameRooms(const Ref::World& world, const std::string& where) {
    if (RoomCounter != world.counter) {
      ADD_FAILURE() << where << ": RoomCounter " << RoomCounter << ", reference " << world.counter;
      return false;
    }
    // Records up to the highest index any call wrote, and the one after it untouched.
    for (size_t i = 0; i <= world.rooms.size(); ++i) {
      const RoomRecord& r = RoomTable[i];
      Ref::Room e = i < world.rooms.size() ? world.rooms[i] : Ref::Room{0, 0, 0, 0, 0, 0, 0};
      if (r.x != e.x || r.y != e.y || r.width != e.width || r.height != e.height ||
          r.level != e.level || r.index != e.index || r.templateNumber != e.templateNumber) {
        ADD_FAILURE() << where << ": room record " << i << " is (x " << r.x << ", y " << r.y << ", "
                      << r.width << " x " << r.height << ", level " << r.level << ", index "
                      << r.index << ", template " << int(r.templateNumber) << "), reference (x "
                      << e.x << ", y " << e.y << ", " << e.width << " x " << e.height << ", level "
                      << e.level << ", index " << e.index << ", template " << int(e.templateNumber)
                      << ")";
        return false;
      }
    }
    for (int level = 0; level <= MapLevels; ++level) {
      if (FirstRoomOfLevel[level] != world.firstRoom[level] ||
          EndRoomOfLevel[level] != world.endRoom[level]) {
        ADD_FAILURE() << where << ": level " << level << " rooms " << FirstRoomOfLevel[level]
                      << " to " << EndRoomOfLevel[level] << ", reference " << world.firstRoom[level]
                      << " to " << world.endRoom[level];
        return false;
      }
    }
    return true;
  }

  static bool SameDraws(uint32_t realState, uint32_t referenceState, const std::string& where) {
    if (realState == referenceState) return true;
    // Count how far apart the two states are along the sequence, when it is near.
    uint32_t state = realState;
    std::string distance = "more than 100000 draws apart, or the reference drew more";
    for (int i = 1; i <= 100000; ++i) {
      state = state * 214013u + 2531011u;
      if (state == referenceState) {
        distance = "the reference drew " + std::to_string(i) + " more";
        break;
      }
    }
    state = referenceState;
    for (int i = 1; i <= 100000; ++i) {
      state = state * 214013u + 2531011u;
      if (state == realState) {
        distance = "the generator drew " + std::to_string(i) + " more";
        break;
      }
    }
    ADD_FAILURE() << where << ": random state after the call differs: " << distance;
    return false;
  }

  std::unique_ptr<RealPools> pools_;
  size_t roomsWritten_ = 0;
};

const uint32_t Seeds[] = {1, 2, 3, 42, 12345, 0xFFFFFFFFu};
const int RoomCounts[] = {0, 1, 5, 25, 60, 400};
const int Styles[] = {38, 3, 5, 6, 7};
const int LevelCounts[] = {1, 3, 5};

struct Centre {
  int x, y;
};
const Centre Centres[] = {{128, 128}, {20, 20}, {3, 250}, {250, 128}};

// Every centre with every area, from the one that stops at the central room (2) through areas
// that only fit some centres (31, 32, 64, 100) to the one that never fits the map (256). The
// other arguments rotate so that each seed meets several of them.
TEST_F(DungeonAgreement, CentresAndAreas) {
  const int areas[] = {2, 6, 8, 10, 31, 32, 64, 100, 200, 256};
  int i = 0;
  for (uint32_t seed : Seeds) {
    for (const Centre& centre : Centres) {
      for (int area : areas) {
        Case c;
        c.seed = seed;
        c.call = {centre.x, centre.y,         (i / 6) % 2 == 0 ? 1 : 10, LevelCounts[(i / 2) % 3],
                  area,     RoomCounts[i % 6]};
        c.style = Styles[(i / 3) % 5];
        c.maxAttempts = 5000;  // keeps levels whose stairs cannot all be placed quick
        ++i;
        if (!Agree(c)) return;
      }
    }
  }
}

// Every style with every room count, on areas large enough for the rooms to spread.
TEST_F(DungeonAgreement, StylesAndRoomCounts) {
  int i = 0;
  for (int style : Styles) {
    for (int rooms : RoomCounts) {
      for (int levels : {3, 5}) {
        Case c;
        c.seed = Seeds[i % 6];
        c.call = {128, 128, i % 2 == 0 ? 1 : 10, levels, rooms >= 60 ? 100 : 64, rooms};
        c.style = style;
        c.maxAttempts = 50000;
        ++i;
        if (!Agree(c)) return;
      }
    }
  }
}

// Full-size levels: area 200 with 400 rooms fills most of the map, every fixture kind plans
// several pieces, and the placement limits are reached.
TEST_F(DungeonAgreement, CrowdedLevels) {
  for (uint32_t seed : {42u, 0xFFFFFFFFu}) {
    Case c;
    c.seed = seed;
    c.call = {128, 128, 1, 5, 200, 400};
    c.maxAttempts = 100000;
    if (!Agree(c)) return;
  }
  Case c;
  c.seed = 7;
  c.call = {128, 128, 10, 3, 200, 400};
  c.style = 6;
  c.maxAttempts = 100000;
  Agree(c);
}

// The full 1,000,000 attempts: central rooms alone leave too few shared floor cells for the 7
// stairs that area 200 plans, so some stairs are tried until the attempts run out.
TEST_F(DungeonAgreement, StairsThatCannotAllBePlaced) {
  Case c;
  c.seed = 12345;
  c.call = {128, 128, 1, 3, 200, 0};
  Agree(c);
}

// Few attempts per fixture kind: the count of passes decides where the sequence ends.
TEST_F(DungeonAgreement, SmallAttemptLimits) {
  for (int attempts : {-1, 0, 1, 2, 7, 100}) {
    Case c;
    c.seed = 3 + attempts;
    c.call = {128, 128, 1, 3, 64, 60};
    c.maxAttempts = attempts;
    if (!Agree(c)) return;
  }
}

// Levels that already hold rock around the area let rooms grow past it up to the map's edge,
// where the 3 .. MapSide - 3 test on the grown-from cell and the off-map test of the margin
// decide. A negative area fills nothing and builds in the rock that is there.
TEST_F(DungeonAgreement, RockBeyondTheAreaReachesTheMapEdge) {
  const int areas[] = {2, 6, 10, 20, -10};
  int i = 0;
  for (const Centre& centre : Centres) {
    for (int area : areas) {
      Case c;
      c.seed = Seeds[i % 6];
      c.call = {centre.x, centre.y, 1, 2, area, 400};
      c.style = Styles[i % 5];
      c.maxAttempts = 20000;
      c.ground = Ground::RockEverywhere;
      ++i;
      if (!Agree(c)) return;
    }
  }
}

// A level whose area is not empty ends the call there: the levels before keep their rooms and
// get no fixtures, and the later levels are not touched.
TEST_F(DungeonAgreement, StopsAtALevelThatIsNotEmpty) {
  for (int rooms : {5, 60}) {
    for (int area : {10, 64, 200}) {
      Case c;
      c.seed = 42 + rooms + area;
      c.call = {128, 128, 1, 4, area, rooms};
      c.ground = Ground::SecondLevelBlocked;
      c.maxAttempts = 20000;
      if (!Agree(c)) return;
    }
  }
}

// Second calls: over the same levels (stops at once), over levels that begin inside the first
// call's (stops at its first level), and over fresh levels (overwrites the room records from
// index 0, while the first call's room ranges stay as they were).
TEST_F(DungeonAgreement, SecondCalls) {
  const Call seconds[] = {{128, 128, 1, 3, 64, 25},
                          {128, 128, 3, 3, 64, 25},
                          {128, 128, 5, 2, 32, 5},
                          {60, 60, 2, 2, 64, 25}};  // same levels, area elsewhere on them
  int i = 0;
  for (const Call& second : seconds) {
    Case c;
    c.seed = Seeds[i++];
    c.call = {128, 128, 1, 3, 64, 25};
    c.maxAttempts = 20000;
    c.hasSecondCall = true;
    c.second = second;
    if (!Agree(c)) return;
  }
}

// Argument values with nothing to do: no levels, a negative level count, no rooms at all.
TEST_F(DungeonAgreement, EmptyCalls) {
  const Call calls[] = {{128, 128, 1, 0, 64, 25},
                        {128, 128, 1, -2, 64, 25},
                        {128, 128, 1, 3, 64, -1},
                        {128, 128, 1, 3, 0, 25},
                        {128, 128, 1, 3, 1, 25}};
  for (const Call& call : calls) {
    Case c;
    c.seed = 99;
    c.call = call;
    c.maxAttempts = 20000;
    if (!Agree(c)) return;
  }
}

// With the progress display on, each kind shows its planned count: the frame is blanked, the
// message drawn and 100 ms slept, so the clock tells how many were shown and the frame and the
// TextBuffer hold the last one. Nothing of this may change the grid or the draws.
TEST_F(DungeonAgreement, ProgressDisplay) {
  HeadlessReset();
  SetRenderSize(320, 240);
  std::memset(FrameBuffer, 0x77, static_cast<size_t>(RenderWidth) * RenderHeight * 4);
  pools_->Reset(0);
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

  // 3 levels: 5 kinds each, and stairs on the two later levels.
  ASSERT_EQ(world.progress.size(), 17u);
  EXPECT_EQ(slept, 100u * world.progress.size());
  EXPECT_EQ(text, world.progress.back());
  std::memset(FrameBuffer, 0, frame.size());
  FormatText(TextBuffer, "%s", world.progress.back().c_str());
  DrawSmallText(100, 100, 200, 200, 200);
  EXPECT_TRUE(std::memcmp(frame.data(), FrameBuffer, frame.size()) == 0)
      << "the frame after generation is not the blanked frame with the last message";
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

TEST_F(DungeonAgreement, StoredTemplateStrings) {
  for (int t = 0; t < Ref::TemplateCount; ++t) {
    ASSERT_NE(RoomTemplates[t], nullptr) << "template " << t;
    std::string stored = RoomTemplates[t];
    std::string expected = Ref::TemplateText(t);
    ASSERT_EQ(stored.size(), 990u) << "template " << t;
    // The header row is fixed in full; of the other rows only the room rectangle is read.
    EXPECT_EQ(stored.substr(0, 30), expected.substr(0, 30)) << "template " << t;
    const Ref::Template& shape = Ref::Templates[t];
    for (int r = 1; r <= shape.height; ++r) {
      EXPECT_EQ(stored.substr(30 * r, shape.width), expected.substr(30 * r, shape.width))
          << "template " << t << ", row " << r;
    }
  }
}

TEST_F(DungeonAgreement, AreaTests) {
  Ref::World world(2, RoomRangeFill);
  // Level 1: rock on columns 10 to 19 of rows 10 to 19, one floor cell at (15, 15).
  for (int y = 10; y < 20; ++y) {
    for (int x = 10; x < 20; ++x) {
      WorldGrid[x + y * 256 + 65536] = '=';
      world.Cell(x, y, 1) = '=';
    }
  }
  WorldGrid[15 + 15 * 256 + 65536] = '<';
  world.Cell(15, 15, 1) = '<';
  struct Rect {
    int x0, y0, x1, y1, code;
  };
  const Rect rects[] = {{10, 10, 14, 19, '='},   {10, 10, 15, 15, '='}, {15, 15, 15, 15, '<'},
                        {12, 12, 11, 30, '='},   {12, 12, 30, 11, '='}, {-1, 0, 5, 5, 0},
                        {250, 250, 256, 250, 0}, {0, 255, 0, 256, 0},   {0, 0, 255, 255, 0},
                        {0, 0, 9, 255, 0},       {200, -3, 100, 5, 0}};
  for (const Rect& r : rects) {
    EXPECT_EQ(CheckArea(r.x0, r.y0, r.x1, r.y1, 1, r.code),
              Ref::CheckArea(world, r.x0, r.y0, r.x1, r.y1, 1, r.code))
        << "CheckArea(" << r.x0 << ", " << r.y0 << ", " << r.x1 << ", " << r.y1 << ", 1, " << r.code
        << ")";
    EXPECT_EQ(FillArea(r.x0, r.y0, r.x1, r.y1, 1, 'Q'),
              Ref::FillArea(world, r.x0, r.y0, r.x1, r.y1, 1, 'Q'))
        << "FillArea(" << r.x0 << ", " << r.y0 << ", " << r.x1 << ", " << r.y1 << ", 1, 'Q')";
    ASSERT_EQ(std::memcmp(WorldGrid, world.grid.data(), 2 * 65536), 0)
        << "after FillArea(" << r.x0 << ", " << r.y0 << ", " << r.x1 << ", " << r.y1 << ")";
  }
}

TEST_F(DungeonAgreement, RandomBelowIsOneDrawModuloN) {
  for (int n : {1, 3, 4, 13, 19, 29, 255, 32767, 32768, 100000}) {
    Srand(n * 7u);
    int real = RandomBelow(n);
    uint32_t state = RandState;
    Srand(n * 7u);
    EXPECT_EQ(real, Ref::RandomBelow(n)) << "RandomBelow(" << n << ")";
    EXPECT_EQ(state, RandState) << "RandomBelow(" << n << ")";
  }
}

// ---- The reference against the generator's stated rules ------------------------------------

int CountOnLevel(Ref::World& world, int level, uint8_t code) {
  int count = 0;
  for (int i = 0; i < Ref::CellsPerLevel; ++i) {
    count += world.grid[static_cast<size_t>(level) * Ref::CellsPerLevel + i] == code;
  }
  return count;
}

// Area 2 gives a 3 x 3 rock square (half = 1); the first level's central room is template 13,
// 5 x 5, and with its margin needs 7 x 7 of rock, so the call stops there before any draw.
TEST(DungeonReferenceText, AreaTwoLeavesThreeByThreeRockAndStops) {
  Ref::World world(4, RoomRangeFill);
  Srand(77);
  Ref::GenerateDungeon(world, Ref::Settings{}, 128, 128, 1, 3, 2, 25);
  EXPECT_EQ(RandState, 77u);
  EXPECT_EQ(world.counter, 0u);
  EXPECT_EQ(world.firstRoom[1], RoomRangeFill);
  for (int level = 0; level < 4; ++level) {
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        bool inSquare = level == 1 && x >= 127 && x <= 129 && y >= 127 && y <= 129;
        ASSERT_EQ(world.Cell(x, y, level), inSquare ? '=' : 0) << x << ", " << y << ", " << level;
      }
    }
  }
}

// No rooms besides the central ones: the first level is template 13, a 5 x 5 floor at
// (cx - 2, cy - 2); later levels use templates 0 to 12, all holding (cx, cy), so the central
// rooms of neighbouring levels share floor and every later level gets stairs. One room per level
// plans no other fixture.
TEST(DungeonReferenceText, NoRoomsLeavesOnlyTheCentralRooms) {
  for (uint32_t seed : Seeds) {
    Ref::World world(7, RoomRangeFill);
    Srand(seed);
    Ref::GenerateDungeon(world, Ref::Settings{}, 100, 90, 1, 5, 32, 0);
    ASSERT_EQ(world.counter, 5u);
    const Ref::Room& first = world.rooms[0];
    EXPECT_EQ(first.x, 98);
    EXPECT_EQ(first.y, 88);
    EXPECT_EQ(first.width, 5);
    EXPECT_EQ(first.height, 5);
    EXPECT_EQ(first.templateNumber, 13);
    for (int level = 1; level <= 5; ++level) {
      const Ref::Room& room = world.rooms[level - 1];
      EXPECT_EQ(room.level, level);
      if (level > 1) {
        EXPECT_LT(room.templateNumber, 13);
      }
      EXPECT_EQ(world.firstRoom[level], uint32_t(level - 1));
      EXPECT_EQ(world.endRoom[level], uint32_t(level));
      int floorish = 0;
      for (int y = room.y; y < room.y + room.height; ++y) {
        for (int x = room.x; x < room.x + room.width; ++x) {
          floorish += world.Cell(x, y, level) != '=';
        }
      }
      EXPECT_EQ(floorish, CountOnLevel(world, level, '<') + CountOnLevel(world, level, 'L') +
                              CountOnLevel(world, level, 'M'))
          << "level " << level << " has cells outside its central room";
      // Level 2's central room always shares floor with the untouched 5 x 5 of level 1; deeper
      // levels share floor only where the level above kept some free of its own stairs.
      EXPECT_LE(CountOnLevel(world, level, 'L'), level == 1 ? 0 : 32 / 32 + 1);
      if (level == 2) {
        EXPECT_GE(CountOnLevel(world, level, 'L'), 1) << "seed " << seed;
      }
      for (uint8_t code : {'Z', 'V', 'd', 'X', 'T', 'F'}) {
        EXPECT_EQ(CountOnLevel(world, level, code), 0) << "level " << level << " code " << code;
      }
    }
    // The first level's 25 cells are floor, or stairs down from level 2.
    for (int y = 88; y < 93; ++y) {
      for (int x = 98; x < 103; ++x) {
        uint8_t code = world.Cell(x, y, 1);
        EXPECT_TRUE(code == '<' || code == 'M') << x << ", " << y;
      }
    }
  }
}

// Templates 0 to 18 have no 'p' cells, so style 38 never writes 160 or 163; styles 3, 5 and 6
// draw from all 29 and carve the special cells as 160, 160 and 163.
TEST(DungeonReferenceText, SpecialCellsOnlyWithTheWiderStyles) {
  for (int t = 0; t < 19; ++t) {
    for (int r = 0; r < Ref::Templates[t].height; ++r) {
      EXPECT_EQ(std::string(Ref::Templates[t].rows[r]).find('p'), std::string::npos);
    }
  }
  for (int style : {38, 3, 5, 6}) {
    Ref::World world(4, RoomRangeFill);
    Ref::Settings settings;
    settings.style = style;
    settings.maxPlacementAttempts = 1000;
    Srand(2024);
    Ref::GenerateDungeon(world, settings, 128, 128, 1, 3, 100, 200);
    int highest = 0;
    for (uint32_t i = 0; i < world.counter; ++i) {
      highest = std::max(highest, int(world.rooms[i].templateNumber));
    }
    int special = 0, specialAlt = 0;
    for (int level = 1; level <= 3; ++level) {
      special += CountOnLevel(world, level, 160);
      specialAlt += CountOnLevel(world, level, 163);
    }
    if (style == 38) {
      EXPECT_LE(highest, 18);
      EXPECT_EQ(special + specialAlt, 0);
    } else {
      // 600 attempts at a room drawing from 29 templates: one of 19 to 28 is all but certain.
      EXPECT_GE(highest, 19) << "style " << style;
      EXPECT_EQ(style == 6 ? special : specialAlt, 0) << "style " << style;
      EXPECT_GT(style == 6 ? specialAlt : special, 0) << "style " << style;
    }
  }
}

// Planned counts with n rooms on a level: chests n / 25, candelabra n / 5, scrolls n / 40,
// coffins n / 25, fountains n / 60, each placed up to planned + 1; stairs exactly
// areaSize / 32 + 1. A level of 4 rooms plans 0 of everything; one of 5 plans one candelabrum
// and so gets up to 2.
TEST(DungeonReferenceText, FixtureLimits) {
  // Area 64, 3 rooms to attach to the central one: every attachment succeeds with this seed
  // (checked below), so each level holds 4 rooms.
  {
    Ref::World world(4, RoomRangeFill);
    Srand(11);
    Ref::GenerateDungeon(world, Ref::Settings{}, 128, 128, 1, 3, 64, 3);
    for (int level = 1; level <= 3; ++level) {
      ASSERT_EQ(world.endRoom[level] - world.firstRoom[level], 4u);
      for (uint8_t code : {'Z', 'V', 'd', 'X', 'T'}) {
        EXPECT_EQ(CountOnLevel(world, level, code), 0) << "level " << level << " code " << code;
      }
    }
    // 64 / 32 + 1 = 3 stairs on levels 2 and 3, which write stairs down one level up.
    EXPECT_LE(CountOnLevel(world, 2, 'L'), 3);
    EXPECT_LE(CountOnLevel(world, 3, 'L'), 3);
    EXPECT_EQ(CountOnLevel(world, 1, 'L'), 0);
  }
  {
    Ref::World world(3, RoomRangeFill);
    Srand(11);
    Ref::GenerateDungeon(world, Ref::Settings{}, 128, 128, 1, 1, 64, 4);
    ASSERT_EQ(world.endRoom[1] - world.firstRoom[1], 5u);
    // Dozens of floor cells and a million attempts: the limit of 2 is reached.
    EXPECT_EQ(CountOnLevel(world, 1, 'V'), 2);
    EXPECT_EQ(CountOnLevel(world, 1, 'Z'), 0);
  }
  // Crowded levels: every kind reaches its limit, stairs exactly their planned count.
  Ref::World world(5, RoomRangeFill);
  Srand(31337);
  Ref::GenerateDungeon(world, Ref::Settings{}, 128, 128, 1, 3, 200, 400);
  for (int level = 1; level <= 3; ++level) {
    int n = static_cast<int>(world.endRoom[level] - world.firstRoom[level]);
    ASSERT_GE(n, 120) << "level " << level;
    EXPECT_EQ(CountOnLevel(world, level, 'Z'), n / 25 + 1);
    EXPECT_EQ(CountOnLevel(world, level, 'V'), n / 5 + 1);
    EXPECT_EQ(CountOnLevel(world, level, 'd'), n / 40 + 1);
    EXPECT_EQ(CountOnLevel(world, level, 'X'), n / 25 + 1);
    EXPECT_EQ(CountOnLevel(world, level, 'T'), n / 60 + 1);
    EXPECT_EQ(CountOnLevel(world, level, 'L'), level == 1 ? 0 : 200 / 32 + 1);
    EXPECT_EQ(CountOnLevel(world, level, 'M'), level == 3 ? 0 : 200 / 32 + 1);
  }
}

// A new room and its one-cell margin must be rock, so cells of different rooms are never
// neighbours, not even diagonally; the only link is the door cell, whose four neighbours are a
// cell of the room it was dug from, a cell of the new room, and rock.
TEST(DungeonReferenceText, RoomsTouchOnlyThroughTheirDoors) {
  for (int style : {38, 3}) {
    Ref::World world(3, RoomRangeFill);
    Ref::Settings settings;
    settings.style = style;
    settings.maxPlacementAttempts = 0;  // no fixtures over the doors
    Srand(555);
    Ref::GenerateDungeon(world, settings, 128, 128, 1, 2, 120, 400);
    ASSERT_GT(world.doors.size(), 300u);
    auto owner = [&world](int x, int y, int level) {
      return world.owner[x + y * 256 + static_cast<size_t>(level) * 65536];
    };
    for (int level = 1; level <= 2; ++level) {
      for (int y = 1; y < 255; ++y) {
        for (int x = 1; x < 255; ++x) {
          uint32_t here = owner(x, y, level);
          if (here == 0) continue;
          for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
              uint32_t there = owner(x + dx, y + dy, level);
              ASSERT_TRUE(there == 0 || there == here)
                  << "rooms " << here - 1 << " and " << there - 1 << " touch at " << x << ", " << y
                  << ", level " << level;
            }
          }
        }
      }
    }
    std::set<std::pair<int, int>> doorCells;
    for (const Ref::DoorCell& door : world.doors)
      doorCells.insert({door.x, door.y + 256 * door.level});
    int closed = 0;
    for (const Ref::DoorCell& door : world.doors) {
      uint8_t code = world.Cell(door.x, door.y, door.level);
      ASSERT_TRUE(code == 'F' || code == '<');
      closed += code == 'F';
      ASSERT_EQ(owner(door.x, door.y, door.level), 0u);
      // The new room on one side; opposite it the cell grown from, which belongs to the old
      // room or is an earlier door left open inside that room's rectangle; rock on the others.
      const int steps[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
      int toward = -1;
      for (int s = 0; s < 4; ++s) {
        if (owner(door.x + steps[s][0], door.y + steps[s][1], door.level) == door.toRoom + 1) {
          ASSERT_EQ(toward, -1) << "door at " << door.x << ", " << door.y;
          toward = s;
        }
      }
      ASSERT_NE(toward, -1) << "door at " << door.x << ", " << door.y;
      int backX = door.x - steps[toward][0], backY = door.y - steps[toward][1];
      EXPECT_TRUE(owner(backX, backY, door.level) == door.fromRoom + 1 ||
                  doorCells.count({backX, backY + 256 * door.level}) == 1)
          << "door at " << door.x << ", " << door.y;
      for (int s = 0; s < 4; ++s) {
        int x = door.x + steps[s][0], y = door.y + steps[s][1];
        if ((x == backX && y == backY) || s == toward) continue;
        EXPECT_EQ(world.Cell(x, y, door.level), '=') << "door at " << door.x << ", " << door.y;
      }
    }
    EXPECT_GT(closed, 0);
    EXPECT_LT(closed, static_cast<int>(world.doors.size()));
  }
}

// Template 15 is an L: two full rows of 8 on top, then a column two wide going down 4 rows.
// Orientation 1 sends (r, c) to (7 - c, r): the top rows become the two left columns read
// bottom-up, and the leg, columns 0 and 1, the two bottom rows. Orientation 2 sends (r, c) to
// (c, r), the transpose; orientation 3 sends (r, c) to (5 - r, c), upside down.
TEST(DungeonReferenceText, OrientationsOfAnAsymmetricTemplate) {
  auto picture = [](const Ref::Scratch& room) {
    std::string text;
    for (int r = 0; r < room.height; ++r) {
      for (int c = 0; c < room.width; ++c) text += room.At(r, c) ? 'd' : '0';
      text += '/';
    }
    return text;
  };
  EXPECT_EQ(picture(Ref::BuildRoom(15, 0)),
            "dddddddd/dddddddd/dd000000/dd000000/dd000000/dd000000/");
  EXPECT_EQ(picture(Ref::BuildRoom(15, 1)),
            "dd0000/dd0000/dd0000/dd0000/dd0000/dd0000/dddddd/dddddd/");
  EXPECT_EQ(picture(Ref::BuildRoom(15, 2)),
            "dddddd/dddddd/dd0000/dd0000/dd0000/dd0000/dd0000/dd0000/");
  EXPECT_EQ(picture(Ref::BuildRoom(15, 3)),
            "dd000000/dd000000/dd000000/dd000000/dddddddd/dddddddd/");
  // Template 26's 'p' cells are 3, its 'd' cells 1; orientation 1 of the 3 x 5 room: row 0 of
  // the turned room is column 2 of the template read downwards: d d p d d -> 1 1 3 1 1.
  Ref::Scratch turned = Ref::BuildRoom(26, 1);
  ASSERT_EQ(turned.width, 5);
  ASSERT_EQ(turned.height, 3);
  const uint8_t rowZero[5] = {1, 1, 3, 1, 1};
  for (int c = 0; c < 5; ++c) EXPECT_EQ(turned.At(0, c), rowZero[c]) << c;
}

// Every template row has the template's width in 'd', 'p' and '0' only, and there are as many
// rows as the height: a slip in transcription shows here.
TEST(DungeonReferenceText, TemplatesAreWellFormed) {
  for (int t = 0; t < Ref::TemplateCount; ++t) {
    const Ref::Template& shape = Ref::Templates[t];
    for (int r = 0; r < 9; ++r) {
      if (r >= shape.height) {
        EXPECT_EQ(shape.rows[r], nullptr) << "template " << t << " row " << r;
        continue;
      }
      ASSERT_NE(shape.rows[r], nullptr) << "template " << t << " row " << r;
      std::string row = shape.rows[r];
      EXPECT_EQ(row.size(), size_t(shape.width)) << "template " << t << " row " << r;
      EXPECT_EQ(row.find_first_not_of("dp0"), std::string::npos) << "template " << t;
    }
    std::string text = Ref::TemplateText(t);
    EXPECT_EQ(text.substr(0, 6),
              std::string("jk") + char(96 + shape.width) + char(96 + shape.height) + "00");
  }
}

// The progress messages name each kind with its planned count, stairs only below the first level.
TEST(DungeonReferenceText, ProgressMessages) {
  Ref::World world(4, RoomRangeFill);
  Ref::Settings settings;
  settings.showProgress = true;
  Srand(8);
  Ref::GenerateDungeon(world, settings, 128, 128, 1, 2, 64, 0);
  const std::vector<std::string> expected = {
      "Chest Generation = 0",  "Candleabrum Generation = 0", "Scrolls Generation = 0",
      "Coffin Generation = 0", "Fountain Generation = 0",    "Stairs Generation = 3",
      "Chest Generation = 0",  "Candleabrum Generation = 0", "Scrolls Generation = 0",
      "Coffin Generation = 0", "Fountain Generation = 0"};
  EXPECT_EQ(world.progress, expected);
}

// Calling again over the same levels stops at the first one, whose area is rock now.
TEST(DungeonReferenceText, SecondCallStopsAtOnce) {
  Ref::World world(5, RoomRangeFill);
  Srand(4);
  Ref::GenerateDungeon(world, Ref::Settings{}, 128, 128, 1, 3, 64, 25);
  std::vector<uint8_t> grid = world.grid;
  std::vector<uint32_t> first = world.firstRoom, end = world.endRoom;
  uint32_t state = RandState;
  Ref::GenerateDungeon(world, Ref::Settings{}, 128, 128, 1, 3, 64, 25);
  EXPECT_EQ(RandState, state);
  EXPECT_EQ(world.counter, 0u);
  EXPECT_TRUE(world.grid == grid);
  EXPECT_EQ(world.firstRoom, first);
  EXPECT_EQ(world.endRoom, end);
}

}  // namespace
