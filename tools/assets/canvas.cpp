#include "tools/assets/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace assets {

namespace {

uint8_t Clamp255(int value) {
  return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

void PutLe32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutLe16(std::vector<uint8_t>& out, size_t at, uint16_t value) {
  out[at] = static_cast<uint8_t>(value);
  out[at + 1] = static_cast<uint8_t>(value >> 8);
}

Rgb InkFor(char symbol, Inks inks) {
  for (const Ink& ink : inks)
    if (ink.symbol == symbol) return ink.colour;
  return Rgb{255, 255, 0};
}

int Sign(int value) { return value > 0 ? 1 : (value < 0 ? -1 : 0); }

}  // namespace

Canvas MakeCanvas(int width, int height, Rgb fill) {
  Canvas canvas;
  canvas.width = width;
  canvas.height = height;
  canvas.pixels.assign(static_cast<size_t>(width) * height, fill);
  return canvas;
}

bool Inside(const Canvas& canvas, int x, int y) {
  return x >= 0 && y >= 0 && x < canvas.width && y < canvas.height;
}

Rgb PixelAt(const Canvas& canvas, int x, int y) {
  if (!Inside(canvas, x, y)) return KeyColour;
  return canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
}

void Plot(Canvas& canvas, int x, int y, Rgb colour) {
  if (Inside(canvas, x, y)) canvas.pixels[static_cast<size_t>(y) * canvas.width + x] = colour;
}

bool IsKey(const Canvas& canvas, int x, int y) { return PixelAt(canvas, x, y) == KeyColour; }

void FillRect(Canvas& canvas, int x0, int y0, int x1, int y1, Rgb colour) {
  if (x0 > x1) std::swap(x0, x1);
  if (y0 > y1) std::swap(y0, y1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) Plot(canvas, x, y, colour);
}

void RectOutline(Canvas& canvas, int x0, int y0, int x1, int y1, Rgb colour) {
  Line(canvas, x0, y0, x1, y0, colour);
  Line(canvas, x0, y1, x1, y1, colour);
  Line(canvas, x0, y0, x0, y1, colour);
  Line(canvas, x1, y0, x1, y1, colour);
}

void Line(Canvas& canvas, int x0, int y0, int x1, int y1, Rgb colour) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = Sign(x1 - x0), sy = Sign(y1 - y0);
  int error = dx + dy;
  for (;;) {
    Plot(canvas, x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

void ThickLine(Canvas& canvas, int x0, int y0, int x1, int y1, int thickness, Rgb colour) {
  // A square brush walked along the line: thick diagonals stay solid without gaps.
  int lo = -(thickness - 1) / 2, hi = thickness / 2;
  for (int oy = lo; oy <= hi; ++oy)
    for (int ox = lo; ox <= hi; ++ox) Line(canvas, x0 + ox, y0 + oy, x1 + ox, y1 + oy, colour);
}

void FillEllipse2(Canvas& canvas, int cx2, int cy2, int rx2, int ry2, Rgb colour) {
  if (rx2 <= 0 || ry2 <= 0) return;
  int64_t rx = rx2, ry = ry2;
  // A margin of about half a pixel rounds the silhouette the way pixel artists do (no lone
  // pixels sticking out at the four extremes).
  int64_t limit = rx * rx * ry * ry + (rx * ry * (rx < ry ? rx : ry)) / 2;
  for (int y = (cy2 - ry2) / 2 - 1; y <= (cy2 + ry2) / 2 + 1; ++y) {
    for (int x = (cx2 - rx2) / 2 - 1; x <= (cx2 + rx2) / 2 + 1; ++x) {
      int64_t dx = 2 * x + 1 - cx2, dy = 2 * y + 1 - cy2;
      if (dx * dx * ry * ry + dy * dy * rx * rx <= limit) Plot(canvas, x, y, colour);
    }
  }
}

void ScaleEllipse2(Canvas& canvas, int cx2, int cy2, int rx2, int ry2, int percent) {
  Canvas mask = MakeCanvas(canvas.width, canvas.height, KeyColour);
  FillEllipse2(mask, cx2, cy2, rx2, ry2, Rgb{0, 0, 0});
  for (size_t i = 0; i < canvas.pixels.size(); ++i)
    if (mask.pixels[i] != KeyColour) canvas.pixels[i] = Scale(canvas.pixels[i], percent);
}

void FillCircle(Canvas& canvas, int cx, int cy, int r, Rgb colour) {
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x)
      if (x * x + y * y <= r * r + r) Plot(canvas, cx + x, cy + y, colour);
}

void Ring(Canvas& canvas, int cx, int cy, int r, Rgb colour) {
  for (int y = -r; y <= r; ++y) {
    for (int x = -r; x <= r; ++x) {
      int d = x * x + y * y;
      if (d <= r * r + r && d > (r - 1) * (r - 1) + (r - 1)) Plot(canvas, cx + x, cy + y, colour);
    }
  }
}

void FillTriangle(Canvas& canvas, int x0, int y0, int x1, int y1, int x2, int y2, Rgb colour) {
  // Edge functions at pixel centres, all in doubled coordinates so that centres are integers.
  auto edge = [](int ax, int ay, int bx, int by, int px, int py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
  };
  int minX = std::min(x0, std::min(x1, x2)), maxX = std::max(x0, std::max(x1, x2));
  int minY = std::min(y0, std::min(y1, y2)), maxY = std::max(y0, std::max(y1, y2));
  int area = edge(2 * x0, 2 * y0, 2 * x1, 2 * y1, 2 * x2, 2 * y2);
  if (area == 0) {
    Line(canvas, x0, y0, x1, y1, colour);
    Line(canvas, x1, y1, x2, y2, colour);
    return;
  }
  for (int y = minY; y <= maxY; ++y) {
    for (int x = minX; x <= maxX; ++x) {
      // Pixel (x, y) is taken at its corner-centred point (2x, 2y): the vertices name pixels.
      int px = 2 * x, py = 2 * y;
      int e0 = edge(2 * x1, 2 * y1, 2 * x2, 2 * y2, px, py);
      int e1 = edge(2 * x2, 2 * y2, 2 * x0, 2 * y0, px, py);
      int e2 = edge(2 * x0, 2 * y0, 2 * x1, 2 * y1, px, py);
      bool inside = area > 0 ? (e0 >= 0 && e1 >= 0 && e2 >= 0) : (e0 <= 0 && e1 <= 0 && e2 <= 0);
      if (inside) Plot(canvas, x, y, colour);
    }
  }
}

Rgb Shade(Rgb colour, int delta) {
  return Rgb{Clamp255(colour.r + delta), Clamp255(colour.g + delta), Clamp255(colour.b + delta)};
}

Rgb Mix(Rgb a, Rgb b, int amount256) {
  auto channel = [amount256](int from, int to) {
    return Clamp255(from + ((to - from) * amount256) / 256);
  };
  return Rgb{channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

Rgb Scale(Rgb colour, int percent) {
  return Rgb{Clamp255(colour.r * percent / 100), Clamp255(colour.g * percent / 100),
             Clamp255(colour.b * percent / 100)};
}

uint32_t Rng::Next() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

int Rng::Below(int n) { return n <= 1 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }

int Rng::Range(int lo, int hi) { return lo + Below(hi - lo + 1); }

bool Rng::Chance(int percent) { return Below(100) < percent; }

uint32_t HashName(const std::string& text) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 16777619u;
  }
  return hash;
}

void Speckle(Canvas& canvas, Rng& rng, int x0, int y0, int x1, int y1, int amount) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (Inside(canvas, x, y))
        Plot(canvas, x, y, Shade(PixelAt(canvas, x, y), rng.Range(-amount, amount)));
}

void SpeckleSprite(Canvas& canvas, Rng& rng, int amount) {
  for (int y = 0; y < canvas.height; ++y)
    for (int x = 0; x < canvas.width; ++x) {
      int delta = rng.Range(-amount, amount);  // drawn for every pixel: the pattern is stable
      if (!IsKey(canvas, x, y)) Plot(canvas, x, y, Shade(PixelAt(canvas, x, y), delta));
    }
}

void Stamp(Canvas& canvas, int x, int y, std::initializer_list<const char*> rows, Inks inks) {
  int row = 0;
  for (const char* text : rows) {
    for (int column = 0; text[column]; ++column) {
      char symbol = text[column];
      if (symbol != '.' && symbol != ' ') Plot(canvas, x + column, y + row, InkFor(symbol, inks));
    }
    ++row;
  }
}

void StampMirrored(Canvas& canvas, int x, int y, std::initializer_list<const char*> rows,
                   Inks inks) {
  int row = 0;
  for (const char* text : rows) {
    int length = static_cast<int>(std::strlen(text));
    for (int column = 0; column < length; ++column) {
      char symbol = text[column];
      if (symbol == '.' || symbol == ' ') continue;
      Rgb colour = InkFor(symbol, inks);
      Plot(canvas, x + column, y + row, colour);
      Plot(canvas, x + 2 * length - 1 - column, y + row, colour);
    }
    ++row;
  }
}

void RimShade(Canvas& canvas, int amount) {
  Canvas source = canvas;
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      if (IsKey(source, x, y)) continue;
      bool lit = IsKey(source, x - 1, y) || IsKey(source, x, y - 1);
      bool shadowed = IsKey(source, x + 1, y) || IsKey(source, x, y + 1);
      if (lit && !shadowed) Plot(canvas, x, y, Shade(PixelAt(source, x, y), amount));
      if (shadowed && !lit) Plot(canvas, x, y, Shade(PixelAt(source, x, y), -amount));
    }
  }
}

void Outline(Canvas& canvas, Rgb colour) {
  Canvas source = canvas;
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      if (!IsKey(source, x, y)) continue;
      if (!IsKey(source, x - 1, y) || !IsKey(source, x + 1, y) || !IsKey(source, x, y - 1) ||
          !IsKey(source, x, y + 1))
        Plot(canvas, x, y, colour);
    }
  }
}

void MirrorX(Canvas& canvas) {
  for (int y = 0; y < canvas.height; ++y)
    for (int x = 0; x < canvas.width / 2; ++x)
      std::swap(canvas.pixels[static_cast<size_t>(y) * canvas.width + x],
                canvas.pixels[static_cast<size_t>(y) * canvas.width + canvas.width - 1 - x]);
}

std::vector<uint8_t> EncodeBmp(const Canvas& canvas) {
  const uint32_t pixelBytes = static_cast<uint32_t>(canvas.width) * canvas.height * 3;
  std::vector<uint8_t> out(54 + static_cast<size_t>(pixelBytes), 0);
  out[0] = 'B';
  out[1] = 'M';
  PutLe32(out, 2, 54 + pixelBytes);
  PutLe32(out, 10, 54);  // pixels right behind the headers
  PutLe32(out, 14, 40);  // BITMAPINFOHEADER
  PutLe32(out, 18, static_cast<uint32_t>(canvas.width));
  PutLe32(out, 22, static_cast<uint32_t>(canvas.height));  // positive: bottom-up
  PutLe16(out, 26, 1);
  PutLe16(out, 28, 24);
  PutLe32(out, 30, 0);  // BI_RGB, uncompressed
  PutLe32(out, 34, pixelBytes);
  PutLe32(out, 38, 2835);  // 72 dots per inch
  PutLe32(out, 42, 2835);
  size_t at = 54;
  for (int y = canvas.height - 1; y >= 0; --y) {
    for (int x = 0; x < canvas.width; ++x) {
      Rgb pixel = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
      out[at++] = pixel.b;
      out[at++] = pixel.g;
      out[at++] = pixel.r;
    }
  }
  return out;
}

}  // namespace assets
