// SDL wave-out: the mixer of the emulated streams, kept apart from SDL so it can be tested alone.
#pragma once

#include <cstdint>

// What the audio thread plays of one wave-out stream. The backend shares these records with its
// audio thread under the device lock.
struct EmulatedStream {
  const uint8_t* data;  // the playing header's buffer; null when the stream is silent
  uint32_t passBytes;   // whole samples of one pass
  uint32_t passesLeft;  // passes still to play, the current one included
  uint32_t offset;      // next byte of the current pass
  uint64_t position;    // bytes the device has taken since the last reset
};

// Mixes count streams into byteCount bytes of signed 16-bit little-endian mono output: the
// samples are summed in 32 bits and clamped to 16. Each stream advances by what it gave; a
// stream that plays its last pass to the end becomes silent (data null), its position kept.
void MixEmulatedStreams(EmulatedStream* streams, int count, uint8_t* output, int byteCount);
