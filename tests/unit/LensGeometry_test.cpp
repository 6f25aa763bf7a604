// The Magnifier's arithmetic: lens and source areas, the strips a move
// uncovers, the enlargement, the contrast filter and the modified clicks.
#include "tools/LensGeometry.h"
#include <gtest/gtest.h>
#include <vector>

TEST(PlanLensMove, DefaultLensShowsFiftyPixelsEnlargedAroundTheCursor) {
    TLensMove m = PlanLensMove({500, 400}, 100, 100, 2, {475, 375, 525, 425});
    EXPECT_EQ(m.Source, (TOverlayRect{475, 375, 525, 425}));
    EXPECT_EQ(m.Lens, (TOverlayRect{450, 350, 550, 450}));
    EXPECT_EQ(m.Covered, (TOverlayRect{449, 349, 551, 451}));
    // The first lens covers the start rectangle entirely: nothing to restore.
    EXPECT_TRUE(m.VerticalStrip.Empty());
    EXPECT_TRUE(m.HorizontalStrip.Empty());
}

TEST(PlanLensMove, AMoveRestoresExactlyWhatTheNewLensLeavesUncovered) {
    const TOverlayRect last{449, 349, 551, 451};
    TLensMove right = PlanLensMove({501, 400}, 100, 100, 2, last);
    EXPECT_EQ(right.VerticalStrip,
              (TOverlayRect{449, 349, 451, 451})); // old outline column and one more
    EXPECT_EQ(right.HorizontalStrip, (TOverlayRect{449, 349, 551, 350})); // old outline row
    TLensMove upLeft = PlanLensMove({497, 396}, 100, 100, 2, last);
    EXPECT_EQ(upLeft.VerticalStrip, (TOverlayRect{547, 349, 551, 451}));
    EXPECT_EQ(upLeft.HorizontalStrip, (TOverlayRect{449, 446, 551, 451}));

    // Every pixel the last lens covered is either under the new lens with its
    // outline or in one of the strips.
    for (auto [x, y] : {std::pair{480, 420}, {530, 370}, {500, 400}, {620, 380}}) {
        TLensMove m = PlanLensMove({x, y}, 100, 100, 2, last);
        auto inside = [](const TOverlayRect& r, int px, int py) {
            return px >= r.left && px < r.right && py >= r.top && py < r.bottom;
        };
        for (int py = last.top; py < last.bottom; ++py)
            for (int px = last.left; px < last.right; ++px)
                ASSERT_TRUE(inside(m.Covered, px, py) || inside(m.VerticalStrip, px, py) ||
                            inside(m.HorizontalStrip, px, py))
                    << "cursor " << x << "," << y << " leaves " << px << "," << py;
    }
}

TEST(PlanLensMove, FactorsAndSidesNoDialogOffersStayWellFormed) {
    TLensMove zero = PlanLensMove({10, 10}, 100, 100, 0, {});
    EXPECT_EQ(zero.Source.Width(), 100); // as factor 1
    TLensMove negative = PlanLensMove({10, 10}, 100, 100, -4, {});
    EXPECT_EQ(negative.Source.Width(), 100);
    TLensMove inverted = PlanLensMove({10, 10}, -50, -60, 2, {});
    EXPECT_TRUE(inverted.Lens.Empty());
    EXPECT_GE(inverted.Source.Width(), 0);
    TLensMove tiny = PlanLensMove({10, 10}, 1, 1, 2, {});
    EXPECT_EQ(tiny.Lens.Width(), 1);
    EXPECT_EQ(tiny.Source.Width(), 0);
    TLensMove huge = PlanLensMove({1000, 700}, INT32_MAX, INT32_MAX, 1, {});
    EXPECT_GT(huge.Lens.right, huge.Lens.left);
    EXPECT_GT(huge.Covered.right, huge.Lens.right);
    // Factors past 2^30 (a hand-edited registry) show the one pixel under
    // the cursor, as any factor larger than the lens does.
    for (int32_t scale : {(1 << 30) + 1, INT32_MAX}) {
        TLensMove m = PlanLensMove({500, 400}, 100, 100, scale, {});
        EXPECT_EQ(m.Source, (TOverlayRect{500, 400, 500, 400})) << scale;
    }
}

TEST(VisibleLensAxis, OnlyTheLensPixelsOnTheScreenAndTheSourceTheyShow) {
    TLensAxis whole = VisibleLensAxis(100, 100, 50, 1024);
    EXPECT_EQ(whole.LensFirst, 0);
    EXPECT_EQ(whole.LensCount, 100);
    EXPECT_EQ(whole.SourceFirst, 0);
    EXPECT_EQ(whole.SourceCount, 50);
    TLensAxis leftCut = VisibleLensAxis(-30, 100, 50, 1024);
    EXPECT_EQ(leftCut.LensFirst, 30);
    EXPECT_EQ(leftCut.LensCount, 70);
    EXPECT_EQ(leftCut.SourceFirst, 15);
    EXPECT_EQ(leftCut.SourceCount, 35);
    TLensAxis rightCut = VisibleLensAxis(1000, 100, 33, 1024);
    EXPECT_EQ(rightCut.LensCount, 24);
    EXPECT_EQ(rightCut.SourceCount, 23 * 33 / 100 + 1);
    TLensAxis huge = VisibleLensAxis(-1000000000, 2000000000, 1000000000, 1024);
    EXPECT_EQ(huge.LensCount, 1024);
    EXPECT_LE(huge.SourceCount, 1024);
    EXPECT_EQ(VisibleLensAxis(2000, 100, 50, 1024).LensCount, 0);
    EXPECT_EQ(VisibleLensAxis(10, 1, 0, 1024).SourceCount, 0);
}

namespace {
// A source whose every pixel is its own coordinates.
std::vector<uint32_t> CoordinatePicture(int width, int height) {
    std::vector<uint32_t> p(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p[y * width + x] = (y << 16) | x;
    return p;
}
} // namespace

TEST(EnlargeNearest, FactorThreeOnAHundredPixelLensIsNotUniform) {
    const int lens = 100, source = 100 / 3; // 33
    auto src = CoordinatePicture(source, source);
    std::vector<uint32_t> dst(lens * lens, 0xDEADBEEF);
    TLensAxis axis = VisibleLensAxis(0, lens, source, 1024);
    EnlargeNearest(reinterpret_cast<uint8_t*>(src.data()), source * 4,
                   reinterpret_cast<uint8_t*>(dst.data()), lens * 4, axis, axis, lens, source, lens,
                   source);
    std::vector<int> widths(source, 0);
    for (int x = 0; x < lens; ++x) {
        uint32_t v = dst[x];
        ASSERT_EQ(static_cast<int>(v & 0xFFFF), x * source / lens);
        ++widths[v & 0xFFFF];
    }
    // 100 lens pixels over 33 source pixels: one source pixel covers 4.
    EXPECT_EQ(std::count(widths.begin(), widths.end(), 4), 1);
    EXPECT_EQ(std::count(widths.begin(), widths.end(), 3), 32);
    for (int y = 0; y < lens; ++y)
        ASSERT_EQ(static_cast<int>(dst[y * lens + 57] >> 16), y * source / lens);
}

TEST(EnlargeNearest, ACutLensShowsTheSamePixelsAsTheWholeOne) {
    const int lens = 90, source = 30;
    auto src = CoordinatePicture(source, source);
    std::vector<uint32_t> whole(lens * lens);
    TLensAxis all = VisibleLensAxis(0, lens, source, 4096);
    EnlargeNearest(reinterpret_cast<uint8_t*>(src.data()), source * 4,
                   reinterpret_cast<uint8_t*>(whole.data()), lens * 4, all, all, lens, source, lens,
                   source);
    TLensAxis x = VisibleLensAxis(-40, lens, source, 4096),
              y = VisibleLensAxis(4096 - 50, lens, source, 4096);
    std::vector<uint32_t> cut(x.LensCount * y.LensCount);
    // The cut source starts at the first source pixel the visible part shows.
    std::vector<uint32_t> part(x.SourceCount * y.SourceCount);
    for (int r = 0; r < y.SourceCount; ++r)
        for (int c = 0; c < x.SourceCount; ++c)
            part[r * x.SourceCount + c] = src[(y.SourceFirst + r) * source + x.SourceFirst + c];
    EnlargeNearest(reinterpret_cast<uint8_t*>(part.data()), x.SourceCount * 4,
                   reinterpret_cast<uint8_t*>(cut.data()), x.LensCount * 4, x, y, lens, source,
                   lens, source);
    for (int r = 0; r < y.LensCount; ++r)
        for (int c = 0; c < x.LensCount; ++c)
            ASSERT_EQ(cut[r * x.LensCount + c], whole[(y.LensFirst + r) * lens + x.LensFirst + c]);
}

TEST(EnlargeNearest, FactorTwoCutAtOddPixelsWritesOnlyTheLensPart) {
    // Lens pixel i shows source pixel i / 2; the frame beside the lens's
    // visible part keeps its own pixels.
    const int lens = 100, source = 50, pad = 3;
    for (int start : {0, -1, -17, 1024 - 77}) {
        const TLensAxis x = VisibleLensAxis(start, lens, source, 1024), y = x;
        std::vector<uint32_t> src(x.SourceCount * y.SourceCount);
        for (size_t i = 0; i < src.size(); ++i)
            src[i] = static_cast<uint32_t>(i * 2654435761u);
        const int stride = x.LensCount + pad;
        std::vector<uint32_t> dst(stride * y.LensCount, 0xDEADBEEF);
        EnlargeNearest(reinterpret_cast<uint8_t*>(src.data()), x.SourceCount * 4,
                       reinterpret_cast<uint8_t*>(dst.data()), stride * 4, x, y, lens, source, lens,
                       source);
        for (int r = 0; r < y.LensCount; ++r)
            for (int c = 0; c < stride; ++c) {
                const uint32_t want =
                    c >= x.LensCount ? 0xDEADBEEF
                                     : src[((y.LensFirst + r) / 2 - y.SourceFirst) * x.SourceCount +
                                           (x.LensFirst + c) / 2 - x.SourceFirst];
                ASSERT_EQ(dst[r * stride + c], want) << start << " " << r << "," << c;
            }
    }
}

TEST(HighContrast, MediumAndHighMapTheChannelsAroundTheMiddle) {
    const std::pair<int, int> medium[] = {{0, 0},     {100, 86},  {127, 127},
                                          {128, 128}, {129, 129}, {255, 255}};
    for (auto [in, out] : medium)
        EXPECT_EQ(HighContrastChannel(in, 1), out) << in;
    const std::pair<int, int> high[] = {{64, 0},    {65, 2},    {100, 72},
                                        {191, 254}, {192, 255}, {0, 0}};
    for (auto [in, out] : high)
        EXPECT_EQ(HighContrastChannel(in, 2), out) << in;
    for (int level : {0, 3, 255})
        EXPECT_EQ(HighContrastChannel(100, level), 100);

    // Blue, green and red alike; the fourth byte untouched.
    uint8_t pixels[2 * 4] = {100, 64, 191, 7, 0, 255, 129, 9};
    ApplyHighContrast(pixels, 2, 1, 8, 2);
    const uint8_t expected[] = {72, 0, 254, 7, 0, 255, 130, 9};
    EXPECT_TRUE(std::equal(pixels, pixels + 8, expected));
}

TEST(ApplyHighContrast, EveryValueInEveryChannelOfAWideRowAsTheChannelRuleSays) {
    // Rows wide enough for the four-pixel blocks, with a ragged end.
    for (int level : {1, 2}) {
        constexpr int kWidth = 259;
        std::vector<uint8_t> pixels(kWidth * 4);
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 4; ++c)
                pixels[x * 4 + c] = static_cast<uint8_t>(x * 7 + c * 85);
        const std::vector<uint8_t> before = pixels;
        ApplyHighContrast(pixels.data(), kWidth, 1, pixels.size(), level);
        for (size_t i = 0; i < pixels.size(); ++i) {
            const uint8_t expected = i % 4 == 3 ? before[i] : HighContrastChannel(before[i], level);
            ASSERT_EQ(pixels[i], expected) << "level " << level << " byte " << i;
        }
    }
}

TEST(LensClick, CtrlChangesTheFactorWithinOneToTen) {
    int32_t w = 100, h = 100, scale = 9;
    EXPECT_FALSE(LensClick(w, h, scale, TLensButton::Left, true, false).Beep);
    EXPECT_EQ(scale, 10);
    EXPECT_TRUE(LensClick(w, h, scale, TLensButton::Left, true, true).Beep); // Ctrl wins over Shift
    EXPECT_EQ(scale, 10);
    EXPECT_EQ(w, 100);
    scale = 1;
    EXPECT_TRUE(LensClick(w, h, scale, TLensButton::Right, true, false).Beep);
    EXPECT_EQ(scale, 1);
    TLensClick middle = LensClick(w, h, scale, TLensButton::Middle, true, false);
    EXPECT_FALSE(middle.Beep || middle.EndTool);
    EXPECT_EQ(scale, 1);
}

TEST(LensClick, ShiftSquaresTheLensThenStepsItsSides) {
    int32_t w = 100, h = 120, scale = 2;
    EXPECT_FALSE(LensClick(w, h, scale, TLensButton::Left, false, true).Beep);
    EXPECT_EQ(w, 130);
    EXPECT_EQ(h, 130);
    w = 495, h = 495;
    LensClick(w, h, scale, TLensButton::Left, false, true);
    EXPECT_EQ(w, 505);
    EXPECT_TRUE(LensClick(w, h, scale, TLensButton::Left, false, true).Beep);
    EXPECT_EQ(w, 505);
    w = h = 60;
    TLensClick shrink = LensClick(w, h, scale, TLensButton::Right, false, true);
    EXPECT_TRUE(shrink.RepaintScreen);
    EXPECT_EQ(w, 50);
    TLensClick refused = LensClick(w, h, scale, TLensButton::Right, false, true);
    EXPECT_TRUE(refused.Beep);
    EXPECT_FALSE(refused.RepaintScreen);
    EXPECT_EQ(h, 50);
    w = 80, h = 40;
    LensClick(w, h, scale, TLensButton::Middle, false, true); // squares only
    EXPECT_EQ(h, 80);
}

TEST(LensClick, APlainClickOfAnyButtonEndsTheTool) {
    int32_t w = 100, h = 100, scale = 2;
    for (TLensButton b : {TLensButton::Left, TLensButton::Right, TLensButton::Middle})
        EXPECT_TRUE(LensClick(w, h, scale, b, false, false).EndTool);
    EXPECT_EQ(scale, 2);
}
