// Fuzz target: LoadRawSound on any file (the input). Checked: the slot's length is what lies
// behind the 150-byte lead (at most its capacity), those bytes start the slot, file bytes
// 49..149 stay where the samples did not cover them, and no byte after that was written.
#include <cstring>
#include <string>

#include "audio/audio.h"
#include "fuzz/fuzz_support.h"
#include "platform/headless/headless.h"

namespace {

const fuzz::ScratchFolder Scratch("fuzz-raw");
const std::string InputPath = Scratch / "sound.raw";
constexpr int Slot = 1;
constexpr uint8_t Untouched = 0xA5;
constexpr size_t LeadBytes = 150;
constexpr size_t LeadScratchBytes = 49;  // the part of the lead that never reaches the slot
constexpr size_t CheckedTail = 64;  // bytes after the last one written that must stay untouched

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  HeadlessWaveOutOpenLimit = 0;  // the slot buffers are all a load needs
  OpenAudio();
  HeadlessMessageBoxes.clear();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WriteInput(InputPath.c_str(), data, size);
  SoundSlot& slot = SoundSlots[Slot];
  size_t watched = size + CheckedTail < SoundSlotCapacity ? size + CheckedTail : SoundSlotCapacity;
  std::memset(slot.samples, Untouched, watched);
  slot.length = 12345;

  Scratch.Enter();
  LoadRawSound(".\\sound.raw", Slot);
  Scratch.Leave();

  size_t samples = size > LeadBytes ? size - LeadBytes : 0;
  if (samples > SoundSlotCapacity) samples = SoundSlotCapacity;
  FUZZ_CHECK(slot.length == samples);
  for (size_t k = 0; k < watched; ++k) {
    uint8_t expected = Untouched;
    if (k < samples)
      expected = data[LeadBytes + k];
    else if (k < LeadBytes - LeadScratchBytes && LeadScratchBytes + k < size)
      expected = data[LeadScratchBytes + k];
    FUZZ_CHECK(slot.samples[k] == expected);
  }
  return 0;
}
