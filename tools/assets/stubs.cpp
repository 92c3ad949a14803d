#include "tools/assets/assets.h"
namespace assets {
void AddCursorPictures(std::vector<Picture>&) {}


void AddStructurePictures(std::vector<Picture>&) {}
void AddItemPictures(std::vector<Picture>&) {}
void AddTitlePictures(std::vector<Picture>&) {}
void AddCubePictures(std::vector<Picture>&) {}
std::vector<int16_t> ComposeDreamySpaceBeat() { return {}; }
std::vector<int16_t> ComposeTecnotica() { return {}; }
}
