#include "tools/Magnifier.h"
#include "shell/Host.h"
#include "shell/Settings.h"
#include "tools/Activation.h"
#include "tools/LensGeometry.h"
#include <algorithm>
#include <memory>
#include <vector>

namespace {
// Working pictures kept from one lens move to the next, so a move allocates
// nothing unless the lens size changed.
struct LensPictures {
    std::vector<uint8_t> source; // the source area, 32 bits a pixel
    std::unique_ptr<TBitmap> lens;
};
LensPictures lensPictures;

constexpr uint8_t kWhite = 0xFF;

TLensRect FromRECT(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
RECT ToRECT(const TLensRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

void RestoreFromPicture(TCanvas& canvas, const TLensRect& area) {
    TLensRect picture{0, 0, ScreenBitmap->Width(), ScreenBitmap->Height()};
    TLensRect r = Intersect(area, picture);
    if (!r.Empty()) canvas.CopyFrom(ToRECT(r), ScreenBitmap->DC(), r.Left, r.Top);
}

// Copies a source area of the frozen picture into lensPictures.source; what
// lies outside the picture is white, like the picture's own margin.
void ReadSource(const TLensRect& area, size_t stride) {
    auto& pixels = lensPictures.source;
    pixels.assign(stride * area.Height(), kWhite);
    TLensRect picture{0, 0, ScreenBitmap->Width(), ScreenBitmap->Height()};
    TLensRect inside = Intersect(area, picture);
    if (inside.Empty()) return;
    const size_t bytes = static_cast<size_t>(inside.Width()) * 4;
    for (int32_t y = inside.Top; y < inside.Bottom; ++y)
        std::copy_n(ScreenBitmap->ScanLine(y) + static_cast<size_t>(inside.Left) * 4, bytes,
                    pixels.data() + (y - area.Top) * stride + (inside.Left - area.Left) * 4);
}
} // namespace

void DrawLens(TCanvas& canvas, POINT p) {
    if (!ScreenBitmap) return;
    const TLensMove move = PlanLensMove(p.x, p.y, Settings.ZoomWidth, Settings.ZoomHeight,
                                        Settings.Scale, FromRECT(LastLensRect));
    RestoreFromPicture(canvas, move.VerticalStrip);
    RestoreFromPicture(canvas, move.HorizontalStrip);

    // Only the part of the lens on the screen is made, so a lens of any
    // stored size costs no more than the screen.
    const int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int32_t screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const TLensAxis x =
        VisibleLensAxis(move.Lens.Left, move.Lens.Width(), move.Source.Width(), screenWidth);
    const TLensAxis y =
        VisibleLensAxis(move.Lens.Top, move.Lens.Height(), move.Source.Height(), screenHeight);
    if (x.LensCount > 0 && y.LensCount > 0) {
        auto& lens = lensPictures.lens;
        if (!lens || lens->Width() != x.LensCount || lens->Height() != y.LensCount)
            lens = std::make_unique<TBitmap>(x.LensCount, y.LensCount);
        if (x.SourceCount > 0 && y.SourceCount > 0) {
            const TLensRect sourceArea{move.Source.Left + x.SourceFirst,
                                       move.Source.Top + y.SourceFirst,
                                       move.Source.Left + x.SourceFirst + x.SourceCount,
                                       move.Source.Top + y.SourceFirst + y.SourceCount};
            const size_t stride = static_cast<size_t>(x.SourceCount) * 4;
            ReadSource(sourceArea, stride);
            // The filter works on the small source, before enlargement.
            ApplyHighContrast(lensPictures.source.data(), x.SourceCount, y.SourceCount, stride,
                              Settings.HighContrast);
            EnlargeNearest(lensPictures.source.data(), stride, lens->ScanLine(0), lens->Stride(), x,
                           y, move.Lens.Width(), move.Source.Width(), move.Lens.Height(),
                           move.Source.Height());
        } else {
            // A lens too small to show a single source pixel shows the margin's white.
            std::fill_n(lens->ScanLine(0), lens->Stride() * lens->Height(), kWhite);
        }
        const RECT visible{move.Lens.Left + x.LensFirst, move.Lens.Top + y.LensFirst,
                           move.Lens.Left + x.LensFirst + x.LensCount,
                           move.Lens.Top + y.LensFirst + y.LensCount};
        canvas.CopyFrom(visible, lens->DC(), 0, 0);
    }
    // The outline lies just around the lens, in the overlay's black pen.
    canvas.Rectangle(ToRECT(move.Covered));
    LastLensRect = ToRECT(move.Covered);
}

void RefreshLens() {
    if (!frmHost || !frmHost->ToolActive) return;
    POINT p{};
    GetCursorPos(&p);
    DrawLens(frmHost->Canvas(), p);
}

void MagnifierMouseDown(TMouseButton button, TShiftState shift) {
    const TLensButton lensButton = button == TMouseButton::mbLeft    ? TLensButton::Left
                                   : button == TMouseButton::mbRight ? TLensButton::Right
                                                                     : TLensButton::Middle;
    const TLensClick click = LensClick(Settings.ZoomWidth, Settings.ZoomHeight, Settings.Scale,
                                       lensButton, (shift & ssCtrl) != 0, (shift & ssShift) != 0);
    if (click.EndTool) {
        frmHost->StopTool();
        return;
    }
    if (click.Beep) MessageBeep(MB_OK);
    if (click.RepaintScreen) {
        frmHost->Invalidate();
        frmHost->Update();
    }
    RefreshLens();
}

void MagnifierKeyDown(WORD& key) {
    if (key == VK_SHIFT || key == VK_CONTROL) return; // held for the clicks
    key = 0;
    frmHost->StopTool();
}

void ReleaseLensPictures() {
    lensPictures.lens.reset();
    lensPictures.source = {};
}
