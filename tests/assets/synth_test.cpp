// The music synthesiser's building blocks: pitch, the polynomial sine, the loop-aware effects
// and the final conversion to 16-bit samples.
#include "tools/assets/synth.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(AssetSynth, SineFollowsTheTrueSineOverSeveralCycles) {
  double worst = 0.0;
  for (int i = -3000; i <= 3000; ++i) {
    double phase = i / 1000.0 + 0.0001;
    double error = std::fabs(assets::SinCycle(phase) - std::sin(6.283185307179586 * phase));
    worst = error > worst ? error : worst;
  }
  // The polynomial runs to x^11 on a quarter wave: its error at pi/2 is below 6e-8.
  EXPECT_LT(worst, 1e-7);
  EXPECT_EQ(assets::SinCycle(0.0), 0.0);
}

TEST(AssetSynth, NotesAreEqualTemperedAroundA440) {
  EXPECT_NEAR(assets::NoteHz(69), 440.0, 1e-9);
  EXPECT_NEAR(assets::NoteHz(57), 220.0, 1e-9);
  EXPECT_NEAR(assets::NoteHz(60), 261.6255653005986, 1e-9);  // middle C = 440 * 2^(-9/12)
  for (int midi = 30; midi < 100; ++midi)
    EXPECT_NEAR(assets::NoteHz(midi + 1) / assets::NoteHz(midi), 1.0594630943592953, 1e-12);
}

TEST(AssetSynth, AddingPastTheEndOfTheLoopComesBackAtItsStart) {
  assets::Bus bus(10, 0.0);
  assets::AddWrapped(bus, 12, 1.0);
  assets::AddWrapped(bus, -1, 2.0);
  assets::AddWrapped(bus, 25, 3.0);
  EXPECT_EQ(bus[2], 1.0);
  EXPECT_EQ(bus[9], 2.0);
  EXPECT_EQ(bus[5], 3.0);
}

TEST(AssetSynth, EchoesOfTheLoopsEndArriveAtItsStart) {
  // A click two samples before the end of a 1000-sample loop, echoed after 100 samples with
  // feedback 0.5 and no darkening: the echoes land at 98, 198, ... of the next pass, which is
  // the kept one, at 1, 0.5, 0.25.
  assets::Bus in(1000, 0.0), out;
  in[998] = 1.0;
  assets::FeedbackDelay(in, out, 100, 0.5, 1.0);
  ASSERT_EQ(out.size(), 1000u);
  EXPECT_DOUBLE_EQ(out[98], 1.0);
  EXPECT_DOUBLE_EQ(out[198], 0.5);
  EXPECT_DOUBLE_EQ(out[298], 0.25);
  EXPECT_EQ(out[97], 0.0);
  EXPECT_EQ(out[99], 0.0);
}

TEST(AssetSynth, ReverbTailOfTheLoopsEndRingsOnAtItsStart) {
  assets::Bus in(20000, 0.0), out;
  in[19990] = 1.0;
  assets::Reverb(in, out, 0.8);
  double head = 0.0;
  for (int i = 0; i < 5000; ++i) head += out[i] * out[i];
  EXPECT_GT(head, 1e-4);
}

TEST(AssetSynth, LowPassKeepsTheSteadyPartAndStopsTheFastest) {
  assets::Filter steady, fast;
  for (int i = 0; i < 20000; ++i) {
    steady.Run(1.0, 500.0, 0.2);
    fast.Run((i % 2) ? 1.0 : -1.0, 500.0, 0.2);
  }
  EXPECT_NEAR(steady.low, 1.0, 1e-6);
  EXPECT_LT(std::fabs(fast.low), 0.01);
}

TEST(AssetSynth, MasterScalesToThePeakAndNeverReachesFullScale) {
  // Peak 1.0: the gain is 1 / 1.0; the rational tanh gives -1 * 28 / 36 = -0.7777..., times
  // 31000 is -24111.1, rounded away from zero to -24111. 0.5 gives 0.5 * 27.25 / 29.25 =
  // 0.46581..., 14440.2 -> 14440.
  std::vector<int16_t> samples = assets::Master({0.5, -1.0, 0.0}, 1.0);
  ASSERT_EQ(samples.size(), 3u);
  EXPECT_EQ(samples[0], 14440);
  EXPECT_EQ(samples[1], -24111);
  EXPECT_EQ(samples[2], 0);
  // However loud the mix is driven, it saturates at 31000.
  std::vector<int16_t> driven = assets::Master({1.0, -0.2, 0.9}, 50.0);
  EXPECT_EQ(driven[0], 31000);
  EXPECT_LT(driven[1], -30000);
  EXPECT_GT(driven[1], -31001);
  // Silence stays silence rather than dividing by zero.
  EXPECT_EQ(assets::Master({0.0, 0.0}, 1.0)[1], 0);
}

TEST(AssetSynth, RemovingTheOffsetSettlesOnZero) {
  assets::Bus bus(200000, 0.25);
  assets::RemoveDc(bus);
  EXPECT_LT(std::fabs(bus[199999]), 1e-6);
}
