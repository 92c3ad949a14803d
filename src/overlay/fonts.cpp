// The glyph tables of the three fonts.
#include "overlay/overlay.h"

namespace {
const char* const Blank =
    "28000000000000000000000000000000000000000000000000000000000000000000000000000000";
}

#define B8 Blank, Blank, Blank, Blank, Blank, Blank, Blank, Blank
const char* const SmallFont[128] = {B8, B8, B8, B8, B8, B8, B8, B8,
                                    B8, B8, B8, B8, B8, B8, B8, B8};
const char* const FixedFont[143] = {B8, B8, B8, B8, B8, B8, B8, B8, B8, B8, B8, B8,
                                    B8, B8, B8, B8, B8, Blank, Blank, Blank, Blank, Blank, Blank,
                                    Blank};
const char* const BigFont[143] = {B8, B8, B8, B8, B8, B8, B8, B8, B8, B8, B8, B8,
                                  B8, B8, B8, B8, B8, Blank, Blank, Blank, Blank, Blank, Blank,
                                  Blank};
#undef B8
