// The asset writer: every picture and sound file the program reads, drawn and synthesised in
// code, written deterministically into a working directory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assets/canvas.h"

namespace assets {

// One picture file. The painter receives a canvas of the given size filled with the background
// and a generator seeded from the file's folder and name, so every picture has its own stable
// noise whatever order the pictures are drawn in.
using Painter = void (*)(Canvas& canvas, Rng& rng);

struct Picture {
  const char* folder;  // "bmp_unit"
  const char* name;    // without ".bmp", spelt exactly as the program asks for it
  int width;
  int height;
  Rgb background;
  Painter paint;
};

// The families, each in its own source.
void AddCursorPictures(std::vector<Picture>& out);
void AddUnitPictures(std::vector<Picture>& out);
void AddLandPictures(std::vector<Picture>& out);
void AddDungeonPictures(std::vector<Picture>& out);
void AddStructurePictures(std::vector<Picture>& out);
void AddItemPictures(std::vector<Picture>& out);
void AddTitlePictures(std::vector<Picture>& out);
void AddCubePictures(std::vector<Picture>& out);

// Every picture file, each (folder, name) once, in a fixed order.
std::vector<Picture> AllPictures();
Canvas PaintPicture(const Picture& picture);

// Music: 44,100 samples per second, 16-bit signed mono.
constexpr int SampleRate = 44100;
std::vector<int16_t> ComposeDreamySpaceBeat();
std::vector<int16_t> ComposeTecnotica();
// The raw sound file: a 150-byte lead (a text tag, zero padded), then the samples little-endian.
std::vector<uint8_t> EncodeRawSound(const std::vector<int16_t>& samples, const char* tag);

// Writes everything below root (the folders are created; files already in "map" are left
// alone). Returns false, with a message on standard error, when a file cannot be written.
bool WriteAllAssets(const std::string& root);
// The two halves of it: the picture folders, and the sound folder.
bool WritePictures(const std::string& root);
bool WriteSounds(const std::string& root);

}  // namespace assets
