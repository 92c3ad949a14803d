// The layout of a replay file, shared by the journal that writes and plays replays and by the
// reader that checks them. docs/replay.md describes it for the file's readers.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "input/journal.h"

namespace journal_format {

constexpr char Magic[8] = {'V', 'R', 'R', 'E', 'P', 'L', 'A', 'Y'};
constexpr uint16_t Version = 1;
constexpr size_t HeaderBytes = 28;  // up to the setup text
constexpr size_t SetupLimit = 1024;
constexpr uint32_t QuestionLimit = 1u << 24;  // questions in one pass
constexpr int64_t CoordinateLimit = 1 << 24;  // screen coordinates, either sign

enum : uint8_t {
  TagPass = 0x01,
  TagHashedPass = 0x02,
  TagEnd = 0x03,
  TagAnswer = 0x10,  // + 2 * kind + flag
};

enum : uint8_t { FlagNone, FlagHeld, FlagFailed };

// How the answers of one kind are written after their tag and ordinal gap.
struct KindLayout {
  uint8_t values;     // numbers that follow (the arg byte first, where there is one)
  uint16_t argLimit;  // args run 0 .. argLimit - 1; 0: the kind has no arg
  bool deltas;        // numbers are differences from the last answer to the question
  uint8_t flag;       // what the tag's low bit says
  int64_t low, high;  // every value lies within
};

constexpr int64_t Int32Low = std::numeric_limits<int32_t>::min();
constexpr int64_t Int32High = std::numeric_limits<int32_t>::max();
constexpr int64_t Uint32High = std::numeric_limits<uint32_t>::max();
constexpr int64_t Int64Low = std::numeric_limits<int64_t>::min();
constexpr int64_t Int64High = std::numeric_limits<int64_t>::max();

constexpr KindLayout Layouts[JournalKindCount] = {
    {0, 256, false, FlagHeld, 0, 1},                              // key
    {2, 0, true, FlagFailed, -CoordinateLimit, CoordinateLimit},  // cursor
    {4, 0, true, FlagFailed, -CoordinateLimit, CoordinateLimit},  // rectangle
    {1, 0, false, FlagNone, Int32Low, Int32High},                 // message box
    {1, JournalStepCount, false, FlagNone, Int32Low, Int32High},  // window step
    {1, 64, false, FlagNone, 0, Uint32High},                      // wave-out open
    {1, 64, false, FlagNone, 0, Uint32High},                      // wave-out position
    {1, 0, false, FlagNone, JournalPumpEmpty, JournalPumpClose},  // message pump
    {1, 0, true, FlagNone, Int64Low, Int64High},                  // clock
};

// The last answer to one question, the reference of the next one.
struct Answer {
  bool ok;
  int64_t value[4];
};

inline bool SameAnswer(const Answer& a, const Answer& b) {
  return a.ok == b.ok && std::memcmp(a.value, b.value, sizeof a.value) == 0;
}

// The last answer to every question; at the start of a replay each question's reference is the
// answer a fresh program expects: keys up, the cursor at (0, 0), no window rectangle yet, OK for
// a box, every window step successful (a pixel format of 1), wave-out results and positions 0,
// an empty message queue, and the header's seed for the clock.
struct LastAnswers {
  Answer answer[JournalKindCount][256];

  void Reset(int64_t seed) {
    std::memset(answer, 0, sizeof answer);
    for (auto& kind : answer)
      for (Answer& one : kind) one.ok = true;
    answer[JournalRect][0].ok = false;
    answer[JournalBox][0].value[0] = IdOk;
    for (Answer& step : answer[JournalStep]) step.value[0] = 1;
    answer[JournalClock][0].value[0] = seed;
  }
  Answer& Of(int kind, int arg) { return answer[kind][arg]; }
};

inline uint64_t Zigzag(int64_t value) {
  return (static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63);
}
inline int64_t Unzigzag(uint64_t value) {
  return static_cast<int64_t>(value >> 1) ^ -static_cast<int64_t>(value & 1);
}

// Little-endian base-128 numbers: 7 bits a byte, the high bit set on every byte but the last.
inline void WriteVarint(std::string& out, uint64_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<char>(value | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<char>(value));
}

inline void WriteLittleEndian(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// The difference of two answers, or the answer itself, as the layout writes it; in unsigned
// arithmetic, so that the clock's difference wraps instead of overflowing.
inline int64_t Difference(int64_t value, int64_t last, bool deltas) {
  return deltas ? static_cast<int64_t>(static_cast<uint64_t>(value) - static_cast<uint64_t>(last))
                : value;
}
inline int64_t Undifference(int64_t written, int64_t last, bool deltas) {
  return deltas ? static_cast<int64_t>(static_cast<uint64_t>(last) + static_cast<uint64_t>(written))
                : written;
}

}  // namespace journal_format
