// Fuzz target: a replay file (the input), read and, when accepted as a replay of the loop, played
// through the real start-up and at most 64 loop passes in a scratch folder. Checked: the passes'
// answers are in order (each pass's after the last's, question numbers rising and below the
// pass's count), and playback ends with consistent counts: the hashes matched are among those
// compared, a mismatch or a divergence names a pass that was played.
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
