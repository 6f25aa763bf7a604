// The information panel's zoom view: the picture around the cursor enlarged
// into the zoom buffer, with white beyond the screen and an exclusive-or
// crosshair, then put on the view in one copy.
#include "info/InfoWin.h"
#include "framework/GeometryWin.h"

void TInfoWin::UpdateZoom(TOverlayPoint at, HDC source, SIZE overlay, int scale) {
    const int width = zoomBuffer_.Width(), height = zoomBuffer_.Height();
    if (zoomBuffer_.Empty()) return;
    const TZoomPicture z = ZoomPicture(at, width, height, UsableZoomScale(scale, width, height),
                                       overlay.cx, overlay.cy);
    zoomBuffer_.Canvas().StretchFrom({0, 0, width, height}, source, ToRECT(z.source));
    HDC buffer = zoomBuffer_.DC();
    // What lies beyond the screen is not part of any picture; white says so.
    for (int i = 0; i < z.whiteCount; ++i) {
        const RECT r = ToRECT(z.white[i]);
        FillRect(buffer, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    // Both arms leave out their end point, so the centre pixel, drawn twice
    // by exclusive-or, keeps the colour under the cursor.
    {
        const int cx = width / 2, cy = height / 2;
        SelectedObject pen(buffer, crosshairPen_.get());
        const int previousMode = SetROP2(buffer, R2_XORPEN);
        MoveToEx(buffer, cx, cy - kCrosshairArm, nullptr);
        LineTo(buffer, cx, cy + kCrosshairArm);
        MoveToEx(buffer, cx - kCrosshairArm, cy, nullptr);
        LineTo(buffer, cx + kCrosshairArm, cy);
        SetROP2(buffer, previousMode);
    }
    BitBlt(zoomView_->DC(), 0, 0, width, height, buffer, 0, 0, SRCCOPY);
}

// Uncovered parts of the view show the last picture again, not the background.
void TInfoWin::ZoomViewPaint(HDC dc) {
    if (zoomBuffer_.Empty()) return;
    BitBlt(dc, 0, 0, zoomBuffer_.Width(), zoomBuffer_.Height(), zoomBuffer_.DC(), 0, 0, SRCCOPY);
}
