// vaultrun-snapshot frames: the real start-up on the headless backend, then K passes of the main
// loop's drawing steps with a given mouse position, switches and scene settings, and the last
// frame written as an image with its checksum.
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/engine.h"
#include "frame/frame.h"
#include "input/input.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "tools/common/arguments.h"
#include "tools/common/cursor.h"
#include "tools/common/image_file.h"
#include "tools/snapshot/snapshot.h"

namespace {

constexpr const char* Usage =
    "usage: vaultrun-snapshot [--seed S] [--mouse X Y] [--mouse-scale 1|2|3] [--last-object N]\n"
    "                         [--light-count N] [--view-distance D] [--switches TLBN]\n"
    "                         [--frames K] [--out FILE]\n"
    "  --seed S           seed of the random generator instead of the clock (default 1)\n"
    "  --mouse X Y        render pixel under the cursor, 0..319 and 0..239 (default 0 0)\n"
    "  --mouse-scale M    mouse pixels to view degrees, 1, 2 or 3 (default 3)\n"
    "  --last-object N    draw objects 1..N of the 117 built, 0..117 (default 1)\n"
    "  --light-count N    live lights of the 5 built, 0..5 (default 1)\n"
    "  --view-distance D  depth offset of the view (default -360)\n"
    "  --switches TLBN    texturing, lighting, coarse fill, outlines as four 0/1 digits\n"
    "                     (default 1111)\n"
    "  --frames K         passes of the drawing steps, 1..1000 (default 1)\n"
    "  --out FILE         write the last frame, .png or .bmp\n"
    "\n"
    "       vaultrun-snapshot --font-sheet small|fixed|big --out FILE\n"
    "  every glyph of one font, codes 32 to 126, in white on a cleared frame\n"
    "\n"
    "       vaultrun-snapshot --replay FILE [--verify] [--pass N] [--out IMAGE]\n"
    "  plays a replay that VAULTRUN_RECORD=FILE wrote (docs/replay.md)\n";

struct SnapshotSettings {
  uint32_t seed = 1;
  int mouseX = 0, mouseY = 0;
  int mouseScale = 3;
  int lastObject = 1;
  int lightCount = 1;
  float viewDistance = -360.0f;
  int switches[4] = {1, 1, 1, 1};
  int frames = 1;
  std::string out;
};

bool ReadSwitches(const std::string& digits, int switches[4]) {
  if (digits.size() != 4) return false;
  for (int i = 0; i < 4; ++i) {
    if (digits[i] != '0' && digits[i] != '1') return false;
    switches[i] = digits[i] - '0';
  }
  return true;
}

// Returns an empty string when every argument is valid, else the first problem.
std::string ReadSettings(int argc, char** argv, SnapshotSettings* settings) {
  ToolArguments arguments = ReadArguments(argc, argv, 1);
  arguments.RejectUnknown({{"--seed", 1},
                           {"--mouse", 2},
                           {"--mouse-scale", 1},
                           {"--last-object", 1},
                           {"--light-count", 1},
                           {"--view-distance", 1},
                           {"--switches", 1},
                           {"--frames", 1},
                           {"--out", 1}});
  for (const char* option : {"--seed", "--mouse", "--mouse-scale", "--last-object", "--light-count",
                             "--view-distance", "--switches", "--frames", "--out"}) {
    int seen = 0;
    for (const std::string& word : arguments.words) seen += word == option;
    if (seen > 1 && arguments.error.empty()) arguments.error = std::string(option) + " given twice";
  }
  settings->seed = static_cast<uint32_t>(arguments.Integer("--seed", 1, 0, UINT32_MAX));
  if (arguments.Has("--mouse")) {
    std::vector<int64_t> mouse = arguments.Integers("--mouse", 2, 0, 319);
    if (mouse.size() == 2) {
      settings->mouseX = static_cast<int>(mouse[0]);
      settings->mouseY = static_cast<int>(mouse[1]);
      if (settings->mouseY > 239 && arguments.error.empty())
        arguments.error = "--mouse needs X from 0 to 319 and Y from 0 to 239";
    }
  }
  settings->mouseScale = static_cast<int>(arguments.Integer("--mouse-scale", 3, 1, 3));
  settings->lastObject = static_cast<int>(arguments.Integer("--last-object", 1, 0, 117));
  settings->lightCount = static_cast<int>(arguments.Integer("--light-count", 1, 0, 5));
  double viewDistance = arguments.Real("--view-distance", -360.0);
  if (std::fabs(viewDistance) > FLT_MAX && arguments.error.empty())
    arguments.error = "--view-distance needs a number within single precision";
  settings->viewDistance = static_cast<float>(viewDistance);
  if (arguments.Has("--switches") &&
      !ReadSwitches(arguments.Text("--switches", "1111"), settings->switches) &&
      arguments.error.empty())
    arguments.error = "--switches needs four digits 0 or 1 (texturing, lighting, coarse, outlines)";
  settings->frames = static_cast<int>(arguments.Integer("--frames", 1, 1, 1000));
  settings->out = arguments.Text("--out", "");
  return arguments.error;
}

}  // namespace

int SnapshotMain(int argc, char** argv) {
  if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
    std::fputs(Usage, stdout);
    return 0;
  }
  SnapshotSettings settings;
  std::string error = ReadSettings(argc, argv, &settings);
  if (!error.empty()) {
    std::fprintf(stderr, "vaultrun-snapshot: %s\n%s", error.c_str(), Usage);
    return 2;
  }

  HeadlessReset();
  HeadlessCalendarSeconds = settings.seed;  // start-up seeds the generator with the "clock"
  StartUp();

  LastObjectId = settings.lastObject;
  LightCount = settings.lightCount;
  ViewDistance = settings.viewDistance;
  MouseScale = static_cast<float>(settings.mouseScale);
  TexturingEnabled = settings.switches[0];
  LightingEnabled = settings.switches[1];
  CoarseFillEnabled = settings.switches[2];
  WireframeEnabled = settings.switches[3];
  if (!PlaceCursorOnRenderPixel(settings.mouseX, settings.mouseY)) {
    std::fprintf(stderr, "vaultrun-snapshot: the cursor cannot be placed at %d %d\n",
                 settings.mouseX, settings.mouseY);
    return 1;
  }

  for (int frame = 0; frame < settings.frames; ++frame) DrawPass(/*withLoopKeys=*/false);

  if (!settings.out.empty() && !WriteFrameImage(settings.out)) return 1;
  std::printf("fnv1a64 %016" PRIx64 "\nlit %d\n", FrameHash(), LitPixelCount());
  return 0;
}
