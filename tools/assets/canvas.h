// Pixel-art drawing for the asset writer: a small RGB canvas, shapes, shading, a fixed-seed
// generator and the 24-bit BMP encoding the program's loader reads.
//
// Everything here is integer arithmetic, so a picture comes out byte for byte the same on every
// platform and compiler.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace assets {

struct Rgb {
  uint8_t r, g, b;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

// Pixels of this colour (and pure black) are skipped by the keyed blitter: creatures and items
// stand on it. Drawn art therefore never uses pure black.
constexpr Rgb KeyColour{255, 0, 246};

// Row 0 is the top of the picture, as one draws; the BMP encoding stores rows bottom-up, so the
// picture arrives upright in the program (its row 0 is the bottom line).
struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
};

Canvas MakeCanvas(int width, int height, Rgb fill);
bool Inside(const Canvas& canvas, int x, int y);
Rgb PixelAt(const Canvas& canvas, int x, int y);  // KeyColour outside the canvas
void Plot(Canvas& canvas, int x, int y, Rgb colour);
bool IsKey(const Canvas& canvas, int x, int y);

// Rectangles take inclusive corners in any order.
void FillRect(Canvas& canvas, int x0, int y0, int x1, int y1, Rgb colour);
void RectOutline(Canvas& canvas, int x0, int y0, int x1, int y1, Rgb colour);
void Line(Canvas& canvas, int x0, int y0, int x1, int y1, Rgb colour);
void ThickLine(Canvas& canvas, int x0, int y0, int x1, int y1, int thickness, Rgb colour);
// Centre and radii in half pixels (pixel x spans 2x .. 2x + 2) let round shapes sit between two
// pixel columns: an ellipse centred on 16 is symmetric about the line between pixels 7 and 8,
// one centred on 15 has pixel 7 in its middle.
void FillEllipse2(Canvas& canvas, int cx2, int cy2, int rx2, int ry2, Rgb colour);
// Darkens (percent < 100) or brightens what is already inside the ellipse: shadows, pools.
void ScaleEllipse2(Canvas& canvas, int cx2, int cy2, int rx2, int ry2, int percent);
void FillCircle(Canvas& canvas, int cx, int cy, int r, Rgb colour);
void Ring(Canvas& canvas, int cx, int cy, int r, Rgb colour);
void FillTriangle(Canvas& canvas, int x0, int y0, int x1, int y1, int x2, int y2, Rgb colour);

// Colour arithmetic, clamped to 0..255.
Rgb Shade(Rgb colour, int delta);
Rgb Mix(Rgb a, Rgb b, int amount256);  // amount256 of b, 0 .. 256
Rgb Scale(Rgb colour, int percent);

// xorshift32 with a seed of our own: the art never touches the program's rand.
struct Rng {
  uint32_t state;
  explicit Rng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
  uint32_t Next();
  int Below(int n);           // 0 .. n - 1
  int Range(int lo, int hi);  // lo .. hi inclusive
  bool Chance(int percent);
};

uint32_t HashName(const std::string& text);  // FNV-1a, a per-picture seed

// Every pixel of the rectangle gets a random brightness change in -amount .. amount.
void Speckle(Canvas& canvas, Rng& rng, int x0, int y0, int x1, int y1, int amount);
// Like Speckle, but only where the canvas is not KeyColour.
void SpeckleSprite(Canvas& canvas, Rng& rng, int amount);

// Templates: rows of characters, one per pixel; '.' and ' ' leave the canvas alone, any other
// character is looked up in the inks (a character without ink is a mistake and draws magenta
// bright enough to be seen on a contact sheet).
struct Ink {
  char symbol;
  Rgb colour;
};
using Inks = std::initializer_list<Ink>;
void Stamp(Canvas& canvas, int x, int y, std::initializer_list<const char*> rows, Inks inks);
// Rows give the left half; the right half is its mirror image, so symmetric figures stay
// symmetric by construction.
void StampMirrored(Canvas& canvas, int x, int y, std::initializer_list<const char*> rows,
                   Inks inks);

// Sprite finishing on a KeyColour background: light along edges facing up-left, shadow along
// edges facing down-right, then a one-pixel outline around the whole figure.
void RimShade(Canvas& canvas, int amount);
void Outline(Canvas& canvas, Rgb colour);

// Flip horizontally (figures are drawn facing one way and turned when needed).
void MirrorX(Canvas& canvas);

// The file: BITMAPFILEHEADER + BITMAPINFOHEADER (54 bytes), then width * height * 3 bytes of
// blue-green-red pixels, bottom row first. Widths are kept such that width * 3 is a multiple
// of 4, so there is no row padding and the loader, which reads from byte 54 without skipping
// padding, gets the exact image.
std::vector<uint8_t> EncodeBmp(const Canvas& canvas);

}  // namespace assets
