// Win32 memory advice. Platform: Windows. Shared by the win32 backend and the headless backend
// of Windows test builds.
#include "platform/platform.h"

// Large pages need a privilege the program does not ask for; ordinary pages serve.
void PlatformAdviseLargePages(void*, size_t) {}
