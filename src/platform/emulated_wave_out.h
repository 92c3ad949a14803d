// What the two backends that emulate Win32 wave-out streams (headless and sdl) share: the one
// PCM format the program opens, the constants of the calls, the handle that names a stream slot
// and its generation, and how a position is answered.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace emulated_wave_out {

constexpr int StreamCapacity = 64;
constexpr uint32_t WaveErrBadFormat = 32;
constexpr uint32_t WaveErrStillPlaying = 33;
constexpr uint32_t TimeMs = 1;
constexpr uint32_t TimeSamples = 2;
constexpr uint32_t LoopFlags = WhdrBeginLoop | WhdrEndLoop;
constexpr uint32_t SamplesPerSec = 44100;
constexpr uint32_t BlockAlign = 2;
constexpr uint32_t BytesPerSec = SamplesPerSec * BlockAlign;

inline bool IsProgramFormat(const WaveFormat& format) {
  return format.wFormatTag == WaveFormatPcm && format.nChannels == 1 &&
         format.nSamplesPerSec == SamplesPerSec && format.wBitsPerSample == 16 &&
         format.nBlockAlign == BlockAlign && format.nAvgBytesPerSec == BytesPerSec;
}

// The low byte is the slot + 1, the rest the slot's generation, so the handle of a closed
// stream stays invalid after its slot is reused.
inline PlatformWaveOut StreamHandle(int index, uint32_t generation) {
  uintptr_t value = (static_cast<uintptr_t>(generation) << 8) | static_cast<uintptr_t>(index + 1);
  return reinterpret_cast<PlatformWaveOut>(value);
}

// The slot a handle names, or -1 for one that names none.
inline int StreamSlot(PlatformWaveOut handle) {
  uintptr_t index = (reinterpret_cast<uintptr_t>(handle) & 0xFF) - 1;
  return index < StreamCapacity ? static_cast<int>(index) : -1;
}

// DWORD fields, as Windows has them: they wrap after 4 GiB.
inline void AnswerPosition(WaveTime* time, uint64_t bytes) {
  if (time->wType == TimeSamples) {
    time->u.sample = static_cast<uint32_t>(bytes / BlockAlign);
  } else if (time->wType == TimeMs) {
    time->u.ms = static_cast<uint32_t>(bytes * 1000 / BytesPerSec);
  } else {
    time->wType = TimeBytes;  // a format the device does not keep is answered in bytes
    time->u.cb = static_cast<uint32_t>(bytes);
  }
}

}  // namespace emulated_wave_out
