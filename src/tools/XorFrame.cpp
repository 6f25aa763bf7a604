#include "tools/XorFrame.h"
#include "framework/LastError.h"
#include <array>

namespace {
constexpr uint32_t kSilver = 0xC0C0C0;
constexpr int kPatternSide = 8; // even, so the checkerboard's phase is the screen's x + y

#pragma pack(push, 4)
struct PatternDib {
    BITMAPINFOHEADER header;
    std::array<uint32_t, kPatternSide * kPatternSide> pixels;
};
#pragma pack(pop)
} // namespace

TDottedXorFrame::TDottedXorFrame() {
    // A pattern brush in the exclusive-or raster operation changes a whole
    // stroke in one call: silver where x + y is odd, black (no change) elsewhere.
    PatternDib dib{};
    dib.header.biSize = sizeof(dib.header);
    dib.header.biWidth = kPatternSide;
    dib.header.biHeight = -kPatternSide; // top row first
    dib.header.biPlanes = 1;
    dib.header.biBitCount = 32;
    dib.header.biCompression = BI_RGB;
    for (int y = 0; y < kPatternSide; ++y)
        for (int x = 0; x < kPatternSide; ++x)
            dib.pixels[y * kPatternSide + x] = (x + y) % 2 ? kSilver : 0;
    pattern_.reset(CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS));
    if (!pattern_) ThrowLastError(L"Cannot create the selection frame's pattern");
}

void TDottedXorFrame::Draw(HDC dc, const TCorners& rect) const {
    const TCorners r = Normalized(rect);
    const int w = r.last.x - r.first.x, h = r.last.y - r.first.y;
    POINT origin;
    SetBrushOrgEx(dc, 0, 0, &origin);
    SelectedObject brush(dc, pattern_.get());
    // Four strokes, each from its corner up to but not including the next,
    // so every outline pixel is changed once (a rectangle of no width or
    // height thus changes only its two ends).
    if (w > 0) PatBlt(dc, r.first.x, r.first.y, w, 1, PATINVERT);
    if (h > 0) PatBlt(dc, r.last.x, r.first.y, 1, h, PATINVERT);
    if (w > 0) PatBlt(dc, r.first.x + 1, r.last.y, w, 1, PATINVERT);
    if (h > 0) PatBlt(dc, r.first.x, r.first.y + 1, 1, h, PATINVERT);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
}
