// The pointer moved by the keyboard in the Measurer and the Dropper: an arrow
// key moves it by one physical pixel, ten with Shift, and it never leaves
// the monitors. Windows keeps the pointer on a monitor, so a step never goes
// where the system would not put it: into a gap between monitors or off all
// of them. No Win32 here, so it is tested natively over any layout.
#pragma once

#include "tools/Selection.h"
#include <cstdint>
#include <vector>

constexpr int32_t kPointerStep = 1;
constexpr int32_t kPointerShiftStep = 10;

// Where an arrow key takes the pointer at p: pixel by pixel while the next
// one lies on a monitor, so across an edge two monitors share and never
// beyond one. A pointer on no monitor (one just removed) comes onto the
// nearest pixel of the nearest monitor; without monitors it stays.
TScreenPoint PointerStep(TScreenPoint p, TArrowKey key, bool shift,
                         const std::vector<TScreenRect>& monitors);
