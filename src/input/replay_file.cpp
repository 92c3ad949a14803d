// Reading a replay: the header, then every record checked before anything is played, so that
// a foreign or damaged file is refused with a reason and never half played.
#include <cstdio>
#include <cstring>
#include <memory>

#include "input/journal.h"
#include "input/journal_format.h"

using namespace journal_format;

namespace {

// Replays grow by a few bytes a pass, some 5 MB an hour; a larger file is not one.
constexpr size_t FileLimit = 16u << 20;

struct ByteReader {
  const uint8_t* bytes;
  size_t size;
  size_t at;
  bool cut;    // a read ran past the end
  bool long_;  // a number took more bytes than 64 bits need

  uint64_t Fixed(int count) {
    if (size - at < static_cast<size_t>(count)) {
      cut = true;
      at = size;
      return 0;
    }
    uint64_t value = 0;
    for (int i = 0; i < count; ++i) value |= static_cast<uint64_t>(bytes[at + i]) << (8 * i);
    at += count;
    return value;
  }

  uint64_t Varint() {
    uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      if (at == size) {
        cut = true;
        return 0;
      }
      uint8_t byte = bytes[at++];
      if (shift == 63 && byte > 1) break;
      value |= static_cast<uint64_t>(byte & 0x7F) << shift;
      if (!(byte & 0x80)) return value;
    }
    long_ = true;
    return 0;
  }
};

std::string Damaged(size_t at, const std::string& what) {
  return "damaged at byte " + std::to_string(at) + ": " + what;
}

std::string ReadHeader(ByteReader& in, Replay* replay) {
  if (in.size < sizeof Magic || std::memcmp(in.bytes, Magic, sizeof Magic) != 0)
    return "not a VAULTRUN replay (it does not begin with VRREPLAY)";
  in.at = sizeof Magic;
  replay->version = static_cast<uint16_t>(in.Fixed(2));
  replay->program = static_cast<uint8_t>(in.Fixed(1));
  uint8_t reserved = static_cast<uint8_t>(in.Fixed(1));
  replay->hashInterval = static_cast<uint16_t>(in.Fixed(2));
  replay->renderWidth = static_cast<uint16_t>(in.Fixed(2));
  replay->renderHeight = static_cast<uint16_t>(in.Fixed(2));
  replay->seed = static_cast<int64_t>(in.Fixed(8));
  size_t setupBytes = in.Fixed(2);
  if (in.cut || in.size - in.at < setupBytes) return "a replay cut short inside its header";
  if (replay->version > Version)
    return "a replay of format " + std::to_string(replay->version) +
           ", newer than this VAULTRUN reads (" + std::to_string(Version) + ")";
  if (replay->version != Version) return Damaged(8, "format version 0");
  if (replay->program != JournalProgramLoop && replay->program != JournalProgramExplore)
    return Damaged(10, "unknown program " + std::to_string(replay->program));
  if (reserved != 0) return Damaged(11, "reserved byte not 0");
  if (replay->hashInterval == 0) return Damaged(12, "hash interval 0");
  if (setupBytes > SetupLimit) return Damaged(26, "setup text longer than 1024 bytes");
  replay->setup.assign(reinterpret_cast<const char*>(in.bytes + in.at), setupBytes);
  in.at += setupBytes;
  return "";
}

// Reads one answer after its tag; returns an empty string, or what is wrong with it.
std::string ReadAnswer(ByteReader& in, uint8_t tag, uint32_t nextOrdinal, LastAnswers& last,
                       JournalAnswer* answer) {
  size_t at = in.at - 1;
  int kind = (tag - TagAnswer) / 2, flag = (tag - TagAnswer) % 2;
  const KindLayout* layout = tag >= TagAnswer && kind < JournalKindCount ? &Layouts[kind] : nullptr;
  if (!layout || (flag && layout->flag == FlagNone)) return Damaged(at, "unknown record");
  uint64_t gap = in.Varint();
  int arg = layout->argLimit ? static_cast<int>(in.Fixed(1)) : 0;
  if (in.cut || in.long_) return "";
  if (gap >= QuestionLimit - nextOrdinal) return Damaged(at, "question number out of range");
  if (layout->argLimit && arg >= layout->argLimit) return Damaged(at, "argument out of range");
  Answer& reference = last.Of(kind, arg);
  *answer = JournalAnswer{static_cast<uint32_t>(nextOrdinal + gap),
                          static_cast<uint8_t>(kind),
                          static_cast<uint8_t>(arg),
                          true,
                          {0, 0, 0, 0}};
  if (layout->flag == FlagHeld) answer->value[0] = flag;
  if (layout->flag == FlagFailed) answer->ok = !flag;
  for (int v = 0; v < layout->values; ++v) {
    int64_t written = Unzigzag(in.Varint());
    if (in.cut || in.long_) return "";
    int64_t value = Undifference(written, reference.value[v], layout->deltas);
    if (value < layout->low || value > layout->high) return Damaged(at, "answer out of range");
    answer->value[v] = value;
  }
  if (kind == JournalPump && answer->value[0] == 2) return Damaged(at, "unknown pump finding");
  reference.ok = answer->ok;
  std::memcpy(reference.value, answer->value, sizeof reference.value);
  return "";
}

}  // namespace

std::string ReadReplay(const uint8_t* bytes, size_t size, Replay* replay) {
  *replay = Replay{};
  ByteReader in{bytes, size, 0, false, false};
  std::string error = ReadHeader(in, replay);
  if (!error.empty()) return error;

  auto last = std::make_unique<LastAnswers>();
  last->Reset(replay->seed);
  std::vector<JournalAnswer> open;  // answers of the pass being read
  uint32_t nextOrdinal = 0, previousQuestions = 0;
  while (in.at < in.size) {
    size_t at = in.at;
    uint8_t tag = in.bytes[in.at++];
    if (tag == TagEnd) {
      if (!open.empty()) return Damaged(at, "end mark inside a pass");
      if (in.at != in.size) return Damaged(in.at, "bytes after the end mark");
      replay->complete = true;
      break;
    }
    if (tag == TagPass || tag == TagHashedPass) {
      int64_t change = Unzigzag(in.Varint());
      uint64_t hash = tag == TagHashedPass ? in.Fixed(8) : 0;
      if (in.long_) return Damaged(at, "a number longer than 64 bits");
      if (in.cut) break;
      int64_t questions = change < -static_cast<int64_t>(QuestionLimit) || change > QuestionLimit
                              ? -1
                              : previousQuestions + change;
      if (questions < nextOrdinal || questions > QuestionLimit)
        return Damaged(at, "question count out of range");
      replay->passes.push_back(JournalPass{static_cast<uint32_t>(questions),
                                           static_cast<uint32_t>(replay->answers.size()),
                                           tag == TagHashedPass, hash});
      replay->answers.insert(replay->answers.end(), open.begin(), open.end());
      open.clear();
      nextOrdinal = 0;
      previousQuestions = static_cast<uint32_t>(questions);
      continue;
    }
    JournalAnswer answer;
    error = ReadAnswer(in, tag, nextOrdinal, *last, &answer);
    if (!error.empty()) return error;
    if (in.long_) return Damaged(at, "a number longer than 64 bits");
    if (in.cut) break;
    open.push_back(answer);
    nextOrdinal = answer.ordinal + 1;
  }
  return "";
}

std::string ReadReplayFile(const std::string& path, Replay* replay) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return "cannot read " + path;
  std::string bytes;
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() <= FileLimit)
    bytes.append(chunk, got);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return "cannot read " + path;
  if (bytes.size() > FileLimit) return path + " is larger than any replay (16 MiB)";
  if (bytes.empty())
    return path +
           " is empty: not a VAULTRUN replay (a recording stopped during the start-up "
           "leaves an empty file)";
  std::string error =
      ReadReplay(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), replay);
  return error.empty() ? error : path + ": " + error;
}
