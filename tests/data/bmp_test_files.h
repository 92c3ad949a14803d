// Small BMP files, scratch folders and a scratch texture table for the tests of the loader, the
// picture lists and the game data.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "data/data.h"

namespace bmp_test {

inline void PutLittleEndian(std::vector<uint8_t>& out, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The 54-byte header of a Windows BMP, filled in as a paint program would.
inline std::vector<uint8_t> BmpHeader(uint32_t width, uint32_t height, uint16_t bitCount,
                                      uint32_t pixelOffset = 54) {
  std::vector<uint8_t> header(54, 0);
  header[0] = 'B';
  header[1] = 'M';
  uint32_t imageBytes = width * height * (bitCount / 8);
  PutLittleEndian(header, 2, pixelOffset + imageBytes, 4);
  PutLittleEndian(header, 10, pixelOffset, 4);
  PutLittleEndian(header, 14, 40, 4);
  PutLittleEndian(header, 18, width, 4);
  PutLittleEndian(header, 22, height, 4);
  PutLittleEndian(header, 26, 1, 2);
  PutLittleEndian(header, 28, bitCount, 2);
  PutLittleEndian(header, 34, imageBytes, 4);
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

inline void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("vaultrun-data-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Makes folder the working directory for the lifetime of the object, then goes back.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::filesystem::path& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~WorkingDirectory() { std::filesystem::current_path(previous_); }
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

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

}  // namespace bmp_test
