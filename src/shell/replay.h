// Replays of the main loop: closing each pass of the journal with the frame's hash, and playing
// a recorded session back through the real start-up and loop (input/journal.h answers every
// question from the replay).
#pragma once

#include <cstdint>

#include "input/journal.h"

// What the loop changes and start-up does not set, back to the values of a fresh process; the
// window handles too, which in a playback are the journal's stand-ins.
void ResetLoopState();
// FNV-1a 64 of the RenderWidth * RenderHeight * 4 bytes of the FrameBuffer.
uint64_t FrameBufferHash();
// Closes the journal's pass; the program ends after it when QuitRequested is set.
void EndJournalPass();

// Playback, in three steps so that a caller can look at the frame after each pass. The loop's
// state starts as in a fresh process; the replay must outlive the playback.
void StartLoopReplay(const Replay& replay, bool verify);
// Plays one loop pass; false when none is left: the recording's end, the end of a replay cut
// short, or the program leaving the recording (JournalPlaybackState says which).
bool PlayLoopReplayPass();
void EndLoopReplay();
