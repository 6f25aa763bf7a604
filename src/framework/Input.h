// The pointer's position on the screen and the system's default beep, for
// code that should not speak Win32 itself.
#pragma once

#include "framework/Geometry.h"
#include <windows.h>

TScreenPoint PointerOnScreen();
// Moves the pointer; the system keeps it on the screen.
void MovePointerTo(TScreenPoint p);
// The answer to a refused request: a limit reached, a command not possible now.
void Beep();
