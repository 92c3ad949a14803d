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

int16_t SampleAt(const std::vector<uint8_t>& output, int index) {
  return static_cast<int16_t>(output[2 * index] | (output[2 * index + 1] << 8));
}

EmulatedStream Stream(const std::vector<uint8_t>& bytes, uint32_t passes = 1) {
  return EmulatedStream{bytes.data(), static_cast<uint32_t>(bytes.size()), passes, 0, 0};
}

TEST(Mixer, SumsStreamsAndClampsToSixteenBits) {
  std::vector<uint8_t> a = Samples({1000, 30000, -30000, -1, 0x1234});
  std::vector<uint8_t> b = Samples({-300, 5000, -5000, -2, 0});
  EmulatedStream streams[3] = {Stream(a), Stream(b), EmulatedStream{}};
  std::vector<uint8_t> output(12, 0xEE);
  MixEmulatedStreams(streams, 3, output.data(), static_cast<int>(output.size()));
  EXPECT_EQ(SampleAt(output, 0), 700);
  EXPECT_EQ(SampleAt(output, 1), 32767);   // 35000 clamped
  EXPECT_EQ(SampleAt(output, 2), -32768);  // -35000 clamped
  EXPECT_EQ(SampleAt(output, 3), -3);
  EXPECT_EQ(output[8], 0x34);  // low byte first, as the device reads it
  EXPECT_EQ(output[9], 0x12);
  EXPECT_EQ(SampleAt(output, 5), 0);  // both over: silence
  EXPECT_EQ(streams[0].position, 10u);
  EXPECT_EQ(streams[0].data, nullptr);
  EXPECT_EQ(streams[2].position, 0u);
}

TEST(Mixer, PlaysEveryPassThenFallsSilentKeepingThePosition) {
  std::vector<uint8_t> pattern = Samples({1, 2, 3});
  EmulatedStream stream = Stream(pattern, 3);
  std::vector<uint8_t> output(2 * 12);
  MixEmulatedStreams(&stream, 1, output.data(), 2 * 7);
  MixEmulatedStreams(&stream, 1, output.data() + 2 * 7, 2 * 5);  // a pass split over two calls
  const int16_t expected[12] = {1, 2, 3, 1, 2, 3, 1, 2, 3, 0, 0, 0};
  for (int k = 0; k < 12; ++k) EXPECT_EQ(SampleAt(output, k), expected[k]) << k;
  EXPECT_EQ(stream.position, 18u);
  EXPECT_EQ(stream.data, nullptr);
}

TEST(Mixer, CutShortLoopEndsWithTheCurrentPass) {
  std::vector<uint8_t> pattern = Samples({7, 8});
  EmulatedStream stream = Stream(pattern, 999);
  std::vector<uint8_t> output(2 * 8);
  MixEmulatedStreams(&stream, 1, output.data(), 2 * 3);  // one pass and a half
  stream.passesLeft = 1;                                 // what break loop does
  MixEmulatedStreams(&stream, 1, output.data() + 6, 2 * 5);
  const int16_t expected[8] = {7, 8, 7, 8, 0, 0, 0, 0};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(SampleAt(output, k), expected[k]) << k;
  EXPECT_EQ(stream.position, 8u);
}

TEST(Mixer, LongOutputsAreMixedAcrossChunks) {
  std::vector<uint8_t> ramp;
  for (int k = 0; k < 3000; ++k) {
    ramp.push_back(static_cast<uint8_t>(k));
    ramp.push_back(static_cast<uint8_t>(k >> 8));
  }
  EmulatedStream streams[2] = {Stream(ramp), Stream(ramp)};
  streams[1].offset = 2;  // one sample ahead
  std::vector<uint8_t> output(2 * 2000);
  MixEmulatedStreams(streams, 2, output.data(), static_cast<int>(output.size()));
  for (int k = 0; k < 2000; ++k) ASSERT_EQ(SampleAt(output, k), 2 * k + 1) << k;
}

}  // namespace
