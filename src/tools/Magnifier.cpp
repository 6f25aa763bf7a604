#include "tools/Magnifier.h"
#include "framework/Application.h"
#include "framework/GeometryWin.h"
#include "framework/Input.h"
#include "shell/Settings.h"
#include "tools/ToolActivation.h"
#include <algorithm>

namespace {
constexpr uint8_t kWhite = 0xFF;
constexpr uint32_t kWhitePixel = 0xFFFFFFFF;

// The MagnifierCursor setting: 0 no pointer, 1 arrow, 2 cross; other values
// leave the pointer as it was.
constexpr int kMagnifierCursors[] = {crNone, crArrow, crCross};

int64_t Area(const TOverlayRect& r) {
    return r.Empty() ? 0 : r.Width() * r.Height();
}

TBitmap& FrameAtLeast(std::unique_ptr<TBitmap>& frame, int32_t width, int32_t height) {
    if (!frame || frame->Width() < width || frame->Height() < height)
        frame = std::make_unique<TBitmap>(std::max(width, frame ? frame->Width() : 0),
                                          std::max(height, frame ? frame->Height() : 0));
    return *frame;
}

// Runs of up to four pixels, the usual width beside a lens that moved a
// little, are written in place: a call into the C library per run (as
// std::copy_n and std::fill_n make) cost more than the run's pixels.
constexpr int32_t kShortRun = 4;
template <typename Pixel> uint32_t* PutRun(Pixel pixel, int32_t count, uint32_t* out) {
    if (count > kShortRun) {
        for (int32_t i = 0; i < count; ++i)
            out[i] = pixel(i);
        return out + count;
    }
    switch (count) {
    case 4:
        out[3] = pixel(3);
        [[fallthrough]];
    case 3:
        out[2] = pixel(2);
        [[fallthrough]];
    case 2:
        out[1] = pixel(1);
        [[fallthrough]];
    case 1:
        out[0] = pixel(0);
        [[fallthrough]];
    default:
        return out + std::max(count, 0);
    }
}

// Copies columns [left, right) of one row of the frozen picture into 32-bit
// pixels; what lies outside the picture is white, like the picture's own margin.
void ReadPictureRow(const TBitmap& picture, int32_t y, int32_t left, int32_t right, uint8_t* out) {
    if (right <= left) return;
    auto* pixels = reinterpret_cast<uint32_t*>(out);
    const auto white = [](int32_t) { return kWhitePixel; };
    if (y < 0 || y >= picture.Height()) {
        PutRun(white, right - left, pixels);
        return;
    }
    const int32_t from = std::min(std::max(left, 0), right);
    const int32_t to = std::max(std::min(right, picture.Width()), from);
    const auto* row = reinterpret_cast<const uint32_t*>(picture.ScanLine(y)) + from;
    pixels = PutRun(white, from - left, pixels);
    pixels = PutRun([row](int32_t i) { return row[i]; }, to - from, pixels);
    PutRun(white, right - to, pixels);
}

// Copies an area of the frozen picture into 32-bit pixels, except the part
// `skip`, which the lens covers anyway.
void ReadPicture(const TBitmap& picture, const TOverlayRect& area, uint8_t* pixels, size_t stride,
                 const TOverlayRect& skip = {}) {
    for (int32_t y = area.top; y < area.bottom; ++y) {
        uint8_t* row = pixels + (y - area.top) * stride;
        if (!skip.Empty() && y >= skip.top && y < skip.bottom) {
            const int32_t gapLeft = std::clamp(skip.left, area.left, area.right);
            const int32_t gapRight = std::clamp<int64_t>(skip.right, gapLeft, area.right);
            ReadPictureRow(picture, y, area.left, gapLeft, row);
            ReadPictureRow(picture, y, gapRight, area.right,
                           row + static_cast<size_t>(gapRight - area.left) * 4);
        } else {
            ReadPictureRow(picture, y, area.left, area.right, row);
        }
    }
}

void SetPixels(uint8_t* row, int32_t count, COLORREF color) {
    const uint32_t bgr = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    auto* pixels = reinterpret_cast<uint32_t*>(row);
    std::fill_n(pixels, count, bgr);
}

// The one-pixel outline around the lens, drawn into a frame that starts at
// `origin` on the screen.
void DrawOutline(TBitmap& frame, const TOverlayRect& origin, const TOverlayRect& outline,
                 COLORREF color) {
    auto at = [&](int32_t x, int32_t y) {
        return frame.ScanLine(y - origin.top) + static_cast<size_t>(x - origin.left) * 4;
    };
    const TOverlayRect inFrame = Intersect(outline, origin);
    if (inFrame.Empty()) return;
    for (int32_t y : {outline.top, outline.bottom - 1})
        if (y >= inFrame.top && y < inFrame.bottom)
            SetPixels(at(inFrame.left, y), inFrame.Width(), color);
    for (int32_t x : {outline.left, outline.right - 1})
        if (x >= inFrame.left && x < inFrame.right)
            for (int32_t y = inFrame.top; y < inFrame.bottom; ++y)
                SetPixels(at(x, y), 1, color);
}

// Puts the frozen picture, the enlargement and the outline of a lens move
// together in memory for one area of the screen.
void ComposeFrame(const TBitmap& picture, TLensPictures& pictures, TBitmap& frame,
                  const TOverlayRect& area, const TLensMove& move, COLORREF outline) {
    const TLensAxis x = VisibleLensAxis(move.Lens.left - area.left, move.Lens.Width(),
                                        move.Source.Width(), area.Width());
    const TLensAxis y = VisibleLensAxis(move.Lens.top - area.top, move.Lens.Height(),
                                        move.Source.Height(), area.Height());
    // The picture is read only where the enlargement will not cover it.
    const TOverlayRect lensPart{move.Lens.left + x.LensFirst, move.Lens.top + y.LensFirst,
                                move.Lens.left + x.LensFirst + x.LensCount,
                                move.Lens.top + y.LensFirst + y.LensCount};
    ReadPicture(picture, area, frame.ScanLine(0), frame.Stride(), lensPart);
    if (x.LensCount > 0 && y.LensCount > 0) {
        uint8_t* lensStart = frame.ScanLine(move.Lens.top - area.top + y.LensFirst) +
                             static_cast<size_t>(move.Lens.left - area.left + x.LensFirst) * 4;
        if (x.SourceCount > 0 && y.SourceCount > 0) {
            const TOverlayRect sourceArea{move.Source.left + x.SourceFirst,
                                          move.Source.top + y.SourceFirst,
                                          move.Source.left + x.SourceFirst + x.SourceCount,
                                          move.Source.top + y.SourceFirst + y.SourceCount};
            const size_t stride = static_cast<size_t>(x.SourceCount) * 4;
            pictures.source.resize(stride * y.SourceCount);
            ReadPicture(picture, sourceArea, pictures.source.data(), stride);
            // The filter works on the small source, before enlargement.
            ApplyHighContrast(pictures.source.data(), x.SourceCount, y.SourceCount, stride,
                              Settings.HighContrast);
            EnlargeNearest(pictures.source.data(), stride, lensStart, frame.Stride(), x, y,
                           move.Lens.Width(), move.Source.Width(), move.Lens.Height(),
                           move.Source.Height());
        } else {
            // A lens too small to show a single source pixel shows the margin's white.
            for (int32_t row = 0; row < y.LensCount; ++row)
                std::fill_n(lensStart + row * frame.Stride(), static_cast<size_t>(x.LensCount) * 4,
                            kWhite);
        }
    }
    DrawOutline(frame, area, move.Covered, outline);
}

void ShowFrame(TCanvas& canvas, const TBitmap& picture, TLensPictures& pictures,
               const TOverlayRect& area, const TLensMove& move) {
    if (area.Empty()) return;
    TBitmap& frame = FrameAtLeast(pictures.frame, area.Width(), area.Height());
    ComposeFrame(picture, pictures, frame, area, move, canvas.PenColor());
    canvas.CopyFrom(ToRECT(area), frame.DC(), 0, 0);
}
} // namespace

TMagnifier::~TMagnifier() {
    Stop();
}

void TMagnifier::Start() {
    const int setting = Settings.MagnifierCursor;
    if (setting >= 0 && setting < static_cast<int>(std::size(kMagnifierCursors)))
        Activation.SetCursor(kMagnifierCursors[setting]);

    // The first lens covers a quarter of the lens around the cursor, so the
    // first move restores a sensible area; it is drawn as soon as the queue
    // is empty, without waiting for a mouse move.
    const TOverlayPoint p = Activation.PointerOnOverlay();
    const int64_t w = Settings.ZoomWidth, h = Settings.ZoomHeight;
    LastLensRect = {p.x - w / 4, p.y - h / 4, p.x - w / 4 + w / 2, p.y - h / 4 + h / 2};
    idlePending_ = true;
    Application.OnIdle = [this] {
        Application.OnIdle = nullptr;
        idlePending_ = false;
        RefreshLens();
    };
}

void TMagnifier::Stop() {
    if (idlePending_) Application.OnIdle = nullptr;
    idlePending_ = false;
}

void TMagnifier::DrawLens(TOverlayPoint p) {
    const TBitmap& picture = Activation.Picture();
    TCanvas& canvas = Activation.Canvas();
    const TLensMove move =
        PlanLensMove(p, Settings.ZoomWidth, Settings.ZoomHeight, Settings.Scale, LastLensRect);
    const TOverlayRect screen = Activation.OverlayRect();
    const TOverlayRect covered = Intersect(move.Covered, screen);
    const TOverlayRect uncovered =
        Intersect(Bounding(move.VerticalStrip, move.HorizontalStrip), screen);

    // A small move: the old and the new lens together go to the screen in
    // one block, so the move costs about one copy of the lens area. A long
    // jump: the two strips of the old lens are restored on their own, and
    // the new lens goes in a block of its own size.
    const TOverlayRect both = Bounding(covered, uncovered);
    if (Area(both) <= 2 * Area(covered)) {
        ShowFrame(canvas, picture, pictures_, both, move);
    } else {
        for (const TOverlayRect& strip : {move.VerticalStrip, move.HorizontalStrip}) {
            TOverlayRect r = Intersect(strip, screen);
            if (!r.Empty())
                canvas.CopyFrom(ToRECT(r), picture.DC(), static_cast<int>(r.left),
                                static_cast<int>(r.top));
        }
        ShowFrame(canvas, picture, pictures_, covered, move);
    }
    LastLensRect = move.Covered;
}

void TMagnifier::RefreshLens() {
    DrawLens(Activation.PointerOnOverlay());
}

void TMagnifier::MouseMove(TShiftState, TOverlayPoint at) {
    DrawLens(at);
}

void TMagnifier::MouseDown(TMouseButton button, TShiftState shift, TOverlayPoint) {
    const TLensButton lensButton = button == TMouseButton::mbLeft    ? TLensButton::Left
                                   : button == TMouseButton::mbRight ? TLensButton::Right
                                                                     : TLensButton::Middle;
    const TLensClick click = LensClick(Settings.ZoomWidth, Settings.ZoomHeight, Settings.Scale,
                                       lensButton, (shift & ssCtrl) != 0, (shift & ssShift) != 0);
    if (click.EndTool) {
        Activation.End();
        return;
    }
    if (click.Beep) Beep();
    if (click.RepaintScreen) Activation.Repaint();
    RefreshLens();
}

void TMagnifier::KeyDown(WORD& key, TShiftState) {
    if (key == VK_SHIFT || key == VK_CONTROL) return; // held for the clicks
    key = 0;
    Activation.End();
}
