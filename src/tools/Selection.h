// The Screenshot tool's rules for a rectangle on the screen: which zone of a
// selection a point is in, what a drag from each zone does, what a release
// leaves, and the arrow keys. No Win32 here, so all of it is tested natively.
#pragma once

#include "framework/Geometry.h"
#include <cstdint>

// Two corner pixels of a rectangle of the overlay, both part of it: `first`
// where a drag began, `last` where it is now. While a drag runs, `last` may
// lie left of or above `first`. The Measurer's line runs from first to last.
struct TCorners {
    TOverlayPoint first, last;
    bool operator==(const TCorners&) const = default;
};

// `first` at the top left, `last` at the bottom right.
TCorners Normalized(TCorners r);
// A selection: wider and higher than nothing once normalised.
bool IsSelection(const TCorners& r);

enum THitZone : uint8_t {
    hzNone,
    hzInside,
    hzTopLeft,
    hzTop,
    hzTopRight,
    hzLeft,
    hzRight,
    hzBottomLeft,
    hzBottom,
    hzBottomRight,
};

// The zone of point p: inside the rectangle shrunk by 5, or in the 10-pixel
// band around its edges (a corner, an edge), or none. The band is 10 pixels
// wide on all four sides, so every pixel of it belongs to a zone.
THitZone HitTest(const TCorners& r, TOverlayPoint p);

// The rectangle a drag gives: `press` was the rectangle when the button went
// down at `anchor`; the cursor is now at `cursor`. Moved and resized edges
// stay on a screen of width x height pixels; a new selection (hzNone) follows
// the cursor.
TCorners DragRect(const TCorners& press, THitZone zone, TOverlayPoint anchor, TOverlayPoint cursor,
                  int32_t width, int32_t height);

enum class TArrowKey { Left, Up, Right, Down };
// An arrow key on a selection: alone it moves the selection by a pixel
// within the screen; with Shift alone it moves the right or bottom edge,
// never below a width or height of 2.
TCorners ArrowKeyRect(const TCorners& r, TArrowKey key, bool shift, int32_t width, int32_t height);

// What copy and save get: the selection normalised and kept on the screen,
// or the whole screen.
TOverlayRect ExportRect(const TCorners& r, bool marked, int32_t width, int32_t height);
