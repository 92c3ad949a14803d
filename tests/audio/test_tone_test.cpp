// The synthetic test tone in SoundSlot 0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "audio_test_support.h"

namespace {

class TestTone : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAudioSystem();
    HeadlessWaveOutOpenLimit = 0;  // the tone needs a buffer, not a device
    OpenAudio();
    tone = SoundSlots[0].samples;
    ASSERT_NE(tone, nullptr);
    std::memset(tone, 0xA5, SoundSlotCapacity);  // whatever the fresh buffer held
  }
  void TearDown() override { ResetAudioSystem(); }

  uint8_t* tone = nullptr;
};

// The same tone worked out another way. Every single-precision step is computed in double and
// then rounded to float: for one +, -, * or / of floats, the double result rounded to float is
// the correctly rounded float result, so this equals float arithmetic without writing it as such.
// The truncation, the 16-bit wrap and the byte split are written out arithmetically.
void ExpectedToneBytes(int i, uint8_t* high, uint8_t* low) {
  float a = static_cast<float>(static_cast<double>(i) / 2000.0);
  float x = static_cast<float>(static_cast<double>(i) / 100.0);
  float b = static_cast<float>(std::sin(static_cast<double>(x)) * 2000.0);
  float sum = static_cast<float>(static_cast<double>(a) + static_cast<double>(b));
  float angle = static_cast<float>(static_cast<double>(sum) / 30.0);
  double s = std::sin(static_cast<double>(angle)) * 3000.0;
  int divisor = i / 100;
  // Below 100 the conversion gives 0x80000000, whose low half is 0.
  int64_t t = divisor == 0 ? INT64_C(0x80000000) : static_cast<int64_t>(std::trunc(s / divisor));
  int64_t lowHalf = t & 0xFFFF;
  int64_t v = (i % 10) + (lowHalf >= 32768 ? lowHalf - 65536 : lowHalf);
  if (v > 32767) v -= 65536;
  if (v == 0) v = 1;
  int64_t quotient = v >= 0 ? v / 256 : -((-v) / 256);  // toward zero
  int64_t remainder = v - quotient * 256;               // sign of v
  *high = static_cast<uint8_t>(quotient & 0xFF);
  *low = static_cast<uint8_t>(remainder & 0xFF);
}

TEST_F(TestTone, FirstHundredStepsAreTheStepNumberModTen) {
  GenerateTestTone();
  EXPECT_EQ(tone[0], 0);
  // The division by 0 gives the integer-indefinite value, whose low 16 bits add nothing:
  // v = i mod 10, and 1 where that is 0. High part 0, low part v.
  for (int i = 1; i < 100; ++i) {
    int v = i % 10 == 0 ? 1 : i % 10;
    EXPECT_EQ(tone[2 * i], 0) << "i = " << i;
    EXPECT_EQ(tone[2 * i + 1], v) << "i = " << i;
  }
}

TEST_F(TestTone, SecondHundredMatchesValuesWorkedByHand) {
  GenerateTestTone();
  // i = 100: a = 100/2000 in float = 0.0500000007450580597; i/100 = 1.0f exactly;
  // sin(1.0) * 2000 = 1682.94196961579 -> float (spacing 2^-13 here) 1682.9420166015625;
  // a + b = 1682.99201660230756 -> float 1682.9920654296875 (the nearer of ...1943359375 and
  // ...2065429688); / 30 = 56.0997355143229 -> float 56.099735260009766;
  // sin(56.099735260009766) = sin(that - 18 pi) = sin(-0.44897...) = -0.4340040... ;
  // * 3000 = -1302.012 -> t = -1302 (divisor 1); v = 0 - 1302 = -1302;
  // -1302 / 256 = -5 (0xFB), -1302 % 256 = -22 (0xEA).
  EXPECT_EQ(tone[200], 0xFB);
  EXPECT_EQ(tone[201], 0xEA);
  // i = 105: the same steps give s = 2875.1598 -> t = 2875; v = 5 + 2875 = 2880;
  // 2880 / 256 = 11 (0x0B), 2880 % 256 = 64 (0x40).
  EXPECT_EQ(tone[210], 0x0B);
  EXPECT_EQ(tone[211], 0x40);
  // i = 157: s = -1923.045 -> t = -1923; v = 7 - 1923 = -1916;
  // -1916 / 256 = -7 (0xF9), -1916 % 256 = -124 (0x84).
  EXPECT_EQ(tone[314], 0xF9);
  EXPECT_EQ(tone[315], 0x84);
}

TEST_F(TestTone, EveryWrittenByteMatchesAnIndependentFormulation) {
  GenerateTestTone();
  // Steps 100..199 first (divisor 1, the loudest part), then every step up to 199,999: beyond
  // a few thousand, a step done in the wrong precision changes some of the values.
  for (int i = 1; i < 200000; ++i) {
    uint8_t high, low;
    ExpectedToneBytes(i, &high, &low);
    ASSERT_EQ(tone[2 * i], high) << "i = " << i;
    ASSERT_EQ(tone[2 * i + 1], low) << "i = " << i;
  }
}

TEST_F(TestTone, BytesHashToTheCheckedValue) {
  GenerateTestTone();
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over bytes 0 and 2 to 399,999
  for (int k = 0; k < 400000; ++k)
    if (k != 1) hash = (hash ^ tone[k]) * 1099511628211ull;
  EXPECT_EQ(hash, 0xD2F450CADC18924EULL);
}

TEST_F(TestTone, SetsLengthLeavesByteOneAndTheRestOfTheBuffer) {
  SoundSlots[0].length = 17;
  GenerateTestTone();
  EXPECT_EQ(SoundSlots[0].length, 200000u);
  EXPECT_EQ(tone[1], 0xA5);
  EXPECT_EQ(tone[400000], 0xA5);  // steps end at 199,999: bytes 0..399,999
  EXPECT_EQ(tone[SoundSlotCapacity - 1], 0xA5);
}

TEST(TestToneWithoutBuffer, WritesNothing) {
  ResetAudioSystem();  // no OpenAudio: slot 0 has no buffer
  GenerateTestTone();
  EXPECT_EQ(SoundSlots[0].samples, nullptr);
  EXPECT_EQ(SoundSlots[0].length, 0u);
}

}  // namespace
