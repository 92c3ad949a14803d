// vaultrun-snapshot --font-sheet small|fixed|big --out FILE: every glyph of one font on a
// 320 x 240 frame, sixteen to a row, written as an image (BMP, or PNG by the file's extension).
#include <cstdio>
#include <cstring>
#include <string>

#include "frame/frame.h"
#include "overlay/overlay.h"
#include "tools/common/arguments.h"
#include "tools/common/image_file.h"
#include "tools/snapshot/snapshot.h"

namespace {

enum class SheetFont { Small, Fixed, Big };

// Whether the font draws a glyph for the code; the sheet leaves the others' cells empty.
// SmallFont has none for the backtick and draws its blank glyph for ~; FixedFont has none for
// the backtick and ~.
bool SheetHasGlyph(SheetFont font, int code) {
  switch (font) {
    case SheetFont::Small:
      return code != '`';
    case SheetFont::Fixed:
      return code != '`' && code != '~';
    case SheetFont::Big:
      return true;
  }
  return false;
}

void DrawSheetCharacter(SheetFont font, int32_t x, int32_t y) {
  switch (font) {
    case SheetFont::Small:
      DrawSmallText(x, y, 255, 255, 255);
      break;
    case SheetFont::Fixed:
      DrawFixedText(x, y, 255, 255, 255);
      break;
    case SheetFont::Big:
      DrawBigText(x, y, 255, 255, 255);
      break;
  }
}

int Usage(const std::string& problem) {
  std::fprintf(stderr,
               "vaultrun-snapshot: %s\n"
               "usage: vaultrun-snapshot --font-sheet small|fixed|big --out FILE.bmp|FILE.png\n",
               problem.c_str());
  return 2;
}

// Codes 32 to 126 in rows of sixteen cells 19 pixels wide, the first row at the top
// (frame row 226) and each next one 16 pixels lower.
void DrawFontSheet(SheetFont font) {
  std::memset(FrameBuffer, 0, static_cast<size_t>(RenderWidth) * RenderHeight * 4);
  for (int code = 32; code <= 126; ++code) {
    if (!SheetHasGlyph(font, code)) continue;
    TextBuffer[0] = static_cast<char>(code);
    TextBuffer[1] = '\0';
    DrawSheetCharacter(font, 8 + 19 * ((code - 32) % 16), 226 - 16 * ((code - 32) / 16));
  }
}

}  // namespace

int FontSheetMain(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 1);
  arguments.RejectUnknown({{"--font-sheet", 1}, {"--out", 1}});
  std::string name = arguments.Text("--font-sheet", "");
  arguments.Require("--out");
  std::string out = arguments.Text("--out", "");
  if (!arguments.error.empty()) return Usage(arguments.error);

  SheetFont font;
  if (name == "small")
    font = SheetFont::Small;
  else if (name == "fixed")
    font = SheetFont::Fixed;
  else if (name == "big")
    font = SheetFont::Big;
  else
    return Usage("--font-sheet needs small, fixed or big, not " + name);

  // The sheet needs only the frame: no window, sound or game data.
  SetRenderSize(320, 240);
  DrawFontSheet(font);
  // A file that cannot be written is not a usage error: WriteFrameImage has said why.
  return WriteFrameImage(out) ? 0 : 1;
}
