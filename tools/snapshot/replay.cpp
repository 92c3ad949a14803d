// vaultrun-snapshot --replay: plays a recorded session on the headless backend. Every question
// the program asks of the system is answered from the replay; with --verify each recorded hash
// is compared with the one the pass now gives.
#include "shell/replay.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/fnv1a.h"
#include "frame/frame.h"
#include "input/journal.h"
#include "platform/headless/headless.h"
#include "tools/common/arguments.h"
#include "tools/common/image_file.h"
#include "tools/explore/explore_session.h"
#include "tools/snapshot/snapshot.h"

namespace {

constexpr const char* Usage =
    "usage: vaultrun-snapshot --replay FILE [--verify] [--pass N] [--out IMAGE]\n"
    "  plays a replay that VAULTRUN_RECORD=FILE wrote (vaultrun or vaultrun-explore) and prints\n"
    "  the passes played; --verify compares every recorded hash (exit 1 at a difference);\n"
    "  --out writes the frame of pass N (default: the last) as .png or .bmp\n";

int Refuse(const std::string& why) {
  std::fprintf(stderr, "vaultrun-snapshot: %s\n", why.c_str());
  return 2;
}

// Plays the replay to its end, keeping the frame of pass target.
bool PlayAll(bool explore, uint32_t target, std::vector<uint8_t>* frame) {
  size_t bytes = static_cast<size_t>(RenderWidth) * RenderHeight * 4;
  bool kept = false;
  while (explore ? PlayExploreReplayPass() : PlayLoopReplayPass()) {
    if (!kept && JournalPlaybackState.passesPlayed == target &&
        JournalPlaybackState.divergence.empty()) {
      frame->assign(FrameBuffer, FrameBuffer + bytes);
      kept = true;
    }
  }
  return kept;
}

}  // namespace

int ReplayMain(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 1);
  arguments.RejectUnknown({{"--replay", 1}, {"--verify", 0}, {"--pass", 1}, {"--out", 1}});
  std::string path = arguments.Text("--replay", "");
  bool verify = arguments.Has("--verify");
  int64_t pass = arguments.Integer("--pass", 0, 1, UINT32_MAX);
  std::string out = arguments.Text("--out", "");
  if (!arguments.error.empty()) return Refuse(arguments.error + "\n" + Usage);

  Replay replay;
  std::string error = ReadReplayFile(path, &replay);
  if (!error.empty()) return Refuse(error);
  if (replay.renderWidth != 320 || replay.renderHeight != 240)
    return Refuse(path + " was recorded at " + std::to_string(replay.renderWidth) + " x " +
                  std::to_string(replay.renderHeight) + "; VAULTRUN renders 320 x 240");
  uint32_t held = replay.passes.empty() ? 0 : static_cast<uint32_t>(replay.passes.size() - 1);
  if (pass > held)
    return Refuse("--pass " + std::to_string(pass) + ": " + path + " holds passes 1 to " +
                  std::to_string(held));
  bool explore = replay.program == JournalProgramExplore;
  std::string program = explore ? "vaultrun-explore, " + replay.setup
                                : "vaultrun, seed " + std::to_string(replay.seed);
  std::printf("replay %s: %s, a hash every %u passes and at the last\n", path.c_str(),
              program.c_str(), replay.hashInterval);

  HeadlessReset();
  if (explore) {
    int status = StartExploreReplay(replay, verify);
    if (status != 0) return status;
  } else {
    StartLoopReplay(replay, verify);
  }
  uint32_t target = pass ? static_cast<uint32_t>(pass) : held;
  std::vector<uint8_t> frame;
  bool kept = PlayAll(explore, target, &frame);
  bool written = true;
  if (kept && !out.empty()) {
    std::memcpy(FrameBuffer, frame.data(), frame.size());
    written = WriteFrameImage(out);
  }
  explore ? EndExploreReplay() : EndLoopReplay();

  const JournalPlayback& state = JournalPlaybackState;
  std::printf("passes %u of %u\n", state.passesPlayed, held);
  if (verify)
    std::printf("matches %u of %u hashed passes (%s)\n", state.hashesMatched, state.hashesCompared,
                explore ? "the walk's state" : "the frame");
  if (kept)
    std::printf("pass %u: fnv1a64 %016" PRIx64 "%s\n", target, Fnv1a64(frame.data(), frame.size()),
                explore ? " (the overlay only: the world view needs OpenGL)" : "");
  if (!replay.complete)
    std::printf(
        "the replay ends early: the recording stops after pass %u without its end mark "
        "(the program was killed, or the file cut short)\n",
        held);
  int status = written ? 0 : 1;
  if (state.firstMismatch >= 0) {
    std::printf("mismatch: pass %" PRId64
                " is the first hashed pass that differs from the recording",
                state.firstMismatch);
    if (state.lastMatch >= 0)
      std::printf(" (pass %" PRId64 ", the hashed pass before it, is identical)", state.lastMatch);
    std::printf("\n");
    status = 1;
  }
  if (!state.divergence.empty()) {
    std::printf("diverged: %s\n", state.divergence.c_str());
    status = 1;
  }
  if (!kept && held > 0) {
    std::printf("pass %u was not reached\n", target);
    status = 1;
  }
  return status;
}
