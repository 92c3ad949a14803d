// Texture slots: numbered pictures, the BMP loader that fills them, and the fixed lists of picture
// files that start-up loads. Slot numbers are wired into their users.
#pragma once

#include <cstdint>

extern uint32_t TextureSlotCount;  // 3100; changed only by ResizeTextureSlots

struct TextureSlot {
  uint8_t* pixels;  // red, green, blue per pixel, rows in file order, no padding; null if empty
  uint32_t width;
  uint32_t height;
  uint32_t bytesPerPixel;  // 3 once a load passed the header checks
};

extern TextureSlot* TextureSlotTable;  // TextureSlotCount entries

// Fills the slot from an uncompressed 24-bit BMP; false when the file cannot be opened, its
// header is refused (width * height * 3 wrapping around 32 bits among the reasons), or its
// pixels are short or cannot be allocated (the slot then keeps the new sizes but no image).
bool LoadBmpIntoSlot(const char* path, uint32_t slot);
void LoadCursorTexture();
void LoadUnitTextures();
void LoadLandTextures();
void LoadDungeonTextures();
void LoadStructureTextures();
void LoadItemTextures();
void LoadIntroTexture();
void LoadCubeTextures();
// The eight lists above, in the order start-up loads them.
void LoadTextureLists();
// A zeroed table of TextureSlotCount entries (game data start-up).
void AllocateTextureSlots();
// Frees every slot's image, then the table (shut-down).
void ReleaseTextureSlots();
// Replaces the table by a zeroed one of count entries; the old table's images go with it.
void ResizeTextureSlots(uint32_t count);

// OpenGL texture names (cube_textures.cpp): 32 made when the GL state is set up, names 0 .. 6
// holding the cube slots 1200 .. 1206 where those have a square or taller image.
extern uint32_t GLTextureNames[32];
int UploadCubeTextures();
