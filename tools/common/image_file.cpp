#include "tools/common/image_file.h"

#include <cstdio>
#include <vector>

#include "frame/frame.h"

#ifdef VAULTRUN_HAVE_PNG
#include <png.h>
#endif

namespace {

bool EndsWith(const std::string& text, const char* suffix) {
  std::string tail(suffix);
  if (text.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i) {
    char c = text[text.size() - tail.size() + i];
    if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    if (c != tail[i]) return false;
  }
  return true;
}

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

bool WriteBmp(const std::string& path) {
  int width = RenderWidth, height = RenderHeight;
  uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
  std::vector<uint8_t> out;
  out.reserve(54 + imageBytes);
  out.push_back('B');
  out.push_back('M');
  PutLe(out, 54 + imageBytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);
  PutLe(out, 40, 4);
  PutLe(out, width, 4);
  PutLe(out, height, 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  PutLe(out, 0, 4);
  PutLe(out, imageBytes, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  // A bottom-up BMP stores the bottom row first, and frame row 0 is the bottom row.
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = FrameBuffer + 4 * static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      out.push_back(row[4 * x + 2]);
      out.push_back(row[4 * x + 1]);
      out.push_back(row[4 * x]);
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

#ifdef VAULTRUN_HAVE_PNG
bool WritePng(const std::string& path) {
  int width = RenderWidth, height = RenderHeight;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  // A PNG stores the top row first: frame rows go out from the top down.
  for (int y = height - 1; y >= 0; --y) {
    const uint8_t* source = FrameBuffer + 4 * static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      row[3 * x] = source[4 * x];
      row[3 * x + 1] = source[4 * x + 1];
      row[3 * x + 2] = source[4 * x + 2];
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}
#endif

}  // namespace

bool WriteFrameImage(const std::string& path) {
  bool ok;
  if (EndsWith(path, ".png")) {
#ifdef VAULTRUN_HAVE_PNG
    ok = WritePng(path);
#else
    std::fprintf(stderr, "this build has no PNG support; write a .bmp instead\n");
    return false;
#endif
  } else {
    ok = WriteBmp(path);
  }
  if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return ok;
}

uint64_t FrameHash() {
  uint64_t hash = 0xcbf29ce484222325ull;
  size_t bytes = static_cast<size_t>(RenderWidth) * RenderHeight * 4;
  for (size_t i = 0; i < bytes; ++i) {
    hash ^= FrameBuffer[i];
    hash *= 0x100000001b3ull;
  }
  return hash;
}

int LitPixelCount() {
  int lit = 0;
  int pixels = RenderWidth * RenderHeight;
  for (int i = 0; i < pixels; ++i)
    if (FrameBuffer[4 * i] | FrameBuffer[4 * i + 1] | FrameBuffer[4 * i + 2]) ++lit;
  return lit;
}
