// The two modes of vaultrun-snapshot. Each returns the exit status: 0 on success, 2 after a
// message on standard error for a wrong or missing argument.
#pragma once

// font_sheet.cpp: --font-sheet small|fixed|big --out FILE
int FontSheetMain(int argc, char** argv);
// render.cpp: frames of the real start-up scene
int SnapshotMain(int argc, char** argv);
// replay.cpp: --replay FILE [--verify] [--pass N] [--out IMAGE]; exit 1 when the playback
// differs from the recording
int ReplayMain(int argc, char** argv);
