// Where the calibrator ruler puts its inch and centimetre marks for a given
// pixels-per-inch value, so a real ruler held against the screen can be
// matched by adjusting that value.
#pragma once

#include <vector>

struct TRulerMark {
    int X;      // where the mark's line stands
    int Number; // the text drawn at it: 0 at the left end
};

// The ruler leaves this many pixels free at both ends of the paint box.
inline constexpr int kRulerMargin = 8;
// Length of a mark's line away from the baseline.
inline constexpr int kRulerMarkLength = 8;

// Marks from left + 8 while they stay inside width - 16; dpi below 1 counts
// as 1, so no value typed into the calibrator can make the list endless.
std::vector<TRulerMark> RulerInchMarks(int left, int width, int dpi);
// The same in centimetres: each position rounded to the nearest pixel, halves
// to the even neighbour.
std::vector<TRulerMark> RulerCentimetreMarks(int left, int width, int dpi);
// The baseline's height between the paint box's top and bottom.
int RulerBaseline(int top, int bottom);
