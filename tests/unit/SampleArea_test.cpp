// The Dropper's sample square over a picture of two monitors with a gap
// between them, a corner without a monitor and a white margin: which pixels
// count, and the rounding of the mean.
#include "tools/SampleArea.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
// Monitor A at columns 0-9, rows 0-7; B at columns 12-19, rows 2-9; the
// picture 24 x 10. A pixel on a monitor is red x, green 10 y, blue 200;
// every other one white, as the frozen picture leaves it.
constexpr TOverlayRect kA{0, 0, 10, 8}, kB{12, 2, 20, 10};
constexpr int kWidth = 24, kHeight = 10;

std::vector<std::uint8_t> Picture() {
    std::vector<std::uint8_t> bits(kWidth * kHeight * 4, 255);
    for (const TOverlayRect& m : {kA, kB})
        for (int y = m.top; y < m.bottom; ++y)
            for (int x = m.left; x < m.right; ++x) {
                std::uint8_t* p = &bits[(y * kWidth + x) * 4];
                p[0] = 200, p[1] = static_cast<std::uint8_t>(10 * y);
                p[2] = static_cast<std::uint8_t>(x);
            }
    return bits;
}

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return r | g << 8 | b << 16;
}
} // namespace

TEST(SampleColor, CountsOnlyPixelsOnAMonitorAndRoundsHalvesUp) {
    struct Case {
        const char* what;
        int x, y, side;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"one pixel on a monitor", 4, 4, 1, Rgb(4, 40, 200)},
        {"one pixel in the gap: its white, as ever", 10, 3, 1, 0xFFFFFF},
        {"one pixel off the picture", -1, 0, 1, 0xFFFFFF},
        {"a side not offered reads one pixel", 4, 4, 7, Rgb(4, 40, 200)},
        {"3 x 3 inside a monitor", 4, 4, 3, Rgb(4, 40, 200)},
        {"3 x 3 at the picture's corner: red 0.5 up to 1", 0, 0, 3, Rgb(1, 5, 200)},
        {"3 x 3 reaching off the picture", -1, 0, 3, Rgb(0, 5, 200)},
        {"9 x 9 at the monitor's edge: red 2.5 up to 3", 1, 4, 9, Rgb(3, 35, 200)},
        {"3 x 3 over the gap: column 9 only", 10, 5, 3, Rgb(9, 50, 200)},
        {"5 x 5 across both monitors: red 170 / 15", 11, 5, 5, Rgb(11, 50, 200)},
        {"3 x 3 in the corner without a monitor", 15, 0, 3, 0xFFFFFF},
        {"5 x 5 from that corner onto B's top row", 15, 0, 5, Rgb(15, 20, 200)},
        {"5 x 5 over the margin: red 18.5 up to 19", 20, 5, 5, Rgb(19, 50, 200)},
    };
    const std::vector<std::uint8_t> bits = Picture();
    const TSamplePixels pixels{bits.data(), kWidth * 4, kWidth, kHeight, 4};
    const TOverlayRect monitors[] = {kA, kB};
    for (const Case& c : cases)
        EXPECT_EQ(SampleColor(pixels, {c.x, c.y}, c.side, monitors), c.expected) << c.what;
    // Monitors that overlap, as a mirrored display's may: a pixel counts once.
    const TOverlayRect mirrored[] = {kA, {0, 0, 5, 8}, kB};
    EXPECT_EQ(SampleColor(pixels, {4, 4}, 9, mirrored), Rgb(4, 35, 200));
}
