// The information panel's arithmetic: its width and layout, heights per row
// set, the clamp at the screen edges and the zoom view's source and white parts.
#include "info/InfoGeometry.h"
#include "info/InfoRows.h"
#include <gtest/gtest.h>
#include <limits>

namespace {
constexpr int32_t kSmallCaption = 15;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(InfoGeometry, PanelWidthFollowsPixelsPerInchAndMessageFont) {
    struct Case {
        int32_t ppi, messageHeight, expected;
    } cases[] = {
        {96, -11, 220},  // the design size
        {96, -13, 258},  // a larger message font: 212 * 13 / 11 = 250.5
        {120, -13, 273}, // 120 * 212 * 13 / (96 * 13) = 265
        {120, -16, 334}, // 120 * 212 * 16 / (96 * 13) = 326.2
        {96, 0, 220},    // "the default height" counts as the default font's
        {96, 11, 220},   // a cell height, positive, scales like the character height
        {0, -11, 220},   // no reading of the screen: the design density
    };
    for (const Case& c : cases)
        EXPECT_EQ(InfoPanelWidth(c.ppi, c.messageHeight, DefaultFontHeight(c.ppi)), c.expected)
            << c.ppi << " ppi, font " << c.messageHeight;
    EXPECT_EQ(DefaultFontHeight(144), -16);
    // Metrics no system gives stay a usable width instead of overflowing.
    EXPECT_LE(InfoPanelWidth(kMax, kMin, -1), (1 << 15) + 8);
}

TEST(InfoGeometry, LayoutOfADesignSizePanel) {
    const int32_t height = 200;
    const TInfoLayout l = LayoutContent(220, height, kSmallCaption);
    EXPECT_EQ(l.content, (TRect{4, kSmallCaption + 5, 216, height - 4}));
    EXPECT_EQ(l.content.Width(), 212);
    EXPECT_EQ(l.zoomView, (TRect{4, 4, 208, 107})); // 204 x 103 outside
    EXPECT_EQ(l.zoomWidth, 202);
    EXPECT_EQ(l.zoomHeight, 101);
    EXPECT_EQ(l.captionColumn.Width(), 106);
    EXPECT_EQ(l.valueColumn.Width(), 98);
    EXPECT_EQ(l.valueColumn, (TRect{110, 107, 208, height - kSmallCaption - 9 - 4}));

    EXPECT_EQ(CloseButtonRect(220, kSmallCaption), (TRect{189, 1, 212, 15})); // 23 x 14
    // A panel too small for its parts gives empty parts, never negative sizes.
    const TInfoLayout tiny = LayoutContent(3, 2, kSmallCaption);
    EXPECT_EQ(tiny.zoomWidth, 0);
    EXPECT_GE(tiny.content.Height(), 0);
    EXPECT_GE(tiny.valueColumn.Width(), 0);
}

TEST(InfoGeometry, PanelHeightPerToolCountsOnlyTheShownRows) {
    const int32_t zoomOuter = 103, row = 13;
    struct Case {
        uint32_t mask;
        int rows;
    } cases[] = {{kScreenshotRows, 4},
                 {kMeasurerRows, 8},
                 {kDropperRows, 8},
                 {0, 0},
                 {0xFFFFFFFFu, 18}}; // bits above row 17 show nothing
    for (const Case& c : cases)
        EXPECT_EQ(InfoPanelHeight(c.mask, kSmallCaption, zoomOuter, row),
                  kSmallCaption + zoomOuter + 22 + c.rows * row)
            << c.mask;
}

TEST(InfoGeometry, PositionIsPulledBackOnlyAtTheRightAndBottom) {
    struct Case {
        TScreenPoint wished, expected;
    } cases[] = {
        {{5000, -50}, {1904, -50}},   {{1904, 1064}, {1904, 1064}}, // exactly 16 pixels on screen
        {{1905, 1065}, {1904, 1064}}, {{-300, -2000}, {-300, -2000}},
        {{kMax, kMax}, {1904, 1064}}, {{kMin, kMin}, {kMin, kMin}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampInfoPosition(c.wished, 1920, 1080), c.expected)
            << c.wished.x << "," << c.wished.y;
    // Drag steps saturate instead of wrapping round.
    EXPECT_EQ(MoveInfoPosition({kMax - 10, 0}, 1000, -5), (TScreenPoint{kMax, -5}));
    EXPECT_EQ(MoveInfoPosition({-2000000000, 7}, -2000000000, 0), (TScreenPoint{kMin, 7}));
    // The window itself goes no farther than the window system can add to.
    const TScreenPoint far = PlaceableInfoPosition({kMax, kMin});
    EXPECT_LT(far.x, kMax - 100000);
    EXPECT_GT(far.y, kMin + 100000);
    EXPECT_EQ(PlaceableInfoPosition({-300, 1904}), (TScreenPoint{-300, 1904}));
}

TEST(InfoGeometry, ScaleIsKeptWhenUsableAndGuardedOtherwise) {
    struct Case {
        int32_t scale, expected;
    } cases[] = {{2, 2}, {3, 3}, {5, 5}, {10, 10}, {0, 1}, {-4, 1}, {1000000, 101}, {kMin, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(UsableZoomScale(c.scale, 202, 101), c.expected) << c.scale;
    EXPECT_EQ(UsableZoomScale(5, 0, 0), 1);
}

TEST(InfoGeometry, ZoomSourceAndWhiteBeyondTheScreen) {
    // At the top-left corner the left and the top half are off the screen.
    TZoomPicture z = ZoomPicture({0, 0}, 200, 100, 2, 1920, 1080);
    EXPECT_EQ(z.source, (TOverlayRect{-50, -25, 50, 25}));
    ASSERT_EQ(z.whiteCount, 2);
    EXPECT_EQ(z.white[0], (TRect{0, 0, 100, 100}));
    EXPECT_EQ(z.white[1], (TRect{0, 0, 200, 50}));

    // At the far corner the view's centre still shows the screen's last pixel.
    z = ZoomPicture({1919, 1079}, 200, 100, 2, 1920, 1080);
    EXPECT_EQ(z.source, (TOverlayRect{1869, 1054, 1969, 1104}));
    ASSERT_EQ(z.whiteCount, 2);
    EXPECT_EQ(z.white[0], (TRect{102, 0, 200, 100})); // 49 columns of 2
    EXPECT_EQ(z.white[1], (TRect{0, 52, 200, 100}));  // 24 rows of 2
    EXPECT_GT(z.white[0].left, 100);
    EXPECT_GT(z.white[1].top, 50);

    // Inside the screen nothing is white; a right edge exactly at the screen's
    // edge needs no band.
    EXPECT_EQ(ZoomPicture({500, 400}, 202, 101, 2, 1920, 1080).whiteCount, 0);
    EXPECT_EQ(ZoomPicture({1870, 400}, 200, 100, 2, 1920, 1080).whiteCount, 0);

    // A width the scale does not divide: 20 source columns over 201 pixels.
    z = ZoomPicture({500, 400}, 201, 100, 10, 1920, 1080);
    EXPECT_EQ(z.source, (TOverlayRect{490, 395, 510, 405}));

    // Every view pixel whose source pixel is off the screen is white, also
    // where the bands do not come out whole: 25 off-screen rows of 50 over 101
    // view rows take 51 of them, since row 50 still samples source row -1.
    z = ZoomPicture({0, 0}, 202, 101, 2, 1920, 1080);
    ASSERT_EQ(z.whiteCount, 2);
    EXPECT_EQ(z.white[0], (TRect{0, 0, 100, 101}));
    EXPECT_EQ(z.white[1], (TRect{0, 0, 202, 51}));
    z = ZoomPicture({0, 10}, 5, 4, 2, 10, 100); // view columns 0 to 2 sample source column -1
    ASSERT_EQ(z.whiteCount, 1);
    EXPECT_EQ(z.white[0], (TRect{0, 0, 3, 4}));
    z = ZoomPicture({10, 10}, 5, 4, 2, 10, 100); // column 2 samples 9, column 3 samples 10
    ASSERT_EQ(z.whiteCount, 1);
    EXPECT_EQ(z.white[0], (TRect{3, 0, 5, 4}));
    z = ZoomPicture({-3, 10}, 5, 4, 2, 10, 100); // wholly off: held to the view
    EXPECT_EQ(z.white[0], (TRect{0, 0, 5, 4}));

    // Far beyond the screen the whole view is white and nothing overflows.
    z = ZoomPicture({kMax, kMin}, 202, 101, 1, 1920, 1080);
    ASSERT_EQ(z.whiteCount, 2);
    EXPECT_EQ(z.white[0], (TRect{0, 0, 202, 101}));
}
} // namespace
