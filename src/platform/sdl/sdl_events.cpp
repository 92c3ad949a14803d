// SDL backend: the message pump, the default window procedure, and the close signals.
//
// Platform: Linux and other POSIX systems with SDL2. Limitations: of SDL's events only a close
// request (the window's close box, SDL_QUIT) and focus changes become window messages; keys and
// the mouse are polled (sdl_input.cpp), and SDL_PollEvent is what refreshes their state.
// Dependencies: SDL2 (events), POSIX signals.
//
// Ctrl+C in the terminal (SIGINT) and SIGTERM are close requests, like the close box: the
// handler only raises a flag, and the pump turns it into WM_CLOSE. The pump looks at the flag
// before it asks SDL anything, so a program without a window (or without a display) ends too.
// A message box is modal: no pump runs until it is answered, so a close signal while one waits
// (or one still pending when it opens) ends the process at once, killed by that signal as it
// would be without the handler. So does a second signal that arrives before the pump has seen
// the first (the program is in a long pause). SDL shows a box from a process of its own (a
// fork, or zenity); on Linux that process is told to end with the program.
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <deque>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "platform/sdl/sdl_backend.h"

namespace {

volatile sig_atomic_t CloseSignalPending = 0;  // the signal's number; 0 when none is pending
volatile sig_atomic_t ModalBoxOpen = 0;
pid_t BoxOwner = 0;                          // the process that opened the box
std::deque<PlatformMessage> PostedMessages;  // messages the default procedure posts

// Ends the process as the signal would without the handler. Async-signal-safe.
void EndBySignal(int signal) {
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void OnCloseSignal(int signal) {
  if (CloseSignalPending || ModalBoxOpen) {
    EndBySignal(signal);
    return;
  }
  CloseSignalPending = signal;
}

// In the child of a fork made while a box is open: the process that shows the box. Only
// async-signal-safe calls here.
void OnForkInChild() {
  if (!ModalBoxOpen) return;
#ifdef __linux__
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != BoxOwner) _exit(1);  // the program ended before the line above
#endif
}

void InstallCloseSignal(int signal) {
  struct sigaction current;
  if (sigaction(signal, nullptr, &current) != 0) return;
  if (current.sa_handler == SIG_IGN) return;  // started with the signal ignored (nohup): keep it
  struct sigaction action = {};
  action.sa_handler = OnCloseSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

bool InstallCloseSignals() {
  // SDL leaves a signal alone that already has a handler; the hint says so for any SDL part
  // (the audio may start SDL before the window does).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  InstallCloseSignal(SIGINT);
  InstallCloseSignal(SIGTERM);
  pthread_atfork(nullptr, nullptr, OnForkInChild);
  return true;
}

// Before main runs, so that a signal during start-up (the audio box) is a close request too.
const bool CloseSignalsInstalled = InstallCloseSignals();

PlatformMessage MakeMessage(uint32_t message, uintptr_t wParam) {
  return PlatformMessage{SdlWindowHandle(), message, wParam, 0};
}

// The window message an SDL event stands for; false for events that are not messages.
bool TranslateEvent(const SDL_Event& event, PlatformMessage* message) {
  if (event.type == SDL_QUIT) {
    *message = MakeMessage(WindowMessageClose, 0);
    return true;
  }
  if (event.type != SDL_WINDOWEVENT || !SdlWindow.window ||
      event.window.windowID != SDL_GetWindowID(SdlWindow.window))
    return false;  // also what is left of a window that a rebuild destroyed
  switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      *message = MakeMessage(WindowMessageClose, 0);
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      *message = MakeMessage(WindowMessageActivate, 1);  // WA_ACTIVE
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      *message = MakeMessage(WindowMessageActivate, 0);  // WA_INACTIVE
      return true;
  }
  return false;
}

}  // namespace

void SdlBeginModalBox() {
  BoxOwner = getpid();
  ModalBoxOpen = 1;
  if (int signal = CloseSignalPending) EndBySignal(signal);
}

void SdlEndModalBox() { ModalBoxOpen = 0; }

bool PlatformPeekMessage(PlatformMessage* message) {
  (void)CloseSignalsInstalled;
  if (CloseSignalPending) {
    CloseSignalPending = 0;
    *message = MakeMessage(WindowMessageClose, 0);
    return true;
  }
  if (!PostedMessages.empty()) {
    *message = PostedMessages.front();
    PostedMessages.pop_front();
    return true;
  }
  if (!SDL_WasInit(SDL_INIT_EVENTS)) return false;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (TranslateEvent(event, message)) return true;
  }
  return false;
}

void PlatformTranslateMessage(const PlatformMessage*) {}

intptr_t PlatformDispatchMessage(const PlatformMessage* message) {
  return MainWindowProc(message->window, message->message, message->wParam, message->lParam);
}

intptr_t PlatformDefaultWindowProc(PlatformHandle window, uint32_t message, uintptr_t wParam,
                                   intptr_t) {
  if (message != WindowMessageSysCommand) return 0;
  switch (wParam & 0xFFF0) {  // the low four bits of a system command are the system's own
    case SysCommandClose:     // Alt+F4 and the like become a close request, as on Windows
      PostedMessages.push_back(PlatformMessage{window, WindowMessageClose, 0, 0});
      break;
    case SysCommandScreenSave:
    case SysCommandMonitorPower:
      SdlNoteScreenSaverPassedOn();
      break;
  }
  return 0;
}
