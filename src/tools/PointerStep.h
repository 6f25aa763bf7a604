// The pointer moved by the keyboard in the Measurer and the Dropper: an arrow
// key moves it by one physical pixel, ten with Shift, and it never leaves the
// virtual screen (the rectangle around every monitor, which may begin at
// negative coordinates). No Win32 here, so it is tested natively.
#pragma once

#include "tools/Selection.h"
#include <cstdint>

// Left and Top may be negative; an area of no pixels has Width or Height <= 0.
struct TScreenArea {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

constexpr int32_t kPointerStep = 1;
constexpr int32_t kPointerShiftStep = 10;

// The point of the area nearest to p: columns Left..Left + Width - 1, rows
// Top..Top + Height - 1. An area of no pixels keeps p as it is.
TToolPoint ClampToScreenArea(TToolPoint p, const TScreenArea& area);

// Where an arrow key takes the pointer at p, on the area.
TToolPoint PointerStep(TToolPoint p, TArrowKey key, bool shift, const TScreenArea& area);
