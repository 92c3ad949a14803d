// window-probe: looks at VAULTRUN's windows from beside the program, as any Windows program can
// (the smoke test runs it under Wine in the program's prefix). It only reads, never presses.
//   window-probe message-box CAPTION SECONDS   prints "text: ..." and one "button: ..." a button
//   window-probe window CLASS TITLE SECONDS    prints "rect: L T R B", "client: W H", "style:
//   0x..."
//                                              and "exstyle: 0x..."
// Exit status: 0 found, 1 not within the time, 2 wrong arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD PollMs = 100;

// The dialog class of message boxes.
const char* const MessageBoxClass = "#32770";

HWND WaitForWindow(const char* className, const char* title, double seconds) {
  DWORD waited = 0;
  for (;;) {
    HWND window = FindWindowA(className, title);
    if (window && IsWindowVisible(window)) return window;
    if (waited >= seconds * 1000) return nullptr;
    Sleep(PollMs);
    waited += PollMs;
  }
}

bool HasClass(HWND window, const char* className) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return _stricmp(name, className) == 0;
}

// The box's text is its one static control that is not the icon; its buttons are the visible
// button controls (a box keeps only the buttons its style asks for).
BOOL CALLBACK PrintMessageBoxChild(HWND child, LPARAM) {
  if (!IsWindowVisible(child)) return TRUE;
  char text[512] = {};
  GetWindowTextA(child, text, sizeof text);
  LONG style = GetWindowLongA(child, GWL_STYLE);
  if (HasClass(child, "Static") && (style & SS_TYPEMASK) != SS_ICON && text[0]) {
    std::printf("text: %s\n", text);
  } else if (HasClass(child, "Button")) {
    // "&OK" is shown as "OK": the ampersand only marks the access key.
    char label[512] = {};
    size_t out = 0;
    for (const char* c = text; *c && out + 1 < sizeof label; ++c)
      if (*c != '&') label[out++] = *c;
    std::printf("button: %s\n", label);
  }
  return TRUE;
}

int ProbeMessageBox(const char* caption, double seconds) {
  HWND box = WaitForWindow(MessageBoxClass, caption, seconds);
  if (!box) {
    std::printf("no message box \"%s\" within %.0f s\n", caption, seconds);
    return 1;
  }
  EnumChildWindows(box, PrintMessageBoxChild, 0);
  return 0;
}

int ProbeWindow(const char* className, const char* title, double seconds) {
  HWND window = WaitForWindow(className, title, seconds);
  if (!window) {
    std::printf("no window \"%s\" of class %s within %.0f s\n", title, className, seconds);
    return 1;
  }
  RECT rect = {}, client = {};
  GetWindowRect(window, &rect);
  GetClientRect(window, &client);
  std::printf("rect: %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  std::printf("client: %ld %ld\n", client.right - client.left, client.bottom - client.top);
  std::printf("style: 0x%08lx\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)));
  std::printf("exstyle: 0x%08lx\n",
              static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: window-probe message-box CAPTION SECONDS\n"
               "       window-probe window CLASS TITLE SECONDS\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int status = 2;
  if (argc == 4 && !std::strcmp(argv[1], "message-box")) {
    status = ProbeMessageBox(argv[2], std::atof(argv[3]));
  } else if (argc == 5 && !std::strcmp(argv[1], "window")) {
    status = ProbeWindow(argv[2], argv[3], std::atof(argv[4]));
  } else {
    return Usage();
  }
  std::fflush(stdout);
  return status;
}
