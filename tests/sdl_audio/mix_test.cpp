// The sdl backend's mixer, called without SDL.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/sdl/sdl_waveout.h"

namespace {

std::vector<uint8_t> Samples(std::initializer_list<int16_t> values) {
  std::vector<uint8_t> bytes;
  for (int16_t value : values) {
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
  }
  return bytes;
}

EmulatedStream Stream(const std::vector<uint8_t>& bytes, uint32_t passes = 1) {
  return EmulatedStream{bytes.data(), static_cast<uint32_t>(bytes.size()), passes, 0, 0};
}

// Streams add up, clamped to 16 bits, low byte first; a stream over gives silence and lets go
// of its data, keeping its position.
TEST(Mixer, SumsStreamsAndClampsToSixteenBits) {
  std::vector<uint8_t> a = Samples({1000, 30000, -30000, -1, 0x1234});
  std::vector<uint8_t> b = Samples({-300, 5000, -5000, -2, 0});
  EmulatedStream streams[3] = {Stream(a), Stream(b), EmulatedStream{}};
  std::vector<uint8_t> output(12, 0xEE);
  MixEmulatedStreams(streams, 3, output.data(), static_cast<int>(output.size()));
  EXPECT_EQ(output, Samples({700, 32767, -32768, -3, 0x1234, 0}));
  EXPECT_EQ(streams[0].position, 10u);
  EXPECT_EQ(streams[0].data, nullptr);
  EXPECT_EQ(streams[2].position, 0u);
}

// Every pass plays, across calls; a loop cut short (what break loop does) ends with
// the current pass.
TEST(Mixer, PlaysEveryPassThenFallsSilent) {
  std::vector<uint8_t> pattern = Samples({1, 2, 3});
  EmulatedStream stream = Stream(pattern, 3);
  std::vector<uint8_t> output(2 * 12);
  MixEmulatedStreams(&stream, 1, output.data(), 2 * 7);
  MixEmulatedStreams(&stream, 1, output.data() + 2 * 7, 2 * 5);
  EXPECT_EQ(output, Samples({1, 2, 3, 1, 2, 3, 1, 2, 3, 0, 0, 0}));
  EXPECT_EQ(stream.position, 18u);

  std::vector<uint8_t> pair = Samples({7, 8});
  stream = Stream(pair, 999);
  MixEmulatedStreams(&stream, 1, output.data(), 2 * 3);  // one pass and a half
  stream.passesLeft = 1;
  MixEmulatedStreams(&stream, 1, output.data() + 6, 2 * 5);
  EXPECT_EQ(std::vector<uint8_t>(output.begin(), output.begin() + 16),
            Samples({7, 8, 7, 8, 0, 0, 0, 0}));
}

}  // namespace
