// Waiting for other programs to repaint what a window of ours uncovered.
#pragma once

#include <windows.h>

// Returns once every other program whose windows are on the screen has
// handled what was waiting for it, the repaint of what a window of ours (a
// menu that just closed) uncovered included, or after `budgetMs` at the
// most. Lets no message of this program in meanwhile.
void WaitForOtherProgramsToRepaint(DWORD budgetMs);
