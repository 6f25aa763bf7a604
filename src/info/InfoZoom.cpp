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
    // Both arms leave out their end point, so the centre pixel, drawn twice
    // by exclusive-or, keeps the colour under the cursor. The frame is drawn
    // the same way: where an arm crosses it, the picture shows through.
    const int cx = width / 2, cy = height / 2;
    SelectedObject pen(dc, crosshairPen_.get());
    const int previousMode = SetROP2(dc, R2_XORPEN);
    if (const std::optional<TRect> frame =
            SampleFrame(width, height, usableScale, shown.frameSide)) {
        // Each side leaves out its end point, the next side's first one, so
        // every pixel of the outline is drawn once.
        const RECT f = ToRECT(*frame);
        const POINT corners[] = {{f.left, f.top},
                                 {f.right - 1, f.top},
                                 {f.right - 1, f.bottom - 1},
                                 {f.left, f.bottom - 1}};
        for (int i = 0; i < 4; ++i) {
            MoveToEx(dc, corners[i].x, corners[i].y, nullptr);
            LineTo(dc, corners[(i + 1) % 4].x, corners[(i + 1) % 4].y);
        }
    }
    MoveToEx(dc, cx, cy - kCrosshairArm, nullptr);
    LineTo(dc, cx, cy + kCrosshairArm);
    MoveToEx(dc, cx - kCrosshairArm, cy, nullptr);
    LineTo(dc, cx + kCrosshairArm, cy);
    SetROP2(dc, previousMode);
}

// Uncovered parts of the view show the last picture again, not the background.
void TInfoWin::ZoomViewPaint(HDC dc) {
    DrawZoom(dc);
}
