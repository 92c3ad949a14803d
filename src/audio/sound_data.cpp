// Sound data: raw sound files and the synthetic test tone.
#include <cmath>

#include "audio/audio.h"
#include "base/base.h"

namespace {

constexpr uint32_t RawLeadScratchBytes = 49;
constexpr uint32_t RawLeadSlotBytes = 101;  // read into the slot, then overwritten
constexpr int32_t TestToneSteps = 200000;
constexpr uint32_t TestToneLength = 200000;

}  // namespace

void LoadRawSound(const char* fileName, int slot) {
  if (slot < 0 || slot >= SoundSlotEntries) return;
  // Opened for writing too, with "open always": a missing file is created empty and then
  // loads as an empty sound.
  PlatformFile file = PlatformCreateFile(fileName, FileGenericRead | FileGenericWrite,
                                         FileShareRead, FileOpenAlways, FileAttributeNormal);
  if (file == PlatformInvalidFile) return;
  SoundSlot& target = SoundSlots[slot];
  uint8_t scratch[RawLeadScratchBytes];
  uint32_t delivered = 0;
  PlatformReadFile(file, scratch, RawLeadScratchBytes, &delivered);
  if (target.samples) {
    // The last 101 bytes of the lead land in the slot and the samples then overwrite them.
    PlatformReadFile(file, target.samples, RawLeadSlotBytes, &delivered);
    PlatformReadFile(file, target.samples, SoundSlotCapacity, &delivered);
    target.length = delivered;
  } else {
    // A slot without a buffer (16..63) receives nothing, as a read into no buffer delivers
    // nothing: its length stays consistent with the bytes it holds.
    target.length = 0;
  }
  PlatformCloseHandle(file);
}

void GenerateTestTone() {
  uint8_t* tone = SoundSlots[0].samples;
  if (!tone) return;
  tone[0] = 0;  // tone[1] is never written
  for (int32_t i = 1; i < TestToneSteps; ++i) {
    float a = static_cast<float>(i) / 2000.0f;
    float b =
        static_cast<float>(std::sin(static_cast<double>(static_cast<float>(i) / 100.0f)) * 2000.0);
    double s = std::sin(static_cast<double>((a + b) / 30.0f)) * 3000.0;
    // For i < 100 the divisor is 0: the quotient is infinite (or not a number) and converts to
    // the integer-indefinite 0x80000000, whose low 16 bits are 0.
    double q = static_cast<double>(i / 100);
    int32_t t = DoubleToInt32(s / q);
    int16_t v = static_cast<int16_t>(i % 10 + static_cast<int16_t>(t));
    if (v == 0) v = 1;
    // High part first, although the device reads each sample low byte first.
    tone[2 * i] = static_cast<uint8_t>(v / 256);
    tone[2 * i + 1] = static_cast<uint8_t>(v % 256);
  }
  SoundSlots[0].length = TestToneLength;
}
