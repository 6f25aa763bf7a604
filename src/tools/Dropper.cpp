#include "tools/Dropper.h"
#include "info/ColorTexts.h"
#include "tools/ToolActivation.h"

namespace {
constexpr int kMarkerReach = 10; // the marker spans the point and 10 pixels each way
constexpr int kSwatchReach = 5;
// What a release copies back: one more pixel to the left and above.
constexpr int kRestoreReach = 11;
} // namespace

TColorValue TDropper::ColorAt(TOverlayPoint p) const {
    const TBitmap& picture = Activation.Picture();
    if (p.x < 0 || p.y < 0 || p.x >= picture.Width() || p.y >= picture.Height()) return 0xFFFFFF;
    return picture.Pixel(p.x, p.y);
}

void TDropper::FollowCursor(TOverlayPoint cursor) {
    if (marked_) return; // the rows show the held colour
    const auto texts = ColorRowTexts(ColorAt(cursor));
    for (int i = 0; i < ColorRowCount; ++i)
        SetInfoValue(static_cast<TInfoRow>(FirstColorRow + i), texts[i]);
}

void TDropper::KeyDown(WORD& key, TShiftState shift) {
    if (!PointerKeyDown(key, shift)) TInfoTool::KeyDown(key, shift);
}

void TDropper::PointerButton(TOverlayPoint p, TShiftState shift) {
    MouseDown(TMouseButton::mbLeft, shift, p);
}

void TDropper::MouseDown(TMouseButton button, TShiftState, TOverlayPoint p) {
    if (button != TMouseButton::mbLeft) return; // the right button opens the menu
    // The colour and the mark both where the button went down; the rows keep
    // the last move's values, which show that same pixel.
    pickedColor_ = ColorAt(p);
    marked_ = !marked_;
    if (marked_) {
        held_ = p;
        DrawColorMarker(held_, pickedColor_);
    } else {
        const RECT area{held_.x - kRestoreReach, held_.y - kRestoreReach, held_.x + kRestoreReach,
                        held_.y + kRestoreReach};
        Activation.Canvas().CopyFrom(area, Activation.Picture().DC(), area.left, area.top);
    }
}

void TDropper::DrawColorMarker(TOverlayPoint p, TColorValue color) {
    TCanvas& canvas = Activation.Canvas();
    auto square = [&](int reach) {
        return RECT{p.x - reach, p.y - reach, p.x + reach + 1, p.y + reach + 1};
    };
    auto inset = [](RECT r) { return RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}; };
    canvas.FillRect(square(kMarkerReach), clBlack);
    canvas.FillRect(inset(square(kMarkerReach)), clWhite);
    canvas.FillRect(square(kSwatchReach), clBlack);
    canvas.FillRect(inset(square(kSwatchReach)), color);
}

void TDropper::Paint() {
    if (marked_) DrawColorMarker(held_, pickedColor_);
}
