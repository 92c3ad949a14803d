// Lines, rectangle outlines and the drawn mouse cursor.
#include "overlay/overlay.h"

void DrawLine(int32_t, int32_t, int32_t, int32_t, uint8_t, uint8_t, uint8_t) {}
void DrawRectOutline(int32_t, int32_t, int32_t, int32_t, uint8_t, uint8_t, uint8_t) {}
void DrawMouseCursor() {}
