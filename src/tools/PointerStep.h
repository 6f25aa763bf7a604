// The pointer moved by the keyboard in the Measurer and the Dropper: an arrow
// key moves it by one physical pixel, ten with Shift, and it never leaves the
// virtual screen (the rectangle around every monitor, which may begin at
// negative coordinates). No Win32 here, so it is tested natively.
#pragma once

#include "tools/Selection.h"
#include <cstdint>

constexpr int32_t kPointerStep = 1;
constexpr int32_t kPointerShiftStep = 10;

// Where an arrow key takes the pointer at p, on the area.
TScreenPoint PointerStep(TScreenPoint p, TArrowKey key, bool shift, const TScreenRect& area);
