// The zoom view's frame around the sample square, against the stretching
// copy's own rule: view pixel d of v shows source pixel
// ((2d + 1) s - 1) div (2 v) of s.
#include "info/ZoomFrame.h"
#include <gtest/gtest.h>

TEST(SampleFrame, RunsJustOutsideTheViewPixelsThatShowTheSquare) {
    EXPECT_FALSE(SampleFrame(202, 101, 2, 1));
    // Inside the frame only the square, on it none of the square.
    for (int view = 20; view <= 240; view += 7)
        for (int scale = 1; scale <= 10 && view / scale >= 9; ++scale)
            for (int side : {3, 5, 9}) {
                const std::optional<TRect> frame = SampleFrame(view, view, scale, side);
                const int source = view / scale, low = source / 2 - side / 2;
                auto inSquare = [&](int d) {
                    const int s = ((2 * d + 1) * source - 1) / (2 * view);
                    return d >= 0 && d < view && s >= low && s < low + side;
                };
                SCOPED_TRACE(::testing::Message() << view << " at x" << scale << ", " << side);
                ASSERT_TRUE(frame);
                const TRect& f = *frame;
                EXPECT_TRUE(f.left == f.top && f.right == f.bottom);
                for (int d = f.left + 1; d < f.right - 1; ++d)
                    EXPECT_TRUE(inSquare(d)) << d;
                EXPECT_FALSE(inSquare(f.left) || inSquare(f.right - 1));
            }
}
