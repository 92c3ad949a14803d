// The cube slots as OpenGL textures, for the game layer's first-person view.
#include <GL/gl.h>

#include "textures/textures.h"

uint32_t GLTextureNames[32];

int UploadCubeTextures() {
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glGenTextures(32, GLTextureNames);
  for (int k = 0; k <= 6; ++k) {
    glBindTexture(GL_TEXTURE_2D, GLTextureNames[k]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // A window opened before the game data exists (a test, a tool) has no slots to upload.
    uint32_t slotNumber = 1200 + k;
    if (!TextureSlotTable || slotNumber >= TextureSlotCount) continue;
    const TextureSlot& slot = TextureSlotTable[slotNumber];
    // The upload takes the width as both sizes. A slot without an image, or one shorter than
    // it is wide, would make OpenGL read past its pixels: such a slot gets no image.
    if (slot.pixels && slot.width > 0 && slot.height >= slot.width) {
      glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
      glTexImage2D(GL_TEXTURE_2D, 0, 3, static_cast<GLsizei>(slot.width),
                   static_cast<GLsizei>(slot.width), 0, GL_RGB, GL_UNSIGNED_BYTE, slot.pixels);
      glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
  }
  return 1;
}
