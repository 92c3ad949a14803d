// Shared by the audio tests: a fresh audio system on a fresh headless backend.
#pragma once

#include "audio/audio.h"
#include "platform/headless/headless.h"

// CloseAudio leaves the audio system as before OpenAudio (no streams, no buffers, audio off);
// the headless reset puts the clock, message boxes and streams back to a new process's state.
inline void ResetAudioSystem() {
  CloseAudio();
  HeadlessReset();
  AudioFormat = WaveFormat{};
}

// Bytes the headless device has played after ms milliseconds: whole samples at 44,100 a second,
// two bytes each.
inline uint32_t BytesAfterMs(uint32_t ms) { return ms * 44100 / 1000 * 2; }
