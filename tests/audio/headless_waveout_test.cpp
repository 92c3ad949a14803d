// The headless device's wave-out streams: the Win32 behaviour the audio system relies on, on the
// virtual clock.
#include <gtest/gtest.h>

#include <vector>

#include "audio_test_support.h"

namespace {

class HeadlessWaveOut : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    buffer.assign(100000, 0);
    ASSERT_EQ(Open(&stream), MmSysErrNoError);
  }
  void TearDown() override { HeadlessReset(); }

  static uint32_t Open(PlatformWaveOut* handle) {
    WaveFormat format{WaveFormatPcm, 1, 44100, 88200, 2, 16, 0};
    return PlatformWaveOutOpen(handle, WaveMapper, &format, 0, 0, 0x10);
  }
  WaveHeader Header(uint32_t length, uint32_t loops = 0) {
    WaveHeader header{};
    header.lpData = reinterpret_cast<char*>(buffer.data());
    header.dwBufferLength = length;
    if (loops) {
      header.dwFlags = WhdrBeginLoop | WhdrEndLoop;
      header.dwLoops = loops;
    }
    return header;
  }
  void Play(WaveHeader* header) {
    ASSERT_EQ(PlatformWaveOutPrepareHeader(stream, header, sizeof(WaveHeader)), MmSysErrNoError);
    ASSERT_EQ(PlatformWaveOutWrite(stream, header, sizeof(WaveHeader)), MmSysErrNoError);
  }
  uint32_t Position() {
    WaveTime time{};
    time.wType = TimeBytes;
    EXPECT_EQ(PlatformWaveOutGetPosition(stream, &time, sizeof(WaveTime)), MmSysErrNoError);
    EXPECT_EQ(time.wType, TimeBytes);
    return time.u.cb;
  }

  std::vector<uint8_t> buffer;
  PlatformWaveOut stream = nullptr;
};

TEST_F(HeadlessWaveOut, HeaderPlaysOnceAtTheFormatsRateAndStopsAtItsEnd) {
  WaveHeader header = Header(8820);  // 100 ms
  Play(&header);
  EXPECT_EQ(Position(), 0u);
  PlatformSleep(50);
  EXPECT_EQ(Position(), 4410u);
  PlatformSleep(50);
  EXPECT_EQ(Position(), 8820u);
  PlatformSleep(1000);
  EXPECT_EQ(Position(), 8820u);
  EXPECT_EQ(header.dwFlags & (WhdrDone | WhdrInQueue), WhdrDone);
  // The next header's bytes count on from there until a reset.
  WaveHeader second = Header(882);
  Play(&second);
  PlatformSleep(5);
  EXPECT_EQ(Position(), 8820u + BytesAfterMs(5));
}

// A header with both loop flags plays its loop count, the position counting on across passes;
// one flag alone does not loop; break loop lets the current pass end.
TEST_F(HeadlessWaveOut, HeaderWithBothLoopFlagsPlaysItsLoopCountUntilTheLoopIsBroken) {
  WaveHeader header = Header(882, 3);  // 10 ms a pass
  Play(&header);
  PlatformSleep(25);
  EXPECT_EQ(Position(), BytesAfterMs(25));
  PlatformSleep(1000);
  EXPECT_EQ(Position(), 3u * 882u);

  ASSERT_EQ(PlatformWaveOutReset(stream), MmSysErrNoError);
  header = Header(882, 3);
  header.dwFlags = WhdrBeginLoop;
  Play(&header);
  PlatformSleep(1000);
  EXPECT_EQ(Position(), 882u);

  ASSERT_EQ(PlatformWaveOutReset(stream), MmSysErrNoError);
  header = Header(882, 999);
  Play(&header);
  PlatformSleep(25);  // in the third pass
  EXPECT_EQ(PlatformWaveOutBreakLoop(stream), MmSysErrNoError);
  PlatformSleep(4);
  EXPECT_EQ(Position(), BytesAfterMs(29));
  PlatformSleep(1000);
  EXPECT_EQ(Position(), 3u * 882u);
}

TEST_F(HeadlessWaveOut, ResetStopsAndReturnsThePositionToZero) {
  WaveHeader header = Header(882, 999);
  Play(&header);
  PlatformSleep(25);
  EXPECT_EQ(PlatformWaveOutReset(stream), MmSysErrNoError);
  EXPECT_EQ(Position(), 0u);
  PlatformSleep(100);
  EXPECT_EQ(Position(), 0u);
  EXPECT_EQ(header.dwFlags & (WhdrDone | WhdrInQueue), WhdrDone);
  // The header stays prepared and plays again.
  ASSERT_EQ(PlatformWaveOutWrite(stream, &header, sizeof(WaveHeader)), MmSysErrNoError);
  PlatformSleep(5);
  EXPECT_EQ(Position(), BytesAfterMs(5));
}

TEST_F(HeadlessWaveOut, OneHeaderAtATime) {
  WaveHeader first = Header(8820);
  Play(&first);
  WaveHeader second = Header(882);
  ASSERT_EQ(PlatformWaveOutPrepareHeader(stream, &second, sizeof(WaveHeader)), MmSysErrNoError);
  EXPECT_EQ(PlatformWaveOutWrite(stream, &second, sizeof(WaveHeader)), 33u);  // still playing
  EXPECT_EQ(PlatformWaveOutUnprepareHeader(stream, &first, sizeof(WaveHeader)), 33u);
  EXPECT_EQ(PlatformWaveOutClose(stream), 33u);
  PlatformSleep(100);
  EXPECT_EQ(PlatformWaveOutUnprepareHeader(stream, &first, sizeof(WaveHeader)), MmSysErrNoError);
  EXPECT_EQ(first.dwFlags & WhdrPrepared, 0u);
}

TEST_F(HeadlessWaveOut, RefusesUnpreparedAndEmptyHeaders) {
  WaveHeader header = Header(882);
  EXPECT_EQ(PlatformWaveOutWrite(stream, &header, sizeof(WaveHeader)), WaveErrUnprepared);
  WaveHeader noData = Header(882);
  noData.lpData = nullptr;
  EXPECT_NE(PlatformWaveOutPrepareHeader(stream, &noData, sizeof(WaveHeader)), MmSysErrNoError);
  noData.dwFlags = WhdrPrepared;  // prepared by hand: still nothing to play
  EXPECT_NE(PlatformWaveOutWrite(stream, &noData, sizeof(WaveHeader)), MmSysErrNoError);
  EXPECT_EQ(PlatformWaveOutPrepareHeader(stream, nullptr, sizeof(WaveHeader)), MmSysErrInvalParam);
  PlatformSleep(100);
  EXPECT_EQ(Position(), 0u);
}

TEST_F(HeadlessWaveOut, InvalidAndClosedHandlesAreRefused) {
  ASSERT_EQ(PlatformWaveOutClose(stream), MmSysErrNoError);
  WaveHeader header = Header(882);
  header.dwFlags = WhdrPrepared;
  int marker;
  for (PlatformWaveOut handle : {PlatformWaveOut{nullptr}, stream, PlatformWaveOut{&marker}}) {
    EXPECT_EQ(PlatformWaveOutWrite(handle, &header, sizeof header), MmSysErrInvalHandle);
    EXPECT_EQ(PlatformWaveOutReset(handle), MmSysErrInvalHandle);
    EXPECT_EQ(PlatformWaveOutClose(handle), MmSysErrInvalHandle);
  }
  // A new stream in the same place does not revive the old handle.
  PlatformWaveOut again = nullptr;
  ASSERT_EQ(Open(&again), MmSysErrNoError);
  EXPECT_EQ(PlatformWaveOutReset(stream), MmSysErrInvalHandle);
  stream = again;
}

TEST_F(HeadlessWaveOut, OpensFailPastTheLimitAndForOtherFormats) {
  HeadlessWaveOutOpenLimit = 3;
  PlatformWaveOut second = nullptr, third = nullptr, fourth = &second;
  EXPECT_EQ(Open(&second), MmSysErrNoError);
  EXPECT_EQ(Open(&third), MmSysErrNoError);
  EXPECT_EQ(Open(&fourth), MmSysErrBadDeviceId);
  EXPECT_EQ(fourth, nullptr);
  EXPECT_EQ(HeadlessWaveOutOpenStreams(), 3);
  ASSERT_EQ(PlatformWaveOutClose(third), MmSysErrNoError);
  EXPECT_EQ(Open(&fourth), MmSysErrNoError);
  HeadlessWaveOutOpenLimit = 64;
  WaveFormat stereo{WaveFormatPcm, 2, 44100, 176400, 4, 16, 0};
  PlatformWaveOut fifth = nullptr;
  EXPECT_NE(PlatformWaveOutOpen(&fifth, WaveMapper, &stereo, 0, 0, 0), MmSysErrNoError);
  EXPECT_EQ(fifth, nullptr);
}

}  // namespace
