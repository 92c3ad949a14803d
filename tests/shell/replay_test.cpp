// Replays of the window and of the headless loop; changed, cut or foreign ones reported as such.
#include "shell/replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "tests/support/scratch_folder.h"
#include "tools/assets/assets.h"

namespace {

// fixtures/window_session.hex (`xxd -r -p` turns it back into the .vrr file): vaultrun built from
// this tree, recorded under Xvfb with SDL_AUDIODRIVER=dummy while xdotool moved the mouse and held
// T, B, N, I, keypad + and -, 1, 2, 3, F3, F2, Space and Escape (0.2 s each). Its 985 passes carry
// 8 frame hashes; `vaultrun-snapshot --replay` of the Linux build and of the Windows build under
// Wine both found all 8 identical and a last frame of 63b8924c9b029b99. Kept as hex text: the
// file is 2,223 bytes.

class Replays : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pictures_ = new ScratchFolder;
    ASSERT_TRUE(assets::WritePictures(pictures_->path().string()));
  }
  static void TearDownTestSuite() { delete pictures_; }
  static ScratchFolder* pictures_;
  WorkingDirectory inside_{pictures_->path()};
};
ScratchFolder* Replays::pictures_ = nullptr;

std::vector<uint8_t> Fixture() {
  std::ifstream file(std::filesystem::path(__FILE__).parent_path() / "fixtures" /
                     "window_session.hex");
  std::vector<uint8_t> bytes;
  for (std::string pair(2, ' '); file >> pair[0] >> pair[1];)
    bytes.push_back(static_cast<uint8_t>(std::stoi(pair, nullptr, 16)));
  return bytes;
}

uint64_t Play(const Replay& replay) {
  HeadlessReset();
  StartLoopReplay(replay, true);
  uint64_t last = 0;
  while (PlayLoopReplayPass()) last = FrameBufferHash();
  EndLoopReplay();
  return last;
}

// Start-up and 260 passes with the cursor moving, T held in pass 100, F3 in pass 150 (a window
// rebuild) and Escape in the last pass.
std::vector<uint8_t> RecordSession(const std::string& path) {
  ResetLoopState();
  HeadlessReset();
  HeadlessCalendarSeconds = 77;
  std::string error;
  EXPECT_TRUE(JournalStartRecording(path.c_str(), JournalProgramLoop, 0, "", &error)) << error;
  StartUp();
  EndJournalPass();
  for (int pass = 1; QuitRequested == 0; ++pass) {
    HeadlessCursorX = pass * 3 % 700;
    HeadlessCursorY = pass % 500;
    HeadlessKeys['T'] = pass == 100;
    HeadlessKeys[VkF3] = pass == 150;
    HeadlessKeys[VkEscape] = pass == 260;
    RunLoopPass();
    EndJournalPass();
  }
  ShutDown();
  JournalFinish();
  ResetLoopState();
  return ReadFileBytes(path);
}

TEST_F(Replays, TheWindowSessionPlaysBackWithEveryRecordedFrame) {
  std::vector<uint8_t> bytes = Fixture();
  Replay replay;
  ASSERT_EQ(ReadReplay(bytes.data(), bytes.size(), &replay), "");
  EXPECT_EQ(replay.seed, 1796527834);
  EXPECT_EQ(Play(replay), 0x63b8924c9b029b99ull);
  const JournalPlayback& state = JournalPlaybackState;
  EXPECT_EQ(state.passesPlayed, 985u);
  EXPECT_EQ(state.hashesCompared, 8u);
  EXPECT_EQ(state.hashesMatched, 8u);
  EXPECT_EQ(state.divergence, "");
}

TEST_F(Replays, ASessionRecordedHerePlaysBackAndAChangedKeyIsFound) {
  std::vector<uint8_t> bytes = RecordSession("session.vrr");
  Replay replay;
  ASSERT_EQ(ReadReplay(bytes.data(), bytes.size(), &replay), "");
  ASSERT_TRUE(replay.complete);
  ASSERT_EQ(replay.passes.size(), 261u);
  Play(replay);
  EXPECT_EQ(JournalPlaybackState.passesPlayed, 260u);
  EXPECT_EQ(JournalPlaybackState.hashesMatched, 3u);  // passes 128, 256 and 260
  EXPECT_EQ(JournalPlaybackState.firstMismatch, -1);
  EXPECT_EQ(JournalPlaybackState.divergence, "");

  // T not held after all: the frames differ from pass 100 on; the first hashed one is 128.
  for (JournalAnswer& answer : replay.answers)
    if (answer.kind == JournalKey && answer.arg == 'T' && answer.value[0] == 1) answer.value[0] = 0;
  Play(replay);
  EXPECT_EQ(JournalPlaybackState.firstMismatch, 128);
  EXPECT_EQ(JournalPlaybackState.lastMatch, -1);

  // Cut inside pass 200: the passes before it play, and nothing is missing from them.
  bytes.resize(bytes.size() * 200 / 261);
  ASSERT_EQ(ReadReplay(bytes.data(), bytes.size(), &replay), "");
  EXPECT_FALSE(replay.complete);
  Play(replay);
  EXPECT_EQ(JournalPlaybackState.passesPlayed, replay.passes.size() - 1);
  EXPECT_GT(JournalPlaybackState.passesPlayed, 128u);
  EXPECT_EQ(JournalPlaybackState.hashesMatched, 1u);
  EXPECT_EQ(JournalPlaybackState.divergence, "");
}

TEST_F(Replays, ForeignNewerAndDamagedFilesAreRefusedWithAReason) {
  std::vector<uint8_t> bytes = Fixture();
  Replay replay;
  const uint8_t foreign[] = "GIF89a and more";
  EXPECT_EQ(ReadReplay(foreign, sizeof foreign, &replay),
            "not a VAULTRUN replay (it does not begin with VRREPLAY)");
  std::vector<uint8_t> newer = bytes;
  newer[8] = 2;
  EXPECT_EQ(ReadReplay(newer.data(), newer.size(), &replay),
            "a replay of format 2, newer than this VAULTRUN reads (1)");
  std::vector<uint8_t> damaged = bytes;
  damaged[28] = 0x7F;  // the first record after the header
  EXPECT_EQ(ReadReplay(damaged.data(), damaged.size(), &replay),
            "damaged at byte 28: unknown record");
}

}  // namespace
