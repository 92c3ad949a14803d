// The journal: every answer the system gives the running program passes through here.
//
// What VAULTRUN draws follows from the clock's seed and from what it asks the system as it runs:
// the held bit of each key it polls, the cursor, the window's rectangle, the outcome of each
// window step, message box answers, wave-out opens and positions, and whether the message pump
// brought a close request. Each of these questions is one Journal... call below. Normally the
// call asks the platform and hands the answer on. While recording (VAULTRUN_RECORD=FILE) it also
// writes the answer to a replay file; while a replay plays back it answers from the replay and
// the platform is not asked. docs/replay.md describes the file.
//
// Answers are counted by pass: pass 0 is the start-up, then one pass per pass of the loop, each
// closed by JournalEndPass. Within a pass, questions are numbered in the order they are asked,
// and only an answer that differs from the last answer to the same question is written, so a
// pass in which nothing changed costs a few bytes.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/platform.h"

enum JournalMode { JournalOff, JournalRecording, JournalPlayingBack };
extern JournalMode JournalState;  // JournalOff

// The program a replay comes from; it says how the replay is played and what its hashes cover.
enum JournalProgram : uint8_t {
  JournalProgramLoop = 1,     // vaultrun: the hash is the frame's
  JournalProgramExplore = 2,  // vaultrun-explore: the hash is the walk's state
};

// Every K-th pass (and the last) carries a hash; K is written in the replay's header. An FNV-1a
// hash of the frame takes longer than a whole pass of the start-up scene, so one in 128 passes
// keeps the whole recording near 1% of a pass (docs/replay.md has the measurement).
constexpr uint16_t JournalHashInterval = 128;

enum JournalKind : uint8_t {
  JournalKey,           // arg: the virtual key; the answer is its held bit
  JournalCursor,        // the cursor's screen position
  JournalRect,          // the main window's screen rectangle
  JournalBox,           // the button that closed a message box
  JournalStep,          // arg: JournalStepId; success, or the format ChoosePixelFormat gave
  JournalWaveOpen,      // arg: the channel; the wave-out result code
  JournalWavePosition,  // arg: the channel; bytes played
  JournalPump,          // JournalPumpEmpty, JournalPumpHandled or JournalPumpClose
  JournalClock,         // the calendar time that seeds rand
  JournalKindCount
};

enum JournalStepId : uint8_t {
  StepRegisterClass,
  StepUnregisterClass,
  StepFullscreenMode,
  StepCreateWindow,
  StepDestroyWindow,
  StepGetDeviceContext,
  StepReleaseDeviceContext,
  StepChoosePixelFormat,
  StepSetPixelFormat,
  StepCreateGlContext,
  StepMakeCurrent,
  StepReleaseCurrent,
  StepDeleteGlContext,
  JournalStepCount
};

// What one call of the message pump found: nothing, a message, or a message whose handling
// brought a close request (the program's quit flag).
enum : int { JournalPumpEmpty = 0, JournalPumpHandled = 1, JournalPumpClose = 3 };

// ---- Questions ------------------------------------------------------------------------------

int16_t JournalGetAsyncKeyState(int virtualKey);
bool JournalGetCursorPos(int* x, int* y);
bool JournalGetWindowRect(PlatformHandle window, PlatformRect* rect);
int JournalMessageBox(PlatformHandle owner, const char* text, const char* caption, uint32_t style);
// In playback no stream is opened: the handle is null and the recorded result is returned.
uint32_t JournalWaveOutOpen(int channel, PlatformWaveOut* stream, uint32_t deviceId,
                            const WaveFormat* format, uintptr_t callback, uintptr_t instance,
                            uint32_t flags);
// The bytes played on a channel (time->u.cb); the time is asked in bytes.
uint32_t JournalWaveOutGetPosition(int channel, PlatformWaveOut stream, WaveTime* time);
int64_t JournalCalendarTime();

// A window step, asked through ask() unless a replay answers it. Steps that give a handle get,
// in playback, JournalPlaybackHandle for a recorded success and null for a failure.
extern char JournalPlaybackHandle[1];
int64_t JournalRecordedNumber(JournalKind kind, int arg, int64_t answer);
int64_t JournalPlayedNumber(JournalKind kind, int arg);

template <typename Ask>
auto JournalWindowStep(JournalStepId step, Ask ask) -> decltype(ask()) {
  using Answer = decltype(ask());
  if (JournalState == JournalOff) return ask();
  if (JournalState == JournalPlayingBack) {
    int64_t played = JournalPlayedNumber(JournalStep, step);
    if constexpr (std::is_pointer_v<Answer>)
      return played ? static_cast<Answer>(static_cast<void*>(JournalPlaybackHandle)) : nullptr;
    else
      return static_cast<Answer>(played);
  }
  Answer answer = ask();
  if constexpr (std::is_pointer_v<Answer>)
    JournalRecordedNumber(JournalStep, step, answer ? 1 : 0);
  else
    JournalRecordedNumber(JournalStep, step, static_cast<int64_t>(answer));
  return answer;
}

// One call of the message pump: pump() peeks, dispatches and says what it found (a JournalPump
// value); in playback the recorded finding is returned without pumping.
template <typename Pump>
int JournalPumpMessage(Pump pump) {
  if (JournalState == JournalOff) return pump();
  if (JournalState == JournalPlayingBack)
    return static_cast<int>(JournalPlayedNumber(JournalPump, 0));
  return static_cast<int>(JournalRecordedNumber(JournalPump, 0, pump()));
}

// ---- Recording ------------------------------------------------------------------------------

// Starts writing a replay to path (made anew). seed goes to the header until the clock is asked;
// setup says how the program started, for a program that takes arguments. False, with the
// reason, when the file cannot be made.
bool JournalStartRecording(const char* path, JournalProgram program, int64_t seed,
                           const std::string& setup, std::string* error);
// Starts a recording when VAULTRUN_RECORD names a file, the program's only switch. A file that
// cannot be made is reported on standard error and the program runs unrecorded.
void JournalRecordFromEnvironment(JournalProgram program, int64_t seed, const std::string& setup);

// Closes the current pass. hash computes its hash (the frame's, or the walk's state); it is
// called only for a pass that carries one. last: the program ends after this pass.
void JournalEndPass(bool last, uint64_t (*hash)());
// Recording: writes the end mark and closes the file. Playback: stops answering. Both end with
// the journal off.
void JournalFinish();

// ---- Replays --------------------------------------------------------------------------------

// One answer of a replay that differs from the last answer to the same question.
struct JournalAnswer {
  uint32_t ordinal;  // the question's number within its pass
  uint8_t kind;      // JournalKind
  uint8_t arg;       // key, step or channel; 0 for the other kinds
  bool ok;           // cursor and rectangle: the call succeeded
  int64_t value[4];  // held bit; x, y; left, top, right, bottom; else the answer in value[0]
};

struct JournalPass {
  uint32_t questions;    // questions asked in the pass
  uint32_t firstAnswer;  // its answers are answers[firstAnswer .. next pass's firstAnswer)
  bool hashed;
  uint64_t hash;
};

struct Replay {
  uint16_t version;
  uint8_t program;  // JournalProgram
  uint16_t hashInterval;
  uint16_t renderWidth, renderHeight;
  int64_t seed;
  std::string setup;
  std::vector<JournalPass> passes;  // passes[0] is the start-up
  std::vector<JournalAnswer> answers;
  bool complete;  // the end mark was found: the program ended normally
};

// Reads a replay from bytes. Returns an empty string, or why the bytes are refused (not a
// replay, a newer format, damaged). A replay cut short is not refused: it holds the passes that
// were written whole, and complete is false.
std::string ReadReplay(const uint8_t* bytes, size_t size, Replay* replay);
std::string ReadReplayFile(const std::string& path, Replay* replay);

// ---- Playback -------------------------------------------------------------------------------

struct JournalPlayback {
  uint32_t passesPlayed;  // loop passes played to their end
  uint32_t hashesCompared;
  uint32_t hashesMatched;
  int64_t firstMismatch;   // the first pass whose hash differs from the recorded one, or -1
  int64_t lastMatch;       // the last hashed pass before it that matched, or -1
  std::string divergence;  // why the program left the recording, or empty
  int64_t divergedPass;    // the pass where it did, or -1
  bool over;               // every recorded pass is played, or the program left the recording
};
extern JournalPlayback JournalPlaybackState;

// Answers every question from replay (which must outlive the playback) from pass 0 on; with
// verify, each recorded hash is compared with the one the program now computes.
void JournalStartPlayback(const Replay& replay, bool verify);
