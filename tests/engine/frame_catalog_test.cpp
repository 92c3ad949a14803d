// Frame catalog: whole frames of the real program, as FNV-1a 64-bit hashes.
//
// Each row runs the program's start-up on the headless backend in a folder of the asset tool's
// pictures, with the clock reading the row's seed, sets the scene as vaultrun-snapshot does, and
// draws one pass of the main loop's drawing steps. The frame hash is what `vaultrun-snapshot`
// prints for the same settings (rows without an extra); the second hash covers the depth buffer
// and then the outline mask. The rows sweep the mouse (edges and corners included), the three
// mouse scales, all sixteen switch settings, 0 to 5 lights as built and placed apart (inside a
// box, behind the viewer, far off, tiny and huge ranges), view distances that put the viewer far
// off, among the objects, inside box 1 and beyond them all, the start-up box, parts of the
// scene, boxes and triangles under several seeds, and a brick picture that failed to load.
//
// How the values were obtained: recorded from the program at commit 45154b1 (the span drawer
// with its shade cache and SSE paths) on 2026-12-06, and cross-checked the same day against the
// separately written reference renderer that then lived in tests/engine/reference_renderer.cpp:
// for every row the reference built the same scene, drew it into buffers of its own, the
// program's overlay lines and cursor were drawn over its frame, and its frame hash and its depth
// and mask hash had to equal the program's. All 64 rows agreed; the check is the test
// CrossCheckAgainstReference of commit 9463b38. For the missing picture the reference took
// the program's decision, mid grey (128, 128, 128) as the surface, in place of its own.
// The frame hashes of the rows without an extra were also compared with the output of
// vaultrun-snapshot at 45154b1, each run in a process of its own: all equal.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "base/fnv1a.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "input/input.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "shell/replay.h"
#include "shell/shell.h"
#include "tests/support/scratch_folder.h"
#include "textures/textures.h"
#include "tools/assets/assets.h"
#include "tools/common/cursor.h"
#include "tools/common/image_file.h"

namespace {

// What a row changes beyond the settings vaultrun-snapshot takes.
enum Extra {
  None,
  Spread,   // the five lights apart, each its own colour and range
  Harsh,    // lights inside a box, behind the viewer, far off, of tiny and huge ranges
  NoBrick,  // the brick picture failed to load: its slot stays empty
};

struct LightPlace {
  float x, y, z, range, red, green, blue;
};

const LightPlace SpreadLights[5] = {{50, 50, 50, 60, 0, 255, 0},
                                    {-130, 40, 90, 90, 255, 40, 0},
                                    {20, -160, -70, 45, 0, 0, 255},
                                    {400, 350, 10, 150, 255, 255, 255},
                                    {-60, -30, 420, 30, 180, 120, 30}};
const LightPlace HarshLights[5] = {{0, 0, 0, 500, 255, 255, 255},
                                   {0, 0, -60, 5, 255, 0, 0},
                                   {1000, 1000, 1000, 2000, 0, 255, 255},
                                   {50, -50, 50, 0.5f, 12, 34, 56},
                                   {-3000, 0, 0, 1, 255, 255, 0}};

// One frame: the settings of `vaultrun-snapshot --seed --mouse --mouse-scale --last-object
// --light-count --view-distance --switches` (texturing, lighting, coarse fill, outlines), an
// extra, and the hashes of the frame and of the depth buffer followed by the outline mask.
struct Row {
  uint32_t seed;
  int mouseX, mouseY, mouseScale, lastObject, lightCount;
  float viewDistance;
  const char* switches;
  Extra extra;
  uint64_t frame, buffers;
};

// clang-format off
const Row Catalog[] = {
    {1,     0,   0,   3, 1,   1, -360,  "1111", None,    0x1c15c520a6affd02, 0xbf7f922ebcc4dec6},
    {1,     160, 120, 3, 117, 1, -360,  "1101", None,    0x3b2ce5af4808af95, 0x0ca3dce32792a9dc},
    {1,     0,   0,   3, 1,   1, -360,  "0000", None,    0x2e67339ca11e9b32, 0x2d80be6ecb390c4d},
    {1,     319, 239, 3, 1,   1, -360,  "0001", None,    0x0ff634b8e586bbaf, 0x01930f6def1bf00c},
    {1,     160, 120, 3, 1,   1, -360,  "0010", None,    0x3a75b8ed758bd078, 0x972ea70db384922a},
    {1,     0,   239, 3, 1,   1, -360,  "0011", None,    0xb3658267e3271037, 0x8d8589dfed9e210b},
    {1,     319, 0,   3, 1,   1, -360,  "0100", None,    0xafa37cd3ce6c2a57, 0x8360dd00bf21ab5e},
    {1,     80,  60,  3, 1,   1, -360,  "0101", None,    0x245eddb99d974832, 0x310e048750c4f73a},
    {1,     240, 180, 3, 1,   1, -360,  "0110", None,    0x81f5d19fc0924542, 0x6c10fd9a6fd49816},
    {1,     37,  201, 3, 1,   1, -360,  "0111", None,    0x066693d8f32a4e3d, 0x60a041557f2d6cb6},
    {1,     293, 17,  3, 1,   1, -360,  "1000", None,    0xf2333113c4aba6d7, 0x31b7dbe8991f167c},
    {1,     123, 45,  3, 1,   1, -360,  "1001", None,    0xd08e1eea4ef0f1a6, 0xd86f5a394603e37f},
    {1,     211, 133, 3, 1,   1, -360,  "1010", None,    0x3b75aa0ceb342963, 0xcfdac00e90c21186},
    {1,     160, 0,   3, 1,   1, -360,  "1011", None,    0x0964fa62f0a8c7f3, 0xb7d8aacebe13c727},
    {1,     0,   120, 3, 1,   1, -360,  "1100", None,    0xe966ca3fa15e7017, 0x2d80be6ecb390c4d},
    {1,     60,  200, 3, 1,   1, -360,  "1101", None,    0xc6aaec78c2c6e844, 0xaeeae1b65b21231c},
    {1,     275, 95,  3, 1,   1, -360,  "1110", None,    0x54508e37dc983848, 0x344e71a6da683449},
    {1,     150, 230, 3, 1,   1, -360,  "1111", None,    0x5445f2178567ab1b, 0xdd7e3775337c9711},
    {2,     0,   0,   3, 117, 1, -360,  "1111", None,    0x0ab09492d3683fc8, 0x25218e1f5088dd8f},
    {12345, 319, 239, 3, 117, 1, -360,  "1110", None,    0x1cf6bf8e6d7e115f, 0xd155fc794e26e8e2},
    {7,     80,  60,  2, 117, 1, -360,  "1100", None,    0x4445a6890915ee08, 0x48f26550353a22e2},
    {1,     240, 180, 1, 117, 0, -360,  "1001", None,    0x0ae778c281124ae2, 0x2437cffe186b9e36},
    {99,    37,  201, 3, 117, 1, -360,  "0111", None,    0x4ef33a8a32109a89, 0x821733bb0db6be57},
    {2,     160, 120, 3, 117, 2, -360,  "0101", None,    0xd1d4759cc1205d17, 0x93219f6abf26f62e},
    {3,     293, 17,  3, 117, 1, -1800, "1011", None,    0xa1ced8095049113c, 0xe78ce3af44db1399},
    {1,     123, 45,  3, 117, 1, -360,  "0000", None,    0x0a38160a787a5761, 0x6f0e741a678711f2},
    {12345, 0,   239, 3, 117, 1, -2000, "1101", None,    0x28455597f219e6d5, 0xab66357e782f8e4a},
    {7,     319, 0,   2, 117, 1, -2000, "1111", None,    0xf491745ce8d0fa48, 0x9254450fc7fce9e1},
    {1,     160, 120, 3, 1,   1, -36,   "1111", None,    0xcb05c64615c2c135, 0x516607442bccad46},
    {1,     37,  201, 3, 1,   1, -36,   "1101", None,    0xa83408f88f4fba11, 0x8462afdcd280bf3c},
    {1,     80,  60,  3, 1,   1, 0,     "1111", None,    0x8b5d2b1efd2b750b, 0x608d4e23e666121c},
    {1,     211, 133, 3, 1,   1, 0,     "1100", None,    0xea589ee70b548fd3, 0xf55cea20ee73a498},
    {1,     0,   0,   3, 1,   1, -100,  "1111", None,    0xb9a9f82ae6fdacd7, 0x7104b21eef1ddc2d},
    {1,     250, 40,  3, 1,   1, -60,   "1101", None,    0x236facfed4e9377e, 0x9ff1bcb9ec9546ba},
    {1,     250, 100, 3, 117, 1, -200,  "1111", None,    0x044bcd0a013f6bd3, 0x9b72f7b35d58a3bd},
    {1,     37,  201, 3, 117, 1, 0,     "1101", None,    0x5e9b8a1d61116cf0, 0xad38287a7e08457c},
    {1,     0,   120, 3, 117, 1, 360,   "1111", None,    0xb810028ded7dce42, 0x8c228c20866dbb25},
    {1,     60,  200, 3, 117, 1, -200,  "1101", None,    0x87059bd190dd84f4, 0xfde4fd2a0fb80bd4},
    {1,     300, 220, 3, 117, 1, -100,  "1100", None,    0xb71fd5cf3d59cd72, 0x038fabf48ecab0dd},
    {1,     160, 0,   3, 12,  1, -36,   "0101", None,    0x5881fbc6d763097f, 0x9cd08a8758ea1b99},
    {1,     160, 120, 3, 1,   0, -360,  "1111", None,    0x304589d52d3c9be8, 0xb7d8aacebe13c727},
    {1,     60,  200, 3, 1,   2, -360,  "1101", None,    0x2c08d7b305e8137f, 0xaeeae1b65b21231c},
    {1,     160, 120, 3, 117, 5, -360,  "1111", None,    0x9cefc4abc8e69fcf, 0xb7d8aacebe13c727},
    {1,     300, 30,  3, 117, 3, -360,  "1100", Spread,  0x77faf042ed18b01b, 0x6735f64aa40cc96a},
    {1,     160, 120, 3, 1,   2, -360,  "1111", Spread,  0xff581c845099edfd, 0xb7d8aacebe13c727},
    {1,     80,  60,  3, 117, 3, -360,  "1101", Spread,  0x6ab0e9828ad7c250, 0x2437cffe186b9e36},
    {1,     37,  201, 3, 1,   4, -360,  "0111", Spread,  0xdcce1b0a4dff740d, 0x60a041557f2d6cb6},
    {1,     211, 133, 3, 117, 5, -360,  "1111", Spread,  0xbb47d3be5c280cb7, 0xa00868a5dffbb2f6},
    {1,     0,   0,   3, 1,   5, -360,  "1101", Spread,  0x0253ebfd650c77a8, 0x204b76854aefc2aa},
    {1,     160, 120, 3, 1,   1, -360,  "1111", Harsh,   0xa6c911ba82d3f0f5, 0xb7d8aacebe13c727},
    {1,     160, 120, 3, 117, 3, -360,  "1101", Harsh,   0x2f2d5d45b3716798, 0x0ca3dce32792a9dc},
    {1,     240, 180, 3, 117, 5, -360,  "1110", Harsh,   0x88276f12a8211507, 0x5ce65d5160277cb3},
    {1,     80,  60,  3, 1,   5, -360,  "0101", Harsh,   0xbdfadc1c92679ea0, 0x310e048750c4f73a},
    {1,     160, 120, 3, 7,   2, -360,  "1111", Harsh,   0x8962764e67e8fbf1, 0xb7d8aacebe13c727},
    {1,     319, 239, 1, 60,  1, -360,  "1101", None,    0xb4f3f2717770edad, 0x3cbc80453e0d9b4b},
    {1,     160, 120, 2, 107, 1, -360,  "1111", None,    0xe8da4af1f5b93ff6, 0xb8458292eb78e516},
    {1,     0,   0,   1, 7,   1, -360,  "1101", None,    0x86027f28403e8ae9, 0x204b76854aefc2aa},
    {1,     319, 120, 2, 12,  1, -360,  "1111", None,    0xf264b4e8144c8fde, 0xb737767c102d8b1b},
    {5,     20,  20,  1, 117, 1, -1000, "1111", None,    0xf8857a92bf6b4f64, 0xf5758bb87e579694},
    {1,     160, 120, 3, 1,   1, -360,  "1111", NoBrick, 0x119b12295931967f, 0xb7d8aacebe13c727},
    {1,     160, 120, 3, 117, 1, -360,  "1101", NoBrick, 0x9a4bb62bb399b86c, 0x0ca3dce32792a9dc},
    {1,     160, 120, 3, 1,   1, -360,  "0111", NoBrick, 0x43cbbf44f63c12dc, 0xb7d8aacebe13c727},
    {1,     160, 120, 3, 117, 0, -360,  "1001", NoBrick, 0x6ac143195ed769c5, 0x0ca3dce32792a9dc},
    {1,     160, 120, 3, 1,   5, -360,  "1101", NoBrick, 0xcb16647b947e64fd, 0x0ca3dce32792a9dc},
};
// clang-format on

uint64_t BuffersHash() {
  size_t pixels = static_cast<size_t>(RenderWidth) * RenderHeight;
  uint64_t hash = Fnv1a64(DepthBuffer, pixels * sizeof(double));
  return Fnv1a64(LineMaskBuffer, pixels * sizeof(uint32_t), hash);
}

void PlaceLights(const LightPlace (&places)[5], SceneLight* table) {
  for (int i = 0; i < 5; ++i) {
    SceneLight& l = table[i + 1];
    const LightPlace& p = places[i];
    l.x = p.x, l.y = p.y, l.z = p.z, l.range = p.range;
    l.red = p.red, l.green = p.green, l.blue = p.blue;
  }
}

// The real start-up, seeded as the clock would seed it, in a folder of the asset tool's
// pictures, then the row's settings.
class FrameCatalog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pictures = new ScratchFolder;
    ASSERT_TRUE(assets::WritePictures(pictures->path().string()));
  }
  static void TearDownTestSuite() {
    delete pictures;
    pictures = nullptr;
  }

  void StartRow(const Row& row) {
    HeadlessReset();  // the globals a fresh process starts with
    ResetLoopState();
    HeadlessCalendarSeconds = row.seed;
    StartUp();
    LastObjectId = row.lastObject;
    LightCount = row.lightCount;
    ViewDistance = row.viewDistance;
    MouseScale = static_cast<float>(row.mouseScale);
    TexturingEnabled = row.switches[0] == '1';
    LightingEnabled = row.switches[1] == '1';
    CoarseFillEnabled = row.switches[2] == '1';
    WireframeEnabled = row.switches[3] == '1';
    if (row.extra == Spread) PlaceLights(SpreadLights, LightTable);
    if (row.extra == Harsh) PlaceLights(HarshLights, LightTable);
    if (row.extra == NoBrick) {
      std::free(TextureSlotTable[597].pixels);
      TextureSlotTable[597] = TextureSlot{};
    }
    ASSERT_TRUE(PlaceCursorOnRenderPixel(row.mouseX, row.mouseY));
  }

  static ScratchFolder* pictures;
};

ScratchFolder* FrameCatalog::pictures = nullptr;

TEST_F(FrameCatalog, EveryRowDrawsItsRecordedFrame) {
  WorkingDirectory inPictures(pictures->path());
  for (const Row& row : Catalog) {
    StartRow(row);
    DrawPass(false);
    EXPECT_EQ(FrameHash(), row.frame) << "row " << &row - Catalog;
    EXPECT_EQ(BuffersHash(), row.buffers) << "row " << &row - Catalog;
    ShutDown();
  }
}

}  // namespace
