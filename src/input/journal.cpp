// The journal: questions to the system, recorded to a replay or answered from one.
#include "input/journal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/base.h"
#include "input/journal_format.h"

using namespace journal_format;

JournalMode JournalState = JournalOff;
JournalPlayback JournalPlaybackState;
char JournalPlaybackHandle[1];

namespace {

constexpr uint32_t FlushInterval = 16;

LastAnswers Last;
uint32_t Pass = 0;     // the pass being asked; 0 is the start-up
uint32_t Ordinal = 0;  // questions asked in it so far

// ---- Recording ----

struct Recording {
  std::FILE* file;
  std::string path;
  JournalProgram program;
  int64_t seed;
  std::string setup;
  bool headerWritten;
  bool clockAsked;
  std::string pending;         // bytes not yet written
  size_t openPass;             // where the pass not yet closed begins in pending
  uint32_t nextOrdinal;        // the ordinal after the last answer written in this pass
  uint32_t previousQuestions;  // the question count of the pass before
  int64_t flushedAt;           // the calendar second of the last flush
};
Recording Out;

void WriteHeader(std::string& out) {
  out.append(Magic, sizeof Magic);
  WriteLittleEndian(out, Version, 2);
  WriteLittleEndian(out, Out.program, 1);
  WriteLittleEndian(out, 0, 1);
  WriteLittleEndian(out, JournalHashInterval, 2);
  WriteLittleEndian(out, static_cast<uint16_t>(RenderWidth), 2);
  WriteLittleEndian(out, static_cast<uint16_t>(RenderHeight), 2);
  WriteLittleEndian(out, static_cast<uint64_t>(Out.seed), 8);
  size_t setupBytes = Out.setup.size() < SetupLimit ? Out.setup.size() : SetupLimit;
  WriteLittleEndian(out, setupBytes, 2);
  out.append(Out.setup, 0, setupBytes);
}

void StopRecording() {
  if (Out.file) std::fclose(Out.file);
  Out.file = nullptr;
  JournalState = JournalOff;
}

// Writes what is pending, the header first, and flushes it to the system, so that a program
// killed after it leaves a replay of the passes written.
void Flush() {
  if (!Out.headerWritten) {
    std::string header;
    WriteHeader(header);
    Out.pending.insert(0, header);
    Out.headerWritten = true;
  }
  bool written =
      std::fwrite(Out.pending.data(), 1, Out.pending.size(), Out.file) == Out.pending.size() &&
      std::fflush(Out.file) == 0;
  Out.pending.clear();
  Out.openPass = 0;
  if (!written) {
    std::fprintf(stderr, "VAULTRUN_RECORD: writing %s failed; the replay ends at pass %u\n",
                 Out.path.c_str(), Pass);
    StopRecording();
  }
}

void RecordAnswer(JournalKind kind, int arg, const Answer& answer) {
  uint32_t ordinal = Ordinal++;
  Answer& last = Last.Of(kind, arg);
  if (SameAnswer(last, answer)) return;
  const KindLayout& layout = Layouts[kind];
  uint8_t flag = layout.flag == FlagHeld     ? answer.value[0] != 0
                 : layout.flag == FlagFailed ? !answer.ok
                                             : 0;
  Out.pending.push_back(static_cast<char>(TagAnswer + 2 * kind + flag));
  WriteVarint(Out.pending, ordinal - Out.nextOrdinal);
  if (layout.argLimit) Out.pending.push_back(static_cast<char>(arg));
  for (int v = 0; v < layout.values; ++v)
    WriteVarint(Out.pending, Zigzag(Difference(answer.value[v], last.value[v], layout.deltas)));
  last = answer;
  Out.nextOrdinal = ordinal + 1;
}

void RecordPassEnd(bool last, uint64_t (*hash)()) {
  bool hashed = Pass > 0 && (Pass % JournalHashInterval == 0 || last);
  Out.pending.push_back(static_cast<char>(hashed ? TagHashedPass : TagPass));
  WriteVarint(Out.pending,
              Zigzag(static_cast<int64_t>(Ordinal) - static_cast<int64_t>(Out.previousQuestions)));
  if (hashed) WriteLittleEndian(Out.pending, hash(), 8);
  Out.previousQuestions = Ordinal;
  Out.nextOrdinal = 0;
  Out.openPass = Out.pending.size();
  // A write to the system costs some 3% of a short pass when made every pass: the replay is
  // flushed every FlushInterval passes, and at least once a second for passes slowed by pauses.
  int64_t now = PlatformCalendarTime();
  if (Pass % FlushInterval == 0 || now != Out.flushedAt) {
    Flush();
    Out.flushedAt = now;
  }
}

// ---- Playback ----

const Replay* Playing = nullptr;
bool Verify = false;
size_t NextAnswer = 0;  // the next recorded answer not yet given

size_t PassEnd(uint32_t pass) {
  return pass + 1 < Playing->passes.size() ? Playing->passes[pass + 1].firstAnswer
                                           : Playing->answers.size();
}

std::string PassName(uint32_t pass) {
  return pass == 0 ? std::string("the start-up") : "pass " + std::to_string(pass);
}

std::string QuestionName(int kind, int arg) {
  static const char* const Names[JournalKindCount] = {"key",
                                                      "the cursor",
                                                      "the window rectangle",
                                                      "a message box",
                                                      "window step",
                                                      "the wave-out open of channel",
                                                      "the wave-out position of channel",
                                                      "the message pump",
                                                      "the clock"};
  std::string name = Names[kind];
  if (Layouts[kind].argLimit) name.append(1, ' ').append(std::to_string(arg));
  return name;
}

void Diverge(const std::string& why) {
  JournalPlayback& state = JournalPlaybackState;
  if (state.over) return;
  state.divergence = PassName(Pass) + ": " + why;
  state.divergedPass = Pass;
  state.over = true;
}

const Answer& PlayAnswer(JournalKind kind, int arg) {
  uint32_t ordinal = Ordinal++;
  Answer& last = Last.Of(kind, arg);
  if (JournalPlaybackState.over) return last;
  const JournalPass& pass = Playing->passes[Pass];
  if (NextAnswer < PassEnd(Pass) && Playing->answers[NextAnswer].ordinal == ordinal) {
    const JournalAnswer& recorded = Playing->answers[NextAnswer++];
    if (recorded.kind != kind || recorded.arg != arg) {
      Diverge("the program asks " + QuestionName(kind, arg) + " where the recording answers " +
              QuestionName(recorded.kind, recorded.arg));
      return last;
    }
    last.ok = recorded.ok;
    std::memcpy(last.value, recorded.value, sizeof last.value);
  } else if (ordinal >= pass.questions) {
    Diverge("the program asks more than the " + std::to_string(pass.questions) +
            " questions the recording answers");
  }
  return last;
}

void PlayPassEnd(bool last, uint64_t (*hash)()) {
  JournalPlayback& state = JournalPlaybackState;
  if (state.over) return;
  const JournalPass& pass = Playing->passes[Pass];
  if (Ordinal != pass.questions || NextAnswer != PassEnd(Pass)) {
    Diverge("the program asks " + std::to_string(Ordinal) + " questions where the recording has " +
            std::to_string(pass.questions));
    return;
  }
  if (Pass > 0) ++state.passesPlayed;
  if (pass.hashed && Verify) {
    ++state.hashesCompared;
    bool match = hash() == pass.hash;
    state.hashesMatched += match;
    if (match && state.firstMismatch < 0) state.lastMatch = Pass;
    if (!match && state.firstMismatch < 0) state.firstMismatch = Pass;
  }
  bool finalPass = Pass + 1 == Playing->passes.size();
  if (last && !finalPass)
    Diverge("the program ends here, the recording goes on to pass " +
            std::to_string(Playing->passes.size() - 1));
  else if (!last && finalPass && Playing->complete)
    Diverge("the recording ends here (the program ended), the program goes on");
  else if (finalPass)
    state.over = true;
}

Answer Ask(JournalKind kind, int arg, Answer answer) {
  RecordAnswer(kind, arg, answer);
  return answer;
}

Answer Number(int64_t value) { return Answer{true, {value, 0, 0, 0}}; }

}  // namespace

// ---- Questions ----

int16_t JournalGetAsyncKeyState(int virtualKey) {
  if (JournalState == JournalOff) return PlatformGetAsyncKeyState(virtualKey);
  if (virtualKey < 0 || virtualKey > 255) return 0;  // no key has such a code
  Answer answer =
      JournalState == JournalPlayingBack
          ? PlayAnswer(JournalKey, virtualKey)
          : Ask(JournalKey, virtualKey, Number(PlatformGetAsyncKeyState(virtualKey) < 0 ? 1 : 0));
  return answer.value[0] ? static_cast<int16_t>(0x8000) : 0;
}

bool JournalGetCursorPos(int* x, int* y) {
  if (JournalState == JournalOff) return PlatformGetCursorPos(x, y);
  Answer answer;
  if (JournalState == JournalPlayingBack) {
    answer = PlayAnswer(JournalCursor, 0);
  } else {
    int px = 0, py = 0;
    bool ok = PlatformGetCursorPos(&px, &py);
    answer = Ask(JournalCursor, 0, Answer{ok, {px, py, 0, 0}});
  }
  *x = static_cast<int>(answer.value[0]);
  *y = static_cast<int>(answer.value[1]);
  return answer.ok;
}

bool JournalGetWindowRect(PlatformHandle window, PlatformRect* rect) {
  if (JournalState == JournalOff) return PlatformGetWindowRect(window, rect);
  Answer answer;
  if (JournalState == JournalPlayingBack) {
    answer = PlayAnswer(JournalRect, 0);
  } else {
    PlatformRect got{0, 0, 0, 0};
    bool ok = PlatformGetWindowRect(window, &got);
    if (!ok) got = PlatformRect{0, 0, 0, 0};
    answer = Ask(JournalRect, 0, Answer{ok, {got.left, got.top, got.right, got.bottom}});
  }
  if (answer.ok)
    *rect = PlatformRect{static_cast<int>(answer.value[0]), static_cast<int>(answer.value[1]),
                         static_cast<int>(answer.value[2]), static_cast<int>(answer.value[3])};
  return answer.ok;
}

int JournalMessageBox(PlatformHandle owner, const char* text, const char* caption, uint32_t style) {
  if (JournalState == JournalOff) return PlatformMessageBox(owner, text, caption, style);
  if (JournalState == JournalPlayingBack)
    return static_cast<int>(PlayAnswer(JournalBox, 0).value[0]);
  return static_cast<int>(
      Ask(JournalBox, 0, Number(PlatformMessageBox(owner, text, caption, style))).value[0]);
}

uint32_t JournalWaveOutOpen(int channel, PlatformWaveOut* stream, uint32_t deviceId,
                            const WaveFormat* format, uintptr_t callback, uintptr_t instance,
                            uint32_t flags) {
  if (JournalState == JournalOff || channel < 0 || channel >= 64)
    return PlatformWaveOutOpen(stream, deviceId, format, callback, instance, flags);
  if (JournalState == JournalPlayingBack) {
    *stream = nullptr;
    return static_cast<uint32_t>(PlayAnswer(JournalWaveOpen, channel).value[0]);
  }
  uint32_t result = PlatformWaveOutOpen(stream, deviceId, format, callback, instance, flags);
  return static_cast<uint32_t>(Ask(JournalWaveOpen, channel, Number(result)).value[0]);
}

uint32_t JournalWaveOutGetPosition(int channel, PlatformWaveOut stream, WaveTime* time) {
  if (JournalState == JournalOff || channel < 0 || channel >= 64)
    return PlatformWaveOutGetPosition(stream, time, sizeof(WaveTime));
  if (JournalState == JournalPlayingBack) {
    time->wType = TimeBytes;
    time->u.cb = static_cast<uint32_t>(PlayAnswer(JournalWavePosition, channel).value[0]);
    return MmSysErrNoError;
  }
  uint32_t result = PlatformWaveOutGetPosition(stream, time, sizeof(WaveTime));
  Ask(JournalWavePosition, channel, Number(time->u.cb));
  return result;
}

int64_t JournalCalendarTime() {
  if (JournalState == JournalOff) return PlatformCalendarTime();
  if (JournalState == JournalPlayingBack) return PlayAnswer(JournalClock, 0).value[0];
  int64_t now = PlatformCalendarTime();
  // The first reading of the clock before the header is written is the header's seed.
  if (!Out.clockAsked && !Out.headerWritten) {
    Out.seed = now;
    Last.Of(JournalClock, 0).value[0] = now;
  }
  Out.clockAsked = true;
  return Ask(JournalClock, 0, Number(now)).value[0];
}

int64_t JournalRecordedNumber(JournalKind kind, int arg, int64_t answer) {
  return Ask(kind, arg, Number(answer)).value[0];
}

int64_t JournalPlayedNumber(JournalKind kind, int arg) { return PlayAnswer(kind, arg).value[0]; }

// ---- Recording and playback ----

bool JournalStartRecording(const char* path, JournalProgram program, int64_t seed,
                           const std::string& setup, std::string* error) {
  JournalFinish();
  std::FILE* file = std::fopen(path, "wb");
  if (!file) {
    *error = std::strerror(errno);
    return false;
  }
  Out = Recording{file, path, program, seed, setup, false, false, {}, 0, 0, 0, 0};
  Last.Reset(seed);
  Pass = 0;
  Ordinal = 0;
  JournalState = JournalRecording;
  return true;
}

void JournalRecordFromEnvironment(JournalProgram program, int64_t seed, const std::string& setup) {
  const char* path = std::getenv("VAULTRUN_RECORD");
  if (!path || !*path) return;
  std::string error;
  if (!JournalStartRecording(path, program, seed, setup, &error))
    std::fprintf(stderr, "VAULTRUN_RECORD: cannot write %s: %s; running without a recording\n",
                 path, error.c_str());
}

void JournalStartPlayback(const Replay& replay, bool verify) {
  JournalFinish();
  Playing = &replay;
  Verify = verify;
  NextAnswer = 0;
  Last.Reset(replay.seed);
  Pass = 0;
  Ordinal = 0;
  JournalPlaybackState = JournalPlayback{};
  JournalPlaybackState.firstMismatch = -1;
  JournalPlaybackState.lastMatch = -1;
  JournalPlaybackState.divergedPass = -1;
  JournalPlaybackState.over = replay.passes.empty();
  JournalState = JournalPlayingBack;
}

void JournalEndPass(bool last, uint64_t (*hash)()) {
  if (JournalState == JournalRecording) RecordPassEnd(last, hash);
  if (JournalState == JournalPlayingBack) PlayPassEnd(last, hash);
  ++Pass;
  Ordinal = 0;
}

void JournalFinish() {
  if (JournalState == JournalRecording) {
    // Answers of a pass that was never closed (questions asked on the way out) are dropped.
    Out.pending.resize(Out.openPass);
    Out.pending.push_back(static_cast<char>(TagEnd));
    Flush();
    StopRecording();
  }
  JournalState = JournalOff;
  Playing = nullptr;
}
