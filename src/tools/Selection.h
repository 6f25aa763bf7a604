// The Screenshot tool's rules for a rectangle on the screen: which zone of a
// selection a point is in, what a drag from each zone does, what a release
// leaves, and the arrow keys. No Win32 here, so all of it is tested natively.
#pragma once

#include <cstdint>

// Both edges included: the pixels are columns Left..Right and rows
// Top..Bottom. During a drag Right < Left or Bottom < Top may hold.
struct TToolRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TToolRect&) const = default;
};

struct TToolPoint {
    int32_t x = 0, y = 0;
};

// Right >= Left and Bottom >= Top.
TToolRect Normalized(TToolRect r);
// A selection: wider and higher than nothing once normalised.
bool IsSelection(const TToolRect& r);

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
THitZone HitTest(const TToolRect& r, TToolPoint p);

// The rectangle a drag gives: `press` was the rectangle when the button went
// down at `anchor`; the cursor is now at `cursor`. Moved and resized edges
// stay on a screen of width x height pixels; a new selection (hzNone) follows
// the cursor.
TToolRect DragRect(const TToolRect& press, THitZone zone, TToolPoint anchor, TToolPoint cursor,
                   int32_t width, int32_t height);

enum class TArrowKey { Left, Up, Right, Down };
// An arrow key on a selection: alone it moves the selection by a pixel
// within the screen; with Shift alone it moves the right or bottom edge,
// never below a width or height of 2.
TToolRect ArrowKeyRect(const TToolRect& r, TArrowKey key, bool shift, int32_t width,
                       int32_t height);

// What copy and save get: the selection normalised and kept on the screen,
// or the whole screen.
TToolRect ExportRect(const TToolRect& r, bool marked, int32_t width, int32_t height);
