#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

using namespace bmp_test;

namespace {

class BmpLoader : public ::testing::Test {
 protected:
  void SetUp() override { FreshTextureSlots(); }
  void TearDown() override { DropTextureSlots(); }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = folder / name;
    WriteFileBytes(path, bytes);
    return path;
  }

  // Loads a 2 x 2 picture into the slot so that a refused load has something to leave alone.
  void Preload(uint32_t slot) {
    ASSERT_TRUE(
        LoadBmpIntoSlot(Write("before.bmp", Bmp24(2, 2, PatternBytes(12, 7))).c_str(), slot));
    before = TextureSlotTable[slot];
    beforePixels.assign(before.pixels, before.pixels + 12);
  }

  void ExpectAsBefore(uint32_t slot) {
    const TextureSlot& now = TextureSlotTable[slot];
    EXPECT_EQ(now.pixels, before.pixels);
    EXPECT_EQ(now.width, 2u);
    EXPECT_EQ(now.height, 2u);
    EXPECT_EQ(now.bytesPerPixel, 3u);
    ASSERT_NE(now.pixels, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(now.pixels, now.pixels + 12), beforePixels);
  }

  ScratchFolder folder;
  TextureSlot before{};
  std::vector<uint8_t> beforePixels;
};

// The file stores blue, green, red; the slot holds red, green, blue, rows in file order.
std::vector<uint8_t> SwappedPixels(const std::vector<uint8_t>& fileBytes) {
  std::vector<uint8_t> slotBytes = fileBytes;
  for (size_t i = 0; i + 2 < slotBytes.size(); i += 3) std::swap(slotBytes[i], slotBytes[i + 2]);
  return slotBytes;
}

// All 12288 bytes, the last pixel included, blue and red swapped.
TEST_F(BmpLoader, LoadsA64By64PictureAsRedGreenBlue) {
  std::vector<uint8_t> pixels = PatternBytes(64 * 64 * 3, 3);
  ASSERT_TRUE(LoadBmpIntoSlot(Write("brick.bmp", Bmp24(64, 64, pixels)).c_str(), 597));
  const TextureSlot& slot = TextureSlotTable[597];
  EXPECT_EQ(slot.width, 64u);
  EXPECT_EQ(slot.height, 64u);
  EXPECT_EQ(slot.bytesPerPixel, 3u);
  ASSERT_NE(slot.pixels, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(slot.pixels, slot.pixels + 12288), SwappedPixels(pixels));
}

// Only bytes 0, 1 and the low byte of the bit count (28) decide: 0x0118 has 24 in byte 28.
TEST_F(BmpLoader, RefusesOtherDepthsSignaturesAndShortHeadersLeavingTheSlotAsItWas) {
  Preload(40);
  std::vector<std::vector<uint8_t>> refused = {BmpHeader(2, 2, 8), BmpHeader(2, 2, 32),
                                               BmpHeader(2, 2, 24)};
  refused[0].resize(54 + 1024 + 16, 9);
  refused[1].resize(54 + 16, 9);
  refused[2].resize(53);  // a header cut short
  for (const char* signature : {"BA", "MB", "bm"}) {
    refused.push_back(Bmp24(2, 2, PatternBytes(12)));
    refused.back()[0] = static_cast<uint8_t>(signature[0]);
    refused.back()[1] = static_cast<uint8_t>(signature[1]);
  }
  for (const std::vector<uint8_t>& file : refused) {
    EXPECT_FALSE(LoadBmpIntoSlot(Write("refused.bmp", file).c_str(), 40));
    ExpectAsBefore(40);
  }
  std::vector<uint8_t> oddCount = Bmp24(2, 1, PatternBytes(6));
  oddCount[29] = 1;
  EXPECT_TRUE(LoadBmpIntoSlot(Write("odd_count.bmp", oddCount).c_str(), 5));
}

// 30 pixels wide: a paint program pads each 90-byte row to 92. The loader takes the first 180
// bytes behind the header as they come.
TEST_F(BmpLoader, ReadsRowsWithoutSkippingPadding) {
  std::vector<uint8_t> stored = PatternBytes(2 * 92, 11);
  ASSERT_TRUE(LoadBmpIntoSlot(Write("wide30.bmp", Bmp24(30, 2, stored)).c_str(), 12));
  std::vector<uint8_t> first180(stored.begin(), stored.begin() + 180);
  EXPECT_EQ(std::vector<uint8_t>(TextureSlotTable[12].pixels, TextureSlotTable[12].pixels + 180),
            SwappedPixels(first180));
}

TEST_F(BmpLoader, ShortPixelDataLeavesTheNewSizesAndNoImage) {
  Preload(597);
  std::vector<uint8_t> file = Bmp24(4, 4, PatternBytes(47));  // 48 bytes needed
  EXPECT_FALSE(LoadBmpIntoSlot(Write("truncated.bmp", file).c_str(), 597));
  const TextureSlot& slot = TextureSlotTable[597];
  EXPECT_EQ(slot.pixels, nullptr);
  EXPECT_EQ(slot.width, 4u);
  EXPECT_EQ(slot.height, 4u);
  EXPECT_EQ(slot.bytesPerPixel, 3u);

  // 96 MiB of pixels fit 32 bits: the header passes and only the missing pixels fail it.
  EXPECT_FALSE(LoadBmpIntoSlot(Write("large.bmp", Bmp24(4096, 8192, {})).c_str(), 597));
  EXPECT_EQ(slot.width, 4096u);
  EXPECT_EQ(slot.height, 8192u);
  EXPECT_EQ(slot.pixels, nullptr);
}

// 4096 x 5462 pixels, 67,117,056 bytes: 8 KiB above 64 MiB. The file is sparse (zeros but for a
// marked first and last pixel), so writing it costs next to nothing.
TEST_F(BmpLoader, LoadsAPictureAbove64MiB) {
  constexpr uint32_t Width = 4096, Height = 5462;
  constexpr uint64_t Bytes = uint64_t{Width} * Height * 3;
  std::string path = Write("big.bmp", Bmp24(Width, Height, {1, 2, 3}));
  std::filesystem::resize_file(path, 54 + Bytes);
  {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(54 + Bytes - 3));
    file.write("\x04\x05\x06", 3);
  }
  ASSERT_TRUE(LoadBmpIntoSlot(path.c_str(), 597));
  const TextureSlot& slot = TextureSlotTable[597];
  EXPECT_EQ(slot.width, Width);
  EXPECT_EQ(slot.height, Height);
  ASSERT_NE(slot.pixels, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(slot.pixels, slot.pixels + 6),
            std::vector<uint8_t>({3, 2, 1, 0, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(slot.pixels + Bytes - 6, slot.pixels + Bytes),
            std::vector<uint8_t>({0, 0, 0, 6, 5, 4}));
  std::filesystem::remove(path);
}

TEST_F(BmpLoader, MissingFileIsCreatedEmptyAndRefused) {
  Preload(7);
  std::string path = folder / "missing.bmp";
  EXPECT_FALSE(LoadBmpIntoSlot(path.c_str(), 7));
  ExpectAsBefore(7);
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);

  std::string noFolder = folder / "no_such_folder/missing.bmp";
  EXPECT_FALSE(LoadBmpIntoSlot(noFolder.c_str(), 7));
  ExpectAsBefore(7);
  EXPECT_FALSE(std::filesystem::exists(folder / "no_such_folder"));
}

// The slot keeps its image, the very block it had: the loader stopped before it released or
// allocated anything. Each of these sizes, taken modulo 2^32, names a block the file could fill.
TEST_F(BmpLoader, RefusesSizesThatWrapThirtyTwoBitsBeforeTouchingTheSlot) {
  Preload(30);
  struct Header {
    uint32_t width, height;
    const char* what;
  };
  const Header headers[] = {
      {16, 0xFFFFFFF0u, "top-down: height -16 read as unsigned"},
      {65536, 65536, "65536 * 65536 * 3 wraps to 0 in 32 bits"},
      {0x55555556u, 1, "width * 3 wraps to 2 in 32 bits"},
      {3384208571u, 3633886365u, "width * height * 3 wraps to 13 even in 64 bits"},
  };
  for (const Header& header : headers) {
    std::vector<uint8_t> file = Bmp24(header.width, header.height, PatternBytes(64));
    EXPECT_FALSE(LoadBmpIntoSlot(Write("huge.bmp", file).c_str(), 30)) << header.what;
    ExpectAsBefore(30);
  }
}

// A slot outside the table is refused before the file is opened (or created); a resize
// discards the table with its images.
TEST_F(BmpLoader, SlotOutsideTheTableIsRefusedWithoutOpening) {
  std::string missing = folder / "never.bmp";
  EXPECT_FALSE(LoadBmpIntoSlot(missing.c_str(), 3100));
  EXPECT_FALSE(std::filesystem::exists(missing));
  std::string path = Write("a.bmp", Bmp24(2, 1, PatternBytes(6)));
  ASSERT_TRUE(LoadBmpIntoSlot(path.c_str(), 2000));
  ResizeTextureSlots(10);
  EXPECT_EQ(TextureSlotTable[9].pixels, nullptr);
  EXPECT_FALSE(LoadBmpIntoSlot(path.c_str(), 10));
  EXPECT_TRUE(LoadBmpIntoSlot(path.c_str(), 9));
}

}  // namespace
