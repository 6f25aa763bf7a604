// Waiting for other programs to repaint what a window of ours uncovered.
#pragma once

#include "framework/Bitmap.h"
#include <windows.h>

// Returns once every other program whose windows are on the screen has
// handled what was waiting for it, the repaint of what a window of ours (a
// menu that just closed) uncovered included, or after `budgetMs` at the
// most. Lets no message of this program in meanwhile.
void WaitForOtherProgramsToRepaint(DWORD budgetMs);

// The primary screen as it is just before a window of ours (a menu) covers
// part of it.
class TScreenBefore {
public:
    TScreenBefore();

    // Once that window has gone: returns when the pixels that differ from
    // the copy are as they were again, or after `budgetMs` at the most (a
    // part of the screen that changed meanwhile never comes back). Lets no
    // message of this program in meanwhile.
    void WaitUntilUncovered(DWORD budgetMs) const;

private:
    TBitmap shot_;
};
