// Small BMP files, scratch folders and a scratch texture table for the tests of the loader, the
// picture lists and the game data.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame/frame.h"
#include "tests/support/scratch_folder.h"
#include "textures/textures.h"

namespace bmp_test {

// The 54-byte header of a Windows BMP, filled in as a paint program would.
inline std::vector<uint8_t> BmpHeader(uint32_t width, uint32_t height, uint16_t bitCount,
                                      uint32_t pixelOffset = 54) {
  std::vector<uint8_t> header(54, 0);
  uint32_t imageBytes = width * height * (bitCount / 8);
  auto put = [&](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) header[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  put(0, 'B' | 'M' << 8, 2);
  put(2, pixelOffset + imageBytes, 4);
  put(10, pixelOffset, 4);
  put(14, 40, 4);
  put(18, width, 4);
  put(22, height, 4);
  put(26, 1, 2);
  put(28, bitCount, 2);
  put(34, imageBytes, 4);
  return header;
}

// A 24-bit file: the header, then the given pixel bytes exactly as they should lie in the file.
inline std::vector<uint8_t> Bmp24(uint32_t width, uint32_t height,
                                  const std::vector<uint8_t>& pixelBytes) {
  std::vector<uint8_t> file = BmpHeader(width, height, 24);
  file.insert(file.end(), pixelBytes.begin(), pixelBytes.end());
  return file;
}

// Bytes 0, 1, 2, ... wrapping at 251 (a prime, so no row or pixel lines up with the pattern).
inline std::vector<uint8_t> PatternBytes(size_t count, uint8_t seed = 0) {
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>((i + seed) % 251);
  return bytes;
}

// A zeroed table of the program's size, and its release with every image in it.
inline void FreshTextureSlots() { ResizeTextureSlots(3100); }
inline void DropTextureSlots() {
  if (TextureSlotTable) {
    for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
      std::free(TextureSlotTable[slot].pixels);
    std::free(TextureSlotTable);
  }
  TextureSlotTable = nullptr;
  TextureSlotCount = 3100;
}

// A fresh slot table and a cleared frame of the program's size, both released afterwards.
class PictureDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreshTextureSlots();
    SetRenderSize(320, 240);
    std::memset(FrameBuffer, 0, 320 * 240 * 4);
  }
  void TearDown() override {
    DropTextureSlots();
    std::free(FrameBuffer);
    std::free(ReadbackBuffer);
    FrameBuffer = ReadbackBuffer = nullptr;
  }
};

}  // namespace bmp_test
