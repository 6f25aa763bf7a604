// The dotted exclusive-or frame on a real device context, pixel for pixel
// against its definition: four strokes, each from a corner up to but not
// including the next, silver by exclusive-or where x + y is odd.
#include "framework/Bitmap.h"
#include "tools/XorFrame.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int kSide = 40;

COLORREF Background(int x, int y) {
    return RGB(x * 6, y * 6, (x * y) & 0xFF);
}

// The definition, stepped one pixel at a time.
std::vector<COLORREF> Expected(TCorners r) {
    std::vector<COLORREF> pixels(kSide * kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            pixels[y * kSide + x] = Background(x, y);
    r = Normalized(r);
    const POINT corners[] = {{r.first.x, r.first.y},
                             {r.last.x, r.first.y},
                             {r.last.x, r.last.y},
                             {r.first.x, r.last.y},
                             {r.first.x, r.first.y}};
    for (int stroke = 0; stroke < 4; ++stroke) {
        POINT p = corners[stroke];
        const POINT end = corners[stroke + 1];
        while (p.x != end.x || p.y != end.y) {
            if ((p.x + p.y) % 2) pixels[p.y * kSide + p.x] ^= 0xC0C0C0;
            p.x += (end.x > p.x) - (end.x < p.x);
            p.y += (end.y > p.y) - (end.y < p.y);
        }
    }
    return pixels;
}

std::vector<COLORREF> Pixels(const TBitmap& bitmap) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            pixels.push_back(bitmap.Pixel(x, y));
    return pixels;
}
} // namespace

TEST(DottedXorFrame, EveryOutlinePixelChangesOnceAndASecondDrawRestoresThePicture) {
    const TCorners cases[] = {
        {3, 4, 30, 20}, {30, 20, 3, 4}, // inverted
        {5, 5, 5, 25},                  // no width: only its two ends change
        {5, 5, 25, 5},  {7, 7, 7, 7},   {0, 0, kSide - 1, kSide - 1}, {10, 11, 11, 12},
    };
    TDottedXorFrame frame;
    for (const TCorners& r : cases) {
        TBitmap bitmap(kSide, kSide);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                SetPixel(bitmap.DC(), x, y, Background(x, y));
        const std::vector<COLORREF> before = Pixels(bitmap);
        frame.Draw(bitmap.DC(), r);
        GdiFlush();
        EXPECT_EQ(Pixels(bitmap), Expected(r))
            << r.first.x << "," << r.first.y << "," << r.last.x << "," << r.last.y;
        frame.Draw(bitmap.DC(), r);
        GdiFlush();
        EXPECT_EQ(Pixels(bitmap), before);
    }
}
