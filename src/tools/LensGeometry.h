// Where the Magnifier's lens goes and what it shows: the arithmetic of one
// lens move, the contrast filter, the enlargement and the modified clicks.
// No Win32 here, so all of it is tested natively.
#pragma once

#include "framework/Geometry.h"
#include <cstddef>
#include <cstdint>

struct TLensMove {
    TOverlayRect Source;          // the area of the frozen picture shown enlarged
    TOverlayRect Lens;            // where the enlargement goes
    TOverlayRect VerticalStrip;   // what the last lens covered beside the new one
    TOverlayRect HorizontalStrip; // ... and above or below it
    TOverlayRect Covered;         // the lens with its outline: the next LastLensRect
};

// The lens for cursor (x, y) with the lens size and factor of the settings,
// given the area the last lens covered. A factor below 1 counts as 1 and
// negative sides as 0, so stored values no dialog offers cannot divide by
// zero or turn the areas inside out.
TLensMove PlanLensMove(TOverlayPoint cursor, int32_t zoomWidth, int32_t zoomHeight, int32_t scale,
                       const TOverlayRect& last);

// Raises the contrast of 32-bit blue-green-red-x pixels in place: level 1 by
// half, level 2 double, around the middle value 128; other levels change
// nothing.
void ApplyHighContrast(uint8_t* pixels, int width, int height, size_t stride, int level);
uint8_t HighContrastChannel(uint8_t c, int level);

// One axis of the part of the lens that lies on the screen: lens pixel i
// (counted from the lens's own start) shows source pixel i * sourceSize /
// lensSize, rounded down, so every lens pixel is a copy of one source pixel.
// Only the visible lens pixels and the source pixels they show are ever
// made, whatever the lens size.
struct TLensAxis {
    int32_t LensFirst = 0, LensCount = 0;     // visible lens pixels
    int32_t SourceFirst = 0, SourceCount = 0; // the source pixels they show
};
TLensAxis VisibleLensAxis(int32_t lensStart, int32_t lensSize, int32_t sourceSize,
                          int32_t screenSize);

// Enlarges 32-bit source pixels (the SourceCount pixels of each axis) into the
// visible lens pixels (LensCount of each axis).
void EnlargeNearest(const uint8_t* source, size_t sourceStride, uint8_t* dest, size_t destStride,
                    const TLensAxis& x, const TLensAxis& y, int32_t lensWidth, int32_t sourceWidth,
                    int32_t lensHeight, int32_t sourceHeight);

// The modified clicks on the lens: Ctrl changes the factor, Shift the size
// (square first), a click with neither ends the tool. After a Ctrl or Shift
// click the lens is drawn again, whatever the outcome.
enum class TLensButton { Left, Right, Middle };
struct TLensClick {
    bool EndTool = false;
    bool Beep = false;          // a limit was reached; nothing changed at that step
    bool RepaintScreen = false; // the lens shrank: wipe the larger one first
};
constexpr int32_t kMaxScale = 10;
constexpr int32_t kMinScale = 1;
constexpr int32_t kMaxGrowSide = 500;  // a side from here on no longer grows
constexpr int32_t kMinShrinkSide = 50; // a side from here down no longer shrinks
constexpr int32_t kSideStep = 10;

TLensClick LensClick(int32_t& zoomWidth, int32_t& zoomHeight, int32_t& scale, TLensButton button,
                     bool ctrl, bool shift);
