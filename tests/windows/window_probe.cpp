// window-probe: reads VAULTRUN's windows from beside the program (the smoke test runs it under
// Wine in the program's prefix). Status 0 found, 1 not within the time, 2 wrong arguments.
//   message-box CAPTION SECONDS: "text: ..." and "button: ..." for each button
//   window CLASS TITLE SECONDS: "rect: L T R B", "client: W H", "style: 0x...", "exstyle: 0x..."
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND WaitForWindow(const char* className, const char* title, double seconds) {
  for (DWORD waited = 0;; waited += 100) {
    HWND window = FindWindowA(className, title);
    if (window && IsWindowVisible(window)) return window;
    if (waited >= seconds * 1000) return nullptr;
    Sleep(100);
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
  HWND box = WaitForWindow("#32770", caption, seconds);  // the dialog class
  if (box)
    EnumChildWindows(box, PrintMessageBoxChild, 0);
  else
    std::printf("no message box \"%s\" within %.0f s\n", caption, seconds);
  return box ? 0 : 1;
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

}  // namespace

int main(int argc, char** argv) {
  int status = 2;
  if (argc == 4 && !std::strcmp(argv[1], "message-box"))
    status = ProbeMessageBox(argv[2], std::atof(argv[3]));
  else if (argc == 5 && !std::strcmp(argv[1], "window"))
    status = ProbeWindow(argv[2], argv[3], std::atof(argv[4]));
  else
    std::fprintf(stderr,
                 "usage: window-probe message-box CAPTION SECONDS | window CLASS TITLE SECONDS\n");
  std::fflush(stdout);
  return status;
}
