// Release at exit.
#include "frame/frame.h"

void ReleaseEnginePools() {}
void ReleaseGameData() {}
