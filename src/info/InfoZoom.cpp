// The information panel's zoom view: the picture around the cursor enlarged
// straight onto the view, with white beyond the screen, an exclusive-or
// frame around the Dropper's sample square and an exclusive-or crosshair.
// Every pixel of the view is drawn by the one stretching copy, so nothing
// of the last picture needs clearing first and no buffer is copied.
#include "info/InfoWin.h"
#include "framework/GeometryWin.h"
#include "info/ZoomFrame.h"

void TInfoWin::UpdateZoom(TOverlayPoint at, HDC source, SIZE overlay, int scale, int frameSide) {
    zoomShown_ = TZoomShown{at, source, overlay, scale, frameSide};
    DrawZoom(zoomView_->DC());
}

void TInfoWin::DrawZoom(HDC dc) const {
    const int width = zoomSize_.cx, height = zoomSize_.cy;
    if (!zoomShown_ || width <= 0 || height <= 0) return;
    const TZoomShown& shown = *zoomShown_;
    const int usableScale = UsableZoomScale(shown.scale, width, height);
    const TZoomPicture z =
        ZoomPicture(shown.at, width, height, usableScale, shown.overlay.cx, shown.overlay.cy);
    const RECT from = ToRECT(z.source);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, width, height, shown.source, from.left, from.top, from.right - from.left,
               from.bottom - from.top, SRCCOPY);
    // What lies beyond the screen is not part of any picture; white says so.
    for (int i = 0; i < z.whiteCount; ++i) {
        const RECT r = ToRECT(z.white[i]);
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    // Exclusive-or with the crosshair's colour, a block of pixels a call:
    // where two blocks cross, the picture shows through. Both arms cover the
    // centre pixel, so it keeps the colour under the cursor.
    SelectedObject brush(dc, crosshairBrush_.get());
    const auto exclusiveOr = [dc](int left, int top, int w, int h) {
        PatBlt(dc, left, top, w, h, PATINVERT);
    };
    if (const std::optional<TRect> frame =
            SampleFrame(width, height, usableScale, shown.frameSide)) {
        // The outline one pixel wide on the inside, each pixel once.
        const RECT f = ToRECT(*frame);
        const int w = f.right - f.left, h = f.bottom - f.top;
        exclusiveOr(f.left, f.top, w, 1);
        if (h > 1) exclusiveOr(f.left, f.bottom - 1, w, 1);
        if (h > 2) {
            exclusiveOr(f.left, f.top + 1, 1, h - 2);
            if (w > 1) exclusiveOr(f.right - 1, f.top + 1, 1, h - 2);
        }
    }
    const int cx = width / 2, cy = height / 2;
    exclusiveOr(cx, cy - kCrosshairArm, 1, 2 * kCrosshairArm);
    exclusiveOr(cx - kCrosshairArm, cy, 2 * kCrosshairArm, 1);
}

// Uncovered parts of the view show the last picture again, not the background.
void TInfoWin::ZoomViewPaint(HDC dc) {
    DrawZoom(dc);
}
