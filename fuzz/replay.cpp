// Fuzz target: a replay file of the main loop, read and, when accepted, played back.
//
// Input: the whole replay file. The reader either refuses it with a reason or accepts it; an
// accepted replay of the loop is played through the real start-up and at most 64 loop passes,
// every question answered from the input (pictures and sounds are the empty files start-up
// creates in a scratch folder).
//
// Besides the sanitizers, every run checks that the reader's passes and answers are in order
// (each pass's answers follow the last pass's, their question numbers rise and stay below the
// pass's count), and that playback ends with consistent counts: the hashes matched are among
// those compared, a mismatch or a divergence names a pass that was played.
#include "shell/replay.h"

#include <string>

#include "fuzz/fuzz_support.h"
#include "input/journal.h"
#include "platform/headless/headless.h"

namespace {

const fuzz::ScratchFolder Scratch("fuzz-replay");
constexpr int PassLimit = 64;

void CheckOrder(const Replay& replay) {
  for (size_t pass = 0; pass < replay.passes.size(); ++pass) {
    size_t first = replay.passes[pass].firstAnswer;
    size_t end = pass + 1 < replay.passes.size() ? replay.passes[pass + 1].firstAnswer
                                                 : replay.answers.size();
    FUZZ_CHECK(first <= end && end <= replay.answers.size());
    for (size_t i = first; i < end; ++i) {
      FUZZ_CHECK(replay.answers[i].ordinal < replay.passes[pass].questions);
      FUZZ_CHECK(i == first || replay.answers[i].ordinal > replay.answers[i - 1].ordinal);
      FUZZ_CHECK(replay.answers[i].kind < JournalKindCount);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Replay replay;
  std::string error = ReadReplay(data, size, &replay);
  if (!error.empty()) return 0;
  CheckOrder(replay);
  if (replay.program != JournalProgramLoop || replay.renderWidth != 320 ||
      replay.renderHeight != 240)
    return 0;

  Scratch.Enter();
  HeadlessReset();
  StartLoopReplay(replay, true);
  for (int pass = 0; pass < PassLimit && PlayLoopReplayPass(); ++pass) {
  }
  EndLoopReplay();
  Scratch.Leave();

  const JournalPlayback& state = JournalPlaybackState;
  FUZZ_CHECK(state.hashesMatched <= state.hashesCompared);
  FUZZ_CHECK(state.hashesCompared <= state.passesPlayed);
  FUZZ_CHECK(state.firstMismatch <= static_cast<int64_t>(state.passesPlayed));
  FUZZ_CHECK(state.divergence.empty() == (state.divergedPass < 0));
  return 0;
}
