// The pointer's position on the screen and the system's default beep, for
// code that should not speak Win32 itself.
#pragma once

#include <windows.h>

POINT CursorPosition();
// Moves the pointer; the system keeps it on the screen.
void SetCursorPosition(POINT p);
// The rectangle around every monitor, in screen coordinates.
RECT VirtualScreenRect();
// The answer to a refused request: a limit reached, a command not possible now.
void Beep();
