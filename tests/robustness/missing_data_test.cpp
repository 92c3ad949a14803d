// The whole program with one of its data folders gone: start-up goes on, the slots whose files
// live in that folder stay empty (every other slot loads), nothing is created in place of the
// folder, and the loop runs every key to Escape.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "audio/audio.h"
#include "tests/robustness/program_run.h"
#include "textures/textures.h"

namespace {

namespace fs = std::filesystem;
using robustness::ProgramData;
using robustness::ResetProgramGlobals;
using robustness::RunScriptPasses;

// Loaded slots and the folder each one's picture came from: the data files carry their folder's
// number plus one in their first stored byte, blue, which the loader moves to byte 2.
std::map<uint32_t, int> SlotFolders() {
  std::map<uint32_t, int> folders;
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
    if (TextureSlotTable[slot].pixels) folders[slot] = TextureSlotTable[slot].pixels[2] - 1;
  return folders;
}

TEST(MissingData, EachFolderGoneLeavesItsOwnSlotsEmptyAndTheProgramRuns) {
  ProgramData data;
  WorkingDirectory inData(data.path());

  ResetProgramGlobals();
  StartUp();
  const std::map<uint32_t, int> everything = SlotFolders();
  // 217 list files and the entry point's three cube files, each in its own slot.
  ASSERT_EQ(everything.size(), 220u);
  EXPECT_EQ(SoundSlots[1].length, 8820u);
  ShutDown();

  for (int missing = 0; missing < soak::DataFolderCount; ++missing) {
    const std::string name = soak::DataFolders[missing];
    SCOPED_TRACE(name + " missing");
    fs::rename(name, name + ".away");

    ResetProgramGlobals();
    StartUp();
    std::map<uint32_t, int> expected;
    for (const auto& [slot, folder] : everything)
      if (folder != missing) expected[slot] = folder;
    EXPECT_EQ(SlotFolders(), expected);
    uint32_t soundLength = name == "sound" ? 0u : 8820u;
    EXPECT_EQ(SoundSlots[1].length, soundLength);
    EXPECT_EQ(SoundSlots[2].length, soundLength);

    RunScriptPasses(0, 60, 60);  // every key once, then Escape
    EXPECT_EQ(QuitRequested, 1);
    ShutDown();
    EXPECT_FALSE(fs::exists(name));
    fs::rename(name + ".away", name);
  }
}

}  // namespace
