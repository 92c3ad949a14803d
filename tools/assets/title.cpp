// The cross of ".\bmp_cross" and the title picture of ".\bmp_scr".
#include "tools/assets/assets.h"
#include "tools/assets/tiles.h"

namespace assets {

namespace {

void Cross(Canvas& c, Rng&) {
  // Arms of three pixels' thickness in outline, one white pixel inside, a gap at the centre so
  // the pointed-at pixel stays visible.
  const Rgb white{255, 255, 255}, rim{40, 40, 48};
  for (int i = 1; i <= 14; ++i) {
    if (i >= 6 && i <= 8) continue;
    Plot(c, 7, i, white);
    Plot(c, i, 7, white);
  }
  Outline(c, rim);
}

// The letters of the name, drawn as strokes in a box of LetterWidth x LetterHeight.
constexpr int LetterWidth = 28;
constexpr int LetterHeight = 44;
constexpr int Stroke = 8;

void Bar(Canvas& c, int x0, int y0, int x1, int y1, Rgb ink) { FillRect(c, x0, y0, x1, y1, ink); }

// A slanted stroke: the square brush is narrowed so that it looks as heavy as an upright one.
void Slant(Canvas& c, int x0, int y0, int x1, int y1, Rgb ink) {
  ThickLine(c, x0, y0, x1, y1, Stroke * 7 / 10 + 1, ink);
}

// A bowl: the ring between two ellipses (centre and radii in half pixels), on one side only.
void Bowl(Canvas& c, int cx2, int cy2, int rx2, int ry2, int keepFromX, int keepFromY, Rgb ink) {
  Canvas ring = MakeCanvas(c.width, c.height, KeyColour);
  FillEllipse2(ring, cx2, cy2, rx2, ry2, ink);
  FillEllipse2(ring, cx2, cy2, rx2 - 2 * Stroke, ry2 - 2 * Stroke, KeyColour);
  for (int y = keepFromY; y < c.height; ++y)
    for (int x = keepFromX; x < c.width; ++x)
      if (!IsKey(ring, x, y)) Plot(c, x, y, ink);
}

void DrawLetter(Canvas& c, char letter, int x, int y, Rgb ink) {
  const int w = LetterWidth - 1, h = LetterHeight - 1, s = Stroke - 1;
  switch (letter) {
    case 'V':
      Slant(c, x + 3, y + 3, x + w / 2, y + h - 3, ink);
      Slant(c, x + w - 3, y + 3, x + w / 2, y + h - 3, ink);
      Bar(c, x, y, x + s, y + 4, ink);
      Bar(c, x + w - s, y, x + w, y + 4, ink);
      break;
    case 'A':
      Slant(c, x + 3, y + h - 3, x + w / 2, y + 3, ink);
      Slant(c, x + w - 3, y + h - 3, x + w / 2, y + 3, ink);
      Bar(c, x + w / 2 - 4, y, x + w / 2 + 4, y + 5, ink);
      Bar(c, x + 6, y + 27, x + w - 6, y + 27 + s - 2, ink);
      Bar(c, x, y + h - 4, x + s, y + h, ink);
      Bar(c, x + w - s, y + h - 4, x + w, y + h, ink);
      break;
    case 'U':
      Bar(c, x, y, x + s, y + h - 14, ink);
      Bar(c, x + w - s, y, x + w, y + h - 14, ink);
      Bowl(c, 2 * x + w + 1, 2 * (y + h - 14) + 1, w + 1, 29, x, y + h - 14, ink);
      break;
    case 'L':
      Bar(c, x, y, x + s, y + h, ink);
      Bar(c, x, y + h - s, x + w, y + h, ink);
      break;
    case 'T':
      Bar(c, x, y, x + w, y + s, ink);
      Bar(c, x + w / 2 - Stroke / 2, y, x + w / 2 + Stroke / 2, y + h, ink);
      break;
    case 'R':
      Bar(c, x, y, x + s, y + h, ink);
      Bar(c, x, y, x + w - 12, y + s, ink);
      Bar(c, x, y + 18, x + w - 12, y + 18 + s, ink);
      Bowl(c, 2 * (x + w - 12) + 1, 2 * (y + 13) + 1, 24, 27, x + w - 12, y, ink);
      Slant(c, x + 12, y + 24, x + w - 3, y + h - 3, ink);
      Bar(c, x + w - s, y + h - 4, x + w, y + h, ink);
      break;
    case 'N':
      Bar(c, x, y, x + s, y + h, ink);
      Bar(c, x + w - s, y, x + w, y + h, ink);
      Slant(c, x + 3, y + 3, x + w - 3, y + h - 3, ink);
      break;
    default:
      break;
  }
}

// The name in bevelled gold with a dark rim and a drop shadow.
void DrawName(Canvas& c, const char* text, int left, int top, Rng& rng) {
  Canvas letters = MakeCanvas(c.width, c.height, KeyColour);
  const Rgb flat{250, 200, 90};
  int x = left;
  for (const char* p = text; *p; ++p) {
    DrawLetter(letters, *p, x, top, flat);
    x += LetterWidth + 8;
  }
  // Gold that darkens from the top of the letters to their foot, a two-pixel bevel lit from
  // the upper left, and a little grain.
  Canvas shaded = letters;
  for (int y = 0; y < c.height; ++y) {
    for (int x2 = 0; x2 < c.width; ++x2) {
      if (IsKey(letters, x2, y)) continue;
      int depth = ((y - top) * 256) / LetterHeight;
      Rgb colour = Mix(Rgb{255, 232, 136}, Rgb{184, 100, 26}, depth < 0 ? 0 : depth);
      for (int d = 1; d <= 2; ++d) {
        if (IsKey(letters, x2 - d, y) || IsKey(letters, x2, y - d)) {
          colour = Shade(colour, 56 / d);
          break;
        }
        if (IsKey(letters, x2 + d, y) || IsKey(letters, x2, y + d)) {
          colour = Shade(colour, -80 / d);
          break;
        }
      }
      Plot(shaded, x2, y, Shade(colour, rng.Range(-5, 5)));
    }
  }
  Outline(shaded, Rgb{70, 30, 12});
  Outline(shaded, Rgb{22, 12, 10});
  // Shadow first, then the letters over it.
  for (int y = 0; y < c.height; ++y)
    for (int x2 = 0; x2 < c.width; ++x2)
      if (!IsKey(shaded, x2, y) && Inside(c, x2 + 5, y + 5))
        Plot(c, x2 + 5, y + 5, Scale(PixelAt(c, x2 + 5, y + 5), 35));
  for (int y = 0; y < c.height; ++y)
    for (int x2 = 0; x2 < c.width; ++x2)
      if (!IsKey(shaded, x2, y)) Plot(c, x2, y, PixelAt(shaded, x2, y));
}

// A ridge line by random midpoint steps: heights for every column, smooth and seamless enough.
void Ridge(Canvas& c, Rng& rng, int base, int spread, int roughness, Rgb colour) {
  int height = base;
  int slope = 0;
  for (int x = 0; x < c.width; ++x) {
    slope += rng.Range(-roughness, roughness);
    if (slope > 3) slope = 3;
    if (slope < -3) slope = -3;
    height += slope;
    if (height < base - spread) height = base - spread, slope = 1;
    if (height > base + spread) height = base + spread, slope = -1;
    FillRect(c, x, height, x, c.height - 1, colour);
  }
}

void Title(Canvas& c, Rng& rng) {
  // Night sky, deep blue above, violet at the horizon.
  for (int y = 0; y < 240; ++y) {
    Rgb sky = Mix(Rgb{8, 10, 34}, Rgb{86, 42, 96}, (y * 256) / 170);
    FillRect(c, 0, y, 319, y, sky);
  }
  for (int i = 0; i < 170; ++i) {
    int x = rng.Below(320), y = rng.Below(150);
    int bright = rng.Range(120, 255);
    Plot(c, x, y,
         Rgb{static_cast<uint8_t>(bright), static_cast<uint8_t>(bright),
             static_cast<uint8_t>(bright < 200 ? bright + 40 : 255)});
    if (bright > 245) {
      Plot(c, x + 1, y, Rgb{140, 140, 170});
      Plot(c, x - 1, y, Rgb{140, 140, 170});
      Plot(c, x, y + 1, Rgb{140, 140, 170});
      Plot(c, x, y - 1, Rgb{140, 140, 170});
    }
  }
  // The moon and its halo.
  const int moonX = 64, moonY = 116;
  Glow(c, moonX, moonY, 44, Rgb{120, 110, 150}, 120);
  FillCircle(c, moonX, moonY, 17, Rgb{244, 238, 212});
  FillCircle(c, moonX + 6, moonY - 4, 4, Rgb{222, 214, 190});
  FillCircle(c, moonX - 6, moonY + 8, 3, Rgb{226, 218, 194});
  FillCircle(c, moonX + 8, moonY + 8, 2, Rgb{222, 214, 190});
  // Mountains far and near.
  Ridge(c, rng, 150, 26, 1, Rgb{54, 40, 84});
  Ridge(c, rng, 176, 18, 1, Rgb{36, 28, 56});
  // The vault on its crag: a keep between two towers, its windows lit.
  const Rgb night{30, 24, 44};
  const int b = 16;  // how far below the rule the battlements stand
  FillTriangle(c, 196, 184 + b / 2, 232, 140 + b, 268, 184 + b / 2, night);
  FillRect(c, 214, 104 + b, 250, 150 + b, night);
  FillRect(c, 206, 118 + b, 216, 150 + b, night);
  FillRect(c, 248, 114 + b, 258, 150 + b, night);
  for (int x = 214; x <= 250; x += 6) FillRect(c, x, 100 + b, x + 2, 104 + b, night);
  FillTriangle(c, 205, 118 + b, 211, 106 + b, 217, 118 + b, night);
  FillTriangle(c, 247, 114 + b, 253, 100 + b, 259, 114 + b, night);
  const int windows[][2] = {{222, 112}, {240, 112}, {231, 124}, {210, 126}, {252, 122}, {226, 138}};
  for (const auto& w : windows)
    FillRect(c, w[0], w[1] + b, w[0] + 1, w[1] + 3 + b, Rgb{255, 210, 100});
  // The foreground: a dungeon wall with its gate and two torches.
  for (int y = 196; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) {
      int course = (y - 196) / 8;
      int sx = x + (course % 2) * 12;
      int block = course * 40 + sx / 24;
      Rgb stone = Shade(Rgb{70, 64, 74}, ((block * 29) % 17) - 8);
      if ((y - 196) % 8 == 7 || sx % 24 == 23)
        stone = Rgb{30, 26, 34};
      else if ((y - 196) % 8 == 0)
        stone = Shade(stone, 18);
      Plot(c, x, y, Shade(stone, rng.Range(-5, 5)));
    }
  }
  FillRect(c, 136, 204, 183, 239, Rgb{14, 10, 16});
  FillEllipse2(c, 320, 2 * 206, 48, 20, Rgb{14, 10, 16});
  for (int side = 0; side < 2; ++side) {
    int tx = side ? 206 : 113;
    Glow(c, tx, 206, 30, Rgb{255, 170, 80}, 110);
    FillRect(c, tx, 208, tx + 1, 222, Rgb{100, 66, 36});
    FillEllipse2(c, 2 * tx + 1, 2 * 205, 5, 8, Rgb{250, 140, 40});
    FillEllipse2(c, 2 * tx + 1, 2 * 206, 3, 4, Rgb{255, 236, 150});
  }
  DrawName(c, "VAULTRUN", 20, 30, rng);
  // A rule under the name with a jewel in its middle.
  Line(c, 40, 92, 279, 92, Rgb{200, 150, 60});
  Line(c, 40, 93, 279, 93, Rgb{110, 70, 30});
  FillTriangle(c, 154, 92, 159, 87, 164, 92, Rgb{220, 40, 60});
  FillTriangle(c, 154, 93, 159, 98, 164, 93, Rgb{150, 20, 40});
}

}  // namespace

void AddCursorPictures(std::vector<Picture>& out) {
  out.push_back(Picture{"bmp_cross", "cross4", 16, 16, KeyColour, Cross});
}

void AddTitlePictures(std::vector<Picture>& out) {
  out.push_back(Picture{"bmp_scr", "intro1", 320, 240, Rgb{8, 10, 34}, Title});
}

}  // namespace assets
