// Fuzz target: LoadBmpIntoSlot on any file (the input). Checked: a header that is short, not
// "BM", not 24 bits deep or whose width * height * 3 wraps 32 bits is refused, allocating
// nothing, and the slot keeps its image; short pixels leave the new sizes and no image; anything
// else loads the bytes behind the header, blue and red exchanged (no pixels at all included).
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "textures/textures.h"

namespace {

const fuzz::ScratchFolder Scratch("fuzz-bmp");
const std::string InputPath = Scratch / "picture.bmp";
constexpr uint32_t Slot = 597;
const uint8_t EarlierImage[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

uint32_t LittleEndian32(const uint8_t* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// The slot as an earlier load left it: a 2 x 2 picture.
void PutEarlierImage(TextureSlot& slot) {
  std::free(slot.pixels);
  slot.pixels = static_cast<uint8_t*>(std::malloc(sizeof EarlierImage));
  std::memcpy(slot.pixels, EarlierImage, sizeof EarlierImage);
  slot.width = 2;
  slot.height = 2;
  slot.bytesPerPixel = 3;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ResizeTextureSlots(3100);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bool headerPasses = size >= 54 && data[0] == 0x42 && data[1] == 0x4D && data[28] == 24;
  uint64_t width = headerPasses ? LittleEndian32(data + 18) : 0;
  uint64_t height = headerPasses ? LittleEndian32(data + 22) : 0;
  bool wraps = width * height > UINT32_MAX / 3;
  uint64_t imageBytes = wraps ? 0 : width * height * 3;
  // Above 64 MiB a few KiB of input could only take the short-pixels path of smaller sizes, at
  // the price of a large allocation per run; the unit tests load such pictures.
  if (imageBytes > (64u << 20)) return 0;

  fuzz::WriteInput(InputPath.c_str(), data, size);
  TextureSlot& slot = TextureSlotTable[Slot];
  PutEarlierImage(slot);
  const uint8_t* earlierPixels = slot.pixels;

  Scratch.Enter();
  bool loaded = LoadBmpIntoSlot(".\\picture.bmp", Slot);
  Scratch.Leave();

  if (!headerPasses || wraps) {
    FUZZ_CHECK(!loaded);
    FUZZ_CHECK(slot.pixels == earlierPixels);
    FUZZ_CHECK(slot.width == 2 && slot.height == 2 && slot.bytesPerPixel == 3);
    FUZZ_CHECK(std::memcmp(slot.pixels, EarlierImage, sizeof EarlierImage) == 0);
    return 0;
  }
  FUZZ_CHECK(slot.width == width && slot.height == height && slot.bytesPerPixel == 3);
  if (size - 54 < imageBytes) {
    FUZZ_CHECK(!loaded);
    FUZZ_CHECK(slot.pixels == nullptr);
    return 0;
  }
  FUZZ_CHECK(loaded);
  FUZZ_CHECK(slot.pixels != nullptr);
  const uint8_t* file = data + 54;
  for (uint64_t i = 0; i < imageBytes; i += 3) {
    FUZZ_CHECK(slot.pixels[i] == file[i + 2]);
    FUZZ_CHECK(slot.pixels[i + 1] == file[i + 1]);
    FUZZ_CHECK(slot.pixels[i + 2] == file[i]);
  }
  return 0;
}
