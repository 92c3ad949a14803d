// Entry point of the program on systems other than Windows (the win32 backend has WinMain).
#include "shell/shell.h"

int main() { return ProgramMain(); }
