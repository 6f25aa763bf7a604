// Waiting for other programs to repaint what a window of ours uncovered.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Geometry.h"
#include <windows.h>

// Returns once every other program whose windows are on the screen has
// handled what was waiting for it, the repaint of what a window of ours (a
// menu that just closed) uncovered included, or after `budgetMs` at the
// most. Lets no message of this program in meanwhile.
void WaitForOtherProgramsToRepaint(DWORD budgetMs);

// Every monitor as it is just before a window of ours (a menu) covers part
// of the screen.
class TScreenBefore {
public:
    TScreenBefore();

    // Where the screen differs from the copy now; empty where it does not.
    TScreenRect ChangedArea() const;
    // Once that window has gone: returns when `area` shows what it showed
    // before, or after `budgetMs` at the most (a program that does not
    // repaint never brings it back). Lets no message of this program in
    // meanwhile.
    void WaitUntilUncovered(const TScreenRect& area, DWORD budgetMs) const;
    // Where `area` of `picture`, a copy of the virtual screen `screen`, does
    // not show what the screen showed before, the copy's pixels of all of
    // `area` go into it.
    void RestoreCovered(TBitmap& picture, const TScreenRect& screen, const TScreenRect& area) const;

private:
    TScreenRect screen_;
    TBitmap shot_;
};
