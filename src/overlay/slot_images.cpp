// Slot pictures blitted into the frame, pixel by pixel through PutPixel.
#include <cstddef>

#include "overlay/overlay.h"
#include "textures/textures.h"

namespace {

// The image is taken as square (height is not consulted); rows beyond the stored height are not
// read, so a picture shorter than it is wide draws only the rows it has.
void DrawSlot(int32_t x, int32_t y, uint32_t slot, bool keyed) {
  if (!TextureSlotTable || slot >= TextureSlotCount) return;
  const TextureSlot& image = TextureSlotTable[slot];
  if (!image.pixels) return;
  uint32_t rows = image.height < image.width ? image.height : image.width;
  for (uint32_t r = 0; r < rows; ++r) {
    for (uint32_t c = 0; c < image.width; ++c) {
      const uint8_t* pixel = image.pixels + 3 * (static_cast<size_t>(r) * image.width + c);
      if (keyed && ((pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 246) ||
                    (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0)))
        continue;
      PutPixel(x + static_cast<int32_t>(c), y + static_cast<int32_t>(r), pixel[0], pixel[1],
               pixel[2]);
    }
  }
}

}  // namespace

void DrawSlotImage(int32_t x, int32_t y, uint32_t slot) { DrawSlot(x, y, slot, false); }
void DrawSlotImageKeyed(int32_t x, int32_t y, uint32_t slot) { DrawSlot(x, y, slot, true); }
