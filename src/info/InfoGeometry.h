// Sizes and places of the information panel's parts, the rectangle its zoom
// view enlarges and the parts of that view beyond the screen: plain
// arithmetic, kept apart from the window code so it can be tested natively.
#pragma once

#include "framework/MonitorLayout.h"
#include <cstdint>
#include <vector>

// The border every panel inside the information panel keeps free of controls.
constexpr int kInfoBorderWidth = 4;
// Pixels of the panel that stay on screen at the right and the bottom.
constexpr int kInfoVisibleMargin = 16;
// Half the length of the zoom view's crosshair arms.
constexpr int kCrosshairArm = 9;

// The default user-interface font's height at `ppi`: 8 points as a negative
// character height in pixels, rounded to the nearest pixel.
int32_t DefaultFontHeight(int32_t ppi);

// The panel's width: the content width of 212 pixels scaled by the screen's
// pixels per inch and by how much larger the message font is than the default
// one (both heights negative, as the system gives them), plus the content
// area's borders.
int32_t InfoPanelWidth(int32_t ppi, int32_t messageFontHeight, int32_t defaultFontHeight);

// The close button at the right end of the title band, in panel coordinates.
TRect CloseButtonRect(int32_t panelWidth, int32_t smallCaptionHeight);

// Everything below the title band, in the coordinates of its parent.
struct TInfoLayout {
    TRect content;         // in the panel
    TRect zoomView;        // in the content area, outside its one-pixel border
    TRect captionColumn;   // in the content area
    TRect valueColumn;     // in the content area
    int32_t zoomWidth = 0; // the zoom view's client area
    int32_t zoomHeight = 0;
};
TInfoLayout LayoutContent(int32_t panelClientWidth, int32_t panelClientHeight,
                          int32_t smallCaptionHeight);

// The panel's height for the rows of `rowMask` (bits 0 to 17), each one text
// line of `rowHeight` pixels, under a zoom view of `zoomOuterHeight` pixels.
int32_t InfoPanelHeight(uint32_t rowMask, int32_t smallCaptionHeight, int32_t zoomOuterHeight,
                        int32_t rowHeight);

// The title band the caption is drawn in, and the band a left press starts a
// drag in (left and top inclusive, right and bottom exclusive).
TRect TitleBand(int32_t panelClientWidth, int32_t panelClientHeight, int32_t smallCaptionHeight);
TRect DragBand(int32_t panelClientWidth, int32_t panelClientHeight, int32_t smallCaptionHeight);
bool InDragBand(const TRect& band, int32_t x, int32_t y);

// The panel's top-left corner for a wished one: pulled back so that at least
// 16 pixels remain on a screen of the given size at the right and the bottom;
// positions off the left and top edges stay as they are.
TScreenPoint ClampInfoPosition(TScreenPoint wished, int32_t screenWidth, int32_t screenHeight);

// Where a panel of width x height stored at `stored` opens. On one monitor
// ClampInfoPosition on it: a panel left off its left or top edge stays
// there. With more monitors it lies wholly on one of them (PutOnMonitor), so
// a panel left on a monitor since removed, in a gap between monitors or
// half off them comes back where the user can reach its caption.
TScreenPoint InfoPanelPlace(TScreenPoint stored, int32_t width, int32_t height,
                            const std::vector<TScreenRect>& monitors);

// A position moved by a drag step, saturated at the ends of the 32-bit range
// so that no stored position, however far off, can overflow.
TScreenPoint MoveInfoPosition(TScreenPoint from, int64_t dx, int64_t dy);

// Where the panel's window can be put for a position: within a range so wide
// that no screen reaches it, yet narrow enough that the window system can add
// the panel's size to it without overflowing.
TScreenPoint PlaceableInfoPosition(TScreenPoint position);

// The enlargement factor actually used for a zoom view of width x height: at
// least 1, and at most the view's smaller side, so the source is never empty.
int32_t UsableZoomScale(int32_t scale, int32_t width, int32_t height);

// What a zoom view of width x height shows around `at` at `scale`: the
// source rectangle of the overlay, and the parts of the view (up to four,
// possibly overlapping) whose pixels stand for points outside an overlay of
// screenWidth x screenHeight and are painted white. `scale` must be usable.
struct TZoomPicture {
    TOverlayRect source;
    TRect white[4];
    int whiteCount = 0;
};
TZoomPicture ZoomPicture(TOverlayPoint at, int32_t width, int32_t height, int32_t scale,
                         int32_t screenWidth, int32_t screenHeight);
