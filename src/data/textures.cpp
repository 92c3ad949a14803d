// Texture slots, the BMP loader and the fixed picture lists.
#include "data/data.h"

TextureSlot* TextureSlotTable = nullptr;

bool LoadBmpIntoSlot(const char*, uint32_t) { return false; }
void LoadCursorTexture() {}
void LoadUnitTextures() {}
void LoadLandTextures() {}
void LoadDungeonTextures() {}
void LoadStructureTextures() {}
void LoadItemTextures() {}
void LoadIntroTexture() {}
void LoadCubeTextures() {}
void DrawSlotImage(int32_t, int32_t, uint32_t) {}
void DrawSlotImageKeyed(int32_t, int32_t, uint32_t) {}
void ResizeTextureSlots(uint32_t) {}
