// The Screenshot tool's selection rules: zones of the hit test, drags from
// every zone with the screen's limits, releases, arrow keys and what copy and
// save are handed.
#include "tools/Selection.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {
constexpr int32_t W = 1024, H = 768;
const TCorners kSel{100, 100, 200, 160};
} // namespace

TEST(HitTest, ZonesOfARectangleAndItsTenPixelBand) {
    const std::tuple<int, int, THitZone> cases[] = {
        {94, 130, hzNone},       {95, 130, hzLeft},         {104, 130, hzLeft},
        {105, 130, hzInside},    {194, 130, hzInside},      {195, 130, hzRight},
        {204, 130, hzRight},     {205, 130, hzNone},        {150, 94, hzNone},
        {150, 95, hzTop},        {150, 104, hzTop},         {150, 105, hzInside},
        {150, 154, hzInside},    {150, 155, hzBottom},      {150, 164, hzBottom},
        {150, 165, hzNone},      {95, 95, hzTopLeft},       {204, 95, hzTopRight},
        {95, 164, hzBottomLeft}, {204, 164, hzBottomRight}, {195, 155, hzBottomRight},
    };
    for (auto [x, y, zone] : cases)
        EXPECT_EQ(HitTest(kSel, {x, y}), zone) << x << "," << y;
    // No dead pixels: across a row through the middle the band is ten
    // pixels on each side, and everything between is inside.
    int left = 0, right = 0, inside = 0;
    for (int x = 80; x < 220; ++x)
        switch (HitTest(kSel, {x, 130})) {
        case hzLeft:
            ++left;
            break;
        case hzRight:
            ++right;
            break;
        case hzInside:
            ++inside;
            break;
        default:
            break;
        }
    EXPECT_EQ(std::make_tuple(left, right, inside), std::make_tuple(10, 10, 90));
}

TEST(HitTest, ASelectionNarrowerOrLowerThanTenHasNoInside) {
    const TCorners narrow{100, 100, 108, 200};
    EXPECT_EQ(HitTest(narrow, {104, 150}), hzLeft); // x < Left + 5
    EXPECT_EQ(HitTest(narrow, {105, 150}), hzRight);
    const TCorners low{100, 100, 300, 106};
    EXPECT_EQ(HitTest(low, {200, 104}), hzTop);
    EXPECT_EQ(HitTest(low, {200, 105}), hzBottom);
    for (int x = 90; x < 120; ++x)
        for (int y = 90; y < 210; ++y)
            ASSERT_NE(HitTest(narrow, {x, y}), hzInside) << x << "," << y;
}

TEST(DragRect, EveryZoneMovesItsEdgesAndStopsAtTheScreenEdges) {
    const TOverlayPoint anchor{150, 130};
    struct Case {
        THitZone zone;
        TOverlayPoint cursor;
        TCorners expected;
    };
    const Case cases[] = {
        {hzNone, {-40, 900}, {100, 100, -40, 900}}, // a new selection follows the cursor
        {hzTopLeft, {0, 0}, {0, 0, 200, 160}},      // held at 0
        {hzTop, {150, 120}, {100, 90, 200, 160}},
        {hzTopRight, {2000, -500}, {100, 0, W - 1, 160}},
        {hzLeft, {140, 999}, {90, 100, 200, 160}},
        {hzRight, {5000, 130}, {100, 100, W - 1, 160}},
        {hzBottomLeft, {-9, 9000}, {0, 100, 200, H - 1}},
        {hzBottom, {150, 131}, {100, 100, 200, 161}},
        {hzBottomRight, {1500, 1500}, {100, 100, W - 1, H - 1}},
        {hzLeft, {260, 130}, {210, 100, 200, 160}}, // across the opposite edge: inverted
    };
    for (const Case& c : cases)
        EXPECT_EQ(DragRect(kSel, c.zone, anchor, c.cursor, W, H), c.expected)
            << int(c.zone) << " to " << c.cursor.x << "," << c.cursor.y;
}

TEST(DragRect, TheInsideMovesTheWholeSelectionWhichKeepsItsSize) {
    const TOverlayPoint anchor{150, 130};
    EXPECT_EQ(DragRect(kSel, hzInside, anchor, {160, 110}, W, H), (TCorners{110, 80, 210, 140}));
    EXPECT_EQ(DragRect(kSel, hzInside, anchor, {-500, -500}, W, H), (TCorners{0, 0, 100, 60}));
    EXPECT_EQ(DragRect(kSel, hzInside, anchor, {5000, 5000}, W, H),
              (TCorners{W - 101, H - 61, W - 1, H - 1}));
    // Cursor coordinates at the ends of the range do not overflow.
    EXPECT_EQ(DragRect(kSel, hzInside, anchor, {INT32_MIN, INT32_MAX}, W, H),
              (TCorners{0, H - 61, 100, H - 1}));
}

TEST(Release, InvertedDragsNormaliseAndAReleaseOnTheOppositeEdgeSelectsNothing) {
    const TCorners inverted = DragRect(kSel, hzLeft, {100, 130}, {260, 130}, W, H);
    EXPECT_TRUE(IsSelection(inverted));
    EXPECT_EQ(Normalized(inverted), (TCorners{200, 100, 260, 160}));
    EXPECT_FALSE(IsSelection(DragRect(kSel, hzLeft, {100, 130}, {200, 130}, W, H)));
    EXPECT_FALSE(IsSelection(DragRect(kSel, hzTop, {150, 100}, {150, 160}, W, H)));
    EXPECT_FALSE(IsSelection({300, 300, 300, 300})); // a click without movement
    EXPECT_TRUE(IsSelection({300, 300, 299, 299}));
}

TEST(ArrowKeyRect, MovesAndShiftResizesStopAtTheLimits) {
    const TCorners corner{0, 0, 3, 3};
    EXPECT_EQ(ArrowKeyRect(corner, TArrowKey::Left, false, W, H), corner);
    EXPECT_EQ(ArrowKeyRect(corner, TArrowKey::Up, false, W, H), corner);
    EXPECT_EQ(ArrowKeyRect(corner, TArrowKey::Right, false, W, H), (TCorners{1, 0, 4, 3}));
    EXPECT_EQ(ArrowKeyRect(corner, TArrowKey::Down, false, W, H), (TCorners{0, 1, 3, 4}));
    const TCorners far{W - 4, H - 4, W - 1, H - 1};
    EXPECT_EQ(ArrowKeyRect(far, TArrowKey::Right, false, W, H), far);
    EXPECT_EQ(ArrowKeyRect(far, TArrowKey::Down, true, W, H), far);
    // Width 3 becomes 2, then no further.
    const TCorners two = ArrowKeyRect(corner, TArrowKey::Left, true, W, H);
    EXPECT_EQ(two, (TCorners{0, 0, 2, 3}));
    EXPECT_EQ(ArrowKeyRect(two, TArrowKey::Left, true, W, H), two);
    EXPECT_EQ(ArrowKeyRect(corner, TArrowKey::Up, true, W, H), (TCorners{0, 0, 3, 2}));
    EXPECT_EQ(ArrowKeyRect(corner, TArrowKey::Right, true, W, H), (TCorners{0, 0, 4, 3}));
}

TEST(ExportRect, CopyAndSaveGetTheSelectionOnTheScreenOrTheWholeScreen) {
    // Right and bottom exclusive: both corner pixels are in the picture.
    EXPECT_EQ(ExportRect(kSel, false, W, H), (TOverlayRect{0, 0, W, H}));
    EXPECT_EQ(ExportRect(kSel, true, W, H), (TOverlayRect{100, 100, 201, 161}));
    EXPECT_EQ(ExportRect({300, 500, -20, 900}, true, W, H), (TOverlayRect{0, 500, 301, H}));
}
