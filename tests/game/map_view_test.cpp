#include "game/map_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "overlay/overlay.h"
#include "tests/game/game_pools.h"

namespace {

constexpr int NoSlot = -1;
constexpr int Caption = -2;  // white: a caption pixel

// Every slot holds a 16 x 16 picture of its own colour: red = slot % 256, green = 100 +
// slot / 256, blue = 50. None of them is a transparent key colour.
void PaintEverySlot() {
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
    GamePools::PaintSlot(slot, static_cast<uint8_t>(slot % 256),
                         static_cast<uint8_t>(100 + slot / 256), 50);
}

const uint8_t* PixelAt(int x, int y) { return FrameBuffer + 4 * (y * 320 + x); }

// The slot whose picture covers pixel (x, y), NoSlot for black, Caption for white.
int SlotAt(int x, int y) {
  const uint8_t* p = PixelAt(x, y);
  if (p[0] == 0 && p[1] == 0 && p[2] == 0) return NoSlot;
  if (p[0] == 255 && p[1] == 255 && p[2] == 255) return Caption;
  if (p[2] != 50 || p[1] < 100) return -1000;
  return p[0] + 256 * (p[1] - 100);
}

int TileSlot(int column, int row) { return SlotAt(16 * column + 8, 16 * row + 4); }

void Redraw() {
  BlankFrame();
  DrawMapView();
}

void FillView(uint8_t code) {
  for (int y = MapViewRow; y < MapViewRow + 15; ++y)
    for (int x = MapViewColumn; x < MapViewColumn + 20; ++x) GridCell(x, y, MapViewLevel) = code;
}

UnitRecord& PlaceUnit(int index, int x, int y, int level, uint16_t type, uint16_t picture) {
  UnitRecord& unit = UnitTable[index];
  unit.inUse = 1;
  unit.x = static_cast<uint16_t>(x);
  unit.y = static_cast<uint16_t>(y);
  unit.level = static_cast<uint16_t>(level);
  unit.unitType = type;
  unit.picture = picture;
  unit.barMaximum = 10.0f;
  unit.barCurrent = 10.0f;
  return unit;
}

// The colours along a unit's bar row, from px to px + 14: 'g' green, 'r' red, 'p' purple, 'w'
// white where the unit's own caption, drawn last, covers the bar.
std::string BarColours(int px, int py) {
  std::string colours;
  for (int x = px; x <= px + 14; ++x) {
    const uint8_t* p = PixelAt(x, py + 16);
    if (p[0] == 0 && p[1] == 255 && p[2] == 0)
      colours += 'g';
    else if (p[0] == 255 && p[1] == 0 && p[2] == 0)
      colours += 'r';
    else if (p[0] == 96 && p[1] == 44 && p[2] == 136)
      colours += 'p';
    else if (p[0] == 255 && p[1] == 255 && p[2] == 255)
      colours += 'w';
    else
      colours += '?';
  }
  return colours;
}

// A caption pixel ('w') may hide a bar pixel; every other pixel must match.
bool SameBar(const std::string& actual, const std::string& expected) {
  if (actual.size() != expected.size()) return false;
  for (size_t i = 0; i < actual.size(); ++i)
    if (actual[i] != 'w' && actual[i] != expected[i]) return false;
  return true;
}

}  // namespace

// The picture of every cell code, on a level other than 0, 1 and 2.
TEST(DrawMapView, DrawsEveryCodeWithItsPicture) {
  GamePools pools;
  PaintEverySlot();
  std::map<int, int> expected;
  for (int code : {10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 22, 23, 24}) expected[code] = code;
  for (int code = 180; code <= 198; ++code)
    if (code < 185 || (code > 187 && code != 195)) expected[code] = code;
  const int dungeon[][2] = {{'<', 119}, {'=', 111}, {'D', 118}, {'F', 128}, {'L', 137}, {'M', 136},
                            {'N', 131}, {'O', 130}, {'P', 132}, {'Q', 133}, {'R', 148}, {'S', 149},
                            {'T', 134}, {'U', 135}, {'V', 122}, {'W', 123}, {'X', 124}, {'Y', 125},
                            {'Z', 120}, {'[', 121}, {'d', 167}, {'l', 140}, {'o', 141}, {'m', 142},
                            {'p', 144}, {'t', 145}, {'q', 146}, {128, 152}, {161, 126}, {162, 127},
                            {211, 160}, {212, 161}, {218, 155}, {219, 156}};
  for (const auto& pair : dungeon) expected[pair[0]] = pair[1];

  MapViewColumn = 100;  // the viewed unit's mark at (0, 0) stays out of view
  MapViewRow = 100;
  MapViewLevel = 5;
  for (int code = 0; code < 256; ++code) {
    FillView(static_cast<uint8_t>(code));
    Redraw();
    int want = expected.count(code) ? expected[code] : NoSlot;
    EXPECT_EQ(TileSlot(7, 4), want) << "code " << code;
    EXPECT_EQ(MapTileSlot(static_cast<uint8_t>(code), 5), want) << "code " << code;
  }
}

// Code 18 is drawn as picture 12 on level 0, 18 on level 1, 17 on level 2, and not at all below.
TEST(DrawMapView, HillsChangeWithTheLevel) {
  GamePools pools;
  PaintEverySlot();
  MapViewColumn = MapViewRow = 50;
  const int pictures[][2] = {{0, 12}, {1, 18}, {2, 17}, {3, NoSlot}, {179, NoSlot}};
  for (const auto& pair : pictures) {
    MapViewLevel = pair[0];
    FillView(18);
    Redraw();
    EXPECT_EQ(TileSlot(3, 3), pair[1]) << "level " << pair[0];
  }
}

// Tile (c, r) shows cell (column + c, row + r) with the picture's first stored row on frame row
// 16 r and its first pixel at (16 c, 16 r); the last column and row of tiles are drawn.
TEST(DrawMapView, TilesSitAtTheirCellsWithTheLowerLeftCornerFirst) {
  GamePools pools;
  PaintEverySlot();
  TextureSlotTable[111].pixels[0] = 1;  // first pixel of the rock picture: (1, 100, 50)
  MapViewColumn = 30;
  MapViewRow = 40;
  MapViewLevel = 7;
  GridCell(30, 40, 7) = '<';
  GridCell(49, 54, 7) = '=';
  GridCell(49, 40, 7) = 'Z';
  GridCell(30, 54, 7) = 'T';
  GridCell(50, 40, 7) = 'X';  // one column beyond the view
  GridCell(30, 55, 7) = 'X';  // one row beyond
  Redraw();
  EXPECT_EQ(TileSlot(0, 0), 119);
  EXPECT_EQ(TileSlot(19, 14), 111);
  EXPECT_EQ(TileSlot(19, 0), 120);
  EXPECT_EQ(TileSlot(0, 14), 134);
  EXPECT_EQ(SlotAt(16 * 19, 16 * 14), 1);
  EXPECT_EQ(SlotAt(319, 239), 111);
  int drawn = 0;
  for (int c = 0; c < 20; ++c)
    for (int r = 0; r < 15; ++r) drawn += TileSlot(c, r) != NoSlot;
  EXPECT_EQ(drawn, 4);
}

// A view past a level's right or top edge reads on through the byte index: past x = 255 into
// the next row, past y = 255 into the next level, before x = 0 into the previous row. Only
// bytes outside the whole grid draw nothing.
TEST(DrawMapView, ViewsPastALevelsEdgeFollowTheByteIndexUpToTheGridsEnds) {
  GamePools pools;
  PaintEverySlot();
  std::memset(WorldGrid + 3 * 65536, 'q', 65536);  // level 3: picture 146
  std::memset(WorldGrid + 4 * 65536, '<', 65536);  // level 4: picture 119
  std::memset(WorldGrid + 5 * 65536, 'D', 65536);  // level 5: picture 118
  GridCell(0, 246, 4) = 'F';                       // picture 128
  std::memset(WorldGrid + 179 * 65536, '<', 65536);
  UnitTable[1].x = 100;  // the viewed unit's mark, out of view
  MapViewLevel = 4;
  MapViewColumn = 240;
  MapViewRow = 245;
  Redraw();
  EXPECT_EQ(TileSlot(15, 10), 119);  // cell (255, 255)
  EXPECT_EQ(TileSlot(16, 0), 128);   // x 256 of row 245 is x 0 of row 246
  EXPECT_EQ(TileSlot(15, 11), 118);  // row 256 of level 4 is row 0 of level 5
  EXPECT_EQ(TileSlot(16, 10), 118);  // byte 65536 past (0, 0) of level 4
  MapViewColumn = -3;
  MapViewRow = 0;
  Redraw();
  EXPECT_EQ(TileSlot(0, 0), 146);  // x -3 of level 4 is x 253 of level 3's last row
  EXPECT_EQ(TileSlot(3, 0), 119);

  // The grid's first and last bytes bound the view.
  MapViewLevel = 0;
  Redraw();
  EXPECT_EQ(TileSlot(0, 0), NoSlot);
  MapViewLevel = 179;
  MapViewColumn = 240;
  MapViewRow = 245;
  Redraw();
  EXPECT_EQ(TileSlot(15, 10), 119);
  EXPECT_EQ(TileSlot(16, 10), NoSlot);
  EXPECT_EQ(TileSlot(15, 11), NoSlot);
  MapViewRow = 2000000000;
  Redraw();
  EXPECT_EQ(TileSlot(0, 0), NoSlot);
  MapViewRow = 0;
  MapViewLevel = 180;
  Redraw();
  EXPECT_EQ(TileSlot(3, 0), NoSlot);
}

// The viewed unit's path is marked with picture 22 on whatever level is shown, step by step,
// and its own cell is marked path or not.
TEST(DrawMapView, MarksThePathOfTheViewedUnit) {
  GamePools pools;
  PaintEverySlot();
  MapViewColumn = MapViewRow = 100;
  MapViewLevel = 5;
  PlaceUnit(1, 105, 103, 9, 2, 801);  // type 2: not drawn as a unit
  const uint32_t steps[][2] = {{101, 101}, {102, 101}, {103, 102}};
  for (int s = 0; s < 3; ++s) {
    PathSearchState->pathX[1000 + s] = steps[s][0];
    PathSearchState->pathY[1000 + s] = steps[s][1];
  }
  PathSearchState->lastPathStep[1] = 2;
  auto marks = [] {
    std::vector<std::pair<int, int>> found;
    for (int c = 0; c < 20; ++c)
      for (int r = 0; r < 15; ++r)
        if (TileSlot(c, r) == 22) found.push_back({c, r});
    return found;
  };
  Redraw();
  EXPECT_EQ(marks(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 2}, {5, 3}}));

  PathSearchState->lastPathStep[1] = 0;
  Redraw();
  EXPECT_EQ(marks(), (std::vector<std::pair<int, int>>{{1, 1}, {5, 3}}));

  PathSearchState->lastPathStep[1] = -9;
  Redraw();
  EXPECT_EQ(marks(), (std::vector<std::pair<int, int>>{{5, 3}}));

  PathSearchState->lastPathStep[1] = 2;
  UnitTable[1].inUse = 0;
  Redraw();
  EXPECT_EQ(marks(), (std::vector<std::pair<int, int>>{{5, 3}}));

  // Another viewed unit; a last step beyond the 1000 a unit holds reads only those.
  MapViewUnit = 2;
  PlaceUnit(2, 110, 110, 5, 2, 801);
  PathSearchState->pathX[2000 + 999] = 119;
  PathSearchState->pathY[2000 + 999] = 114;
  PathSearchState->lastPathStep[2] = 5000;
  Redraw();
  EXPECT_EQ(TileSlot(19, 14), 22);    // step 999
  EXPECT_EQ(TileSlot(10, 10), 22);    // its own cell
  EXPECT_EQ(TileSlot(5, 3), NoSlot);  // unit 1 is no longer viewed
}

// Only units in use, not hidden, of type 1, 3 or 9, on the shown level and inside the view. A
// unit one tile past the right or top edge would be drawn wholly off the frame, so whether it
// was drawn shows in the caption text it leaves in the TextBuffer.
TEST(DrawMapView, DrawsOnlyTheUnitsItShould) {
  GamePools pools;
  PaintEverySlot();
  MapViewColumn = 60;
  MapViewRow = 70;
  MapViewLevel = 12;
  struct Case {
    int index, column, row, type;
    bool drawn;
  };
  const Case cases[] = {
      {0, 0, 0, 1, true},    {2, 2, 0, 2, false},   {3, 4, 0, 3, true},      {4, 6, 0, 9, true},
      {5, 8, 0, 4, false},   {6, 10, 0, 1, false},  {7, 12, 0, 1, false},    {8, 14, 0, 1, false},
      {9, 19, 4, 1, true},   {10, 20, 6, 1, false}, {11, 0, 14, 1, true},    {12, 2, 15, 1, false},
      {13, -1, 8, 1, false}, {14, 4, -1, 1, false}, {2999, 16, 10, 3, true},
  };
  auto place = [](const Case& c) {
    PlaceUnit(c.index, 60 + c.column, 70 + c.row, 12, static_cast<uint16_t>(c.type),
              static_cast<uint16_t>(800 + c.index % 100));
    if (c.index == 6) UnitTable[6].hiddenFlag = 1;
    if (c.index == 7) UnitTable[7].inUse = 0;
    if (c.index == 8) UnitTable[8].level = 13;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    std::memset(UnitTable, 0, sizeof(UnitRecord) * UnitCapacity);
    UnitTable[1].x = 0;  // the viewed unit's mark stays out of view
    place(c);
    TextBuffer[0] = '\0';
    Redraw();
    EXPECT_EQ(TextBuffer[0] != '\0', c.drawn);
    if (c.drawn) {
      EXPECT_EQ(TextBuffer, std::to_string(c.index) + " ms0 ");
    }
  }

  // All together, each visible one with its own picture on its own tile.
  std::memset(UnitTable, 0, sizeof(UnitRecord) * UnitCapacity);
  for (const Case& c : cases) place(c);
  Redraw();
  for (const Case& c : cases) {
    if (c.column < 0 || c.column >= 20 || c.row < 0 || c.row >= 15) continue;
    EXPECT_EQ(TileSlot(c.column, c.row), c.drawn ? 800 + c.index % 100 : NoSlot)
        << "unit " << c.index;
  }
  EXPECT_STREQ(TextBuffer, "2999 ms0 ");  // units are drawn in index order
}

// px = 48, py = 32: the red line runs over x = 48..62 on row 48, the coloured bar from 48 to
// trunc(48 + 14 * current / maximum) in single precision. The caption is drawn last and its
// digits reach row 48; unit 8's first digit inks only x = 49 there, so x = 48 stays visible.
TEST(DrawMapView, DrawsBarsAsTheRatioOfCurrentToMaximum) {
  GamePools pools;
  PaintEverySlot();
  MapViewColumn = MapViewRow = 0;
  MapViewLevel = 3;
  UnitTable[1].x = 200;  // the viewed unit's mark stays out of view
  UnitRecord& unit = PlaceUnit(8, 3, 2, 3, 1, 801);
  auto bar = [&](uint8_t state, float current, float maximum) {
    unit.barState = state;
    unit.barCurrent = current;
    unit.barMaximum = maximum;
    Redraw();
    return BarColours(48, 32);
  };
  EXPECT_PRED2(SameBar, bar(0, 10, 10), "ggggggggggggggg");
  EXPECT_PRED2(SameBar, bar(0, 0, 10), "grrrrrrrrrrrrrr");
  EXPECT_PRED2(SameBar, bar(0, 5, 10), "ggggggggrrrrrrr");  // 48 + 7 = 55
  EXPECT_PRED2(SameBar, bar(0, 1, 3), "gggggrrrrrrrrrr");   // 48 + 4.67 = 52.67, so 52
  EXPECT_PRED2(SameBar, bar(1, 5, 10), "pppppppprrrrrrr");
  EXPECT_PRED2(SameBar, bar(3, 10, 10), "ppppppppppppppp");
  EXPECT_PRED2(SameBar, bar(2, 5, 10), "rrrrrrrrrrrrrrr");
  EXPECT_PRED2(SameBar, bar(4, 5, 10), "rrrrrrrrrrrrrrr");
  EXPECT_EQ(PixelAt(63, 48)[0], 0);  // nothing beyond px + 14

  // A bar longer than full runs on to the right; a negative one runs left from px.
  EXPECT_PRED2(SameBar, bar(0, 20, 10), "ggggggggggggggg");
  EXPECT_EQ(PixelAt(76, 48)[1], 255);
  EXPECT_EQ(PixelAt(77, 48)[1], 0);
  EXPECT_PRED2(SameBar, bar(0, -10, 10), "grrrrrrrrrrrrrr");
  EXPECT_EQ(PixelAt(34, 48)[1], 255);
  EXPECT_EQ(PixelAt(33, 48)[1], 0);

  // Maximum 0 gives an infinite or undefined ratio; converted as the x86 conversion does
  // (0x80000000), the bar's end lies far to the left, so the line runs from px to the frame's
  // left edge and the red part stays to the right.
  for (float current : {5.0f, 0.0f, -5.0f}) {
    EXPECT_PRED2(SameBar, bar(0, current, 0), "grrrrrrrrrrrrrr") << current;
    for (int x = 0; x <= 48; ++x) ASSERT_EQ(PixelAt(x, 48)[1], 255) << x;
  }
}

// The caption "<unit> ms<shown number> " is drawn in white at (px, py + 17).
TEST(DrawMapView, CaptionsNameTheUnitAndItsNumber) {
  GamePools pools;
  PaintEverySlot();
  MapViewColumn = MapViewRow = 0;
  MapViewLevel = 3;
  UnitTable[1].x = 200;
  UnitRecord& unit = PlaceUnit(7, 3, 2, 3, 9, 801);
  unit.shownNumber = 42;
  Redraw();
  EXPECT_STREQ(TextBuffer, "7 ms42 ");
  std::vector<uint8_t> drawn(FrameBuffer, FrameBuffer + 320 * 240 * 4);

  // The same text drawn by itself over the same picture and bar gives the same frame.
  BlankFrame();
  DrawSlotImageKeyed(48, 32, 801);
  DrawLine(48, 48, 62, 48, 255, 0, 0);
  DrawLine(48, 48, 62, 48, 0, 255, 0);
  FormatText(TextBuffer, "%d ms%d ", 7, 42);
  DrawSmallText(48, 49, 255, 255, 255);
  EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), FrameBuffer));
}

TEST(DrawMapView, SweepOfEveryCodeOnFourLevelsDrawsTheCheckedFrames) {
  GamePools pools;
  PaintEverySlot();
  MapViewColumn = MapViewRow = 100;
  uint64_t hash = Fnv1a(nullptr, 0);
  for (int level : {0, 1, 2, 5}) {
    MapViewLevel = level;
    for (int code = 0; code < 256; ++code)
      GridCell(100 + code % 20, 100 + code / 20, level) = static_cast<uint8_t>(code);
    Redraw();
    hash = Fnv1a(FrameBuffer, 320 * 240 * 4, hash);
  }
  EXPECT_EQ(hash, 0xC702B4D135AB8725ull);
}

// Units with every bar state and several bar lengths, their captions, and the viewed unit's
// path over a floor.
TEST(DrawMapView, UnitSceneDrawsTheCheckedFrame) {
  GamePools pools;
  PaintEverySlot();
  MapViewColumn = 10;
  MapViewRow = 20;
  MapViewLevel = 3;
  std::memset(WorldGrid + 3 * 65536, '<', 65536);
  const struct {
    int index, column, row, type, state;
    float current, maximum;
    int number;
  } units[] = {
      {1, 2, 2, 1, 0, 10, 10, 0},   {0, 0, 0, 3, 0, 1, 3, 5},      {4, 5, 3, 9, 1, 5, 10, 42},
      {7, 8, 6, 1, 2, 5, 10, 7},    {9, 11, 9, 1, 3, 10, 10, 9},   {12, 14, 12, 1, 4, 5, 10, 1},
      {15, 17, 1, 3, 0, 20, 10, 0}, {16, 3, 13, 1, 0, -10, 10, 3}, {20, 19, 14, 9, 0, 0, 10, 2}};
  for (const auto& u : units) {
    UnitRecord& unit =
        PlaceUnit(u.index, 10 + u.column, 20 + u.row, 3, static_cast<uint16_t>(u.type),
                  static_cast<uint16_t>(800 + u.index));
    unit.barState = static_cast<uint8_t>(u.state);
    unit.barCurrent = u.current;
    unit.barMaximum = u.maximum;
    unit.shownNumber = static_cast<uint16_t>(u.number);
  }
  const uint32_t steps[][2] = {{13, 23}, {14, 23}, {15, 24}, {16, 26}};
  for (int s = 0; s < 4; ++s) {
    PathSearchState->pathX[1000 + s] = steps[s][0];
    PathSearchState->pathY[1000 + s] = steps[s][1];
  }
  PathSearchState->lastPathStep[1] = 3;
  Redraw();
  EXPECT_EQ(Fnv1a(FrameBuffer, 320 * 240 * 4), 0x52514C94F6D6E35Bull);
}
