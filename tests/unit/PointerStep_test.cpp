// The keyboard's pointer steps: one pixel, ten with Shift, held on the
// virtual screen, also where it begins left of or above the primary monitor.
#include "tools/PointerStep.h"
#include <gtest/gtest.h>
#include <climits>
#include <tuple>

namespace {
const TScreenRect kPrimary{0, 0, 1024, 768};
// A second monitor left of the primary one, taller and lower.
const TScreenRect kTwoMonitors{-1280, -200, 1024, 824};
} // namespace

TEST(PointerStep, StepsByOneOrTenAndStopsAtTheVirtualScreensEdges) {
    using enum TArrowKey;
    const std::tuple<TScreenRect, TScreenPoint, TArrowKey, bool, TScreenPoint> cases[] = {
        {kPrimary, {500, 400}, Left, false, {499, 400}},
        {kPrimary, {500, 400}, Right, false, {501, 400}},
        {kPrimary, {500, 400}, Up, false, {500, 399}},
        {kPrimary, {500, 400}, Down, false, {500, 401}},
        {kPrimary, {500, 400}, Left, true, {490, 400}},
        {kPrimary, {500, 400}, Down, true, {500, 410}},
        // A long step ends on the edge pixel; the edge pixel stays put.
        {kPrimary, {4, 3}, Left, true, {0, 3}},
        {kPrimary, {4, 3}, Up, true, {4, 0}},
        {kPrimary, {0, 0}, Left, false, {0, 0}},
        {kPrimary, {1019, 760}, Right, true, {1023, 760}},
        {kPrimary, {1019, 760}, Down, true, {1019, 767}},
        {kPrimary, {1023, 767}, Right, false, {1023, 767}},
        // Left of and above the primary monitor is screen too.
        {kTwoMonitors, {0, 0}, Left, true, {-10, 0}},
        {kTwoMonitors, {-1275, -195}, Up, true, {-1275, -200}},
        {kTwoMonitors, {-1275, -195}, Left, true, {-1280, -195}},
        {kTwoMonitors, {1023, 823}, Down, true, {1023, 823}},
        // A pointer found off the area (a monitor just removed) comes back
        // onto it with the first step.
        {kPrimary, {5000, -30}, Left, false, {1023, 0}},
    };
    for (auto [area, from, key, shift, to] : cases) {
        const TScreenPoint got = PointerStep(from, key, shift, area);
        EXPECT_EQ(std::tie(got.x, got.y), std::make_tuple(to.x, to.y))
            << from.x << "," << from.y << " key " << static_cast<int>(key) << " shift " << shift
            << " on " << area.left << "," << area.top << " to " << area.right << "," << area.bottom;
    }
}

TEST(PointerStep, NeitherWrapsAtTheEndsOfTheRangeNorMovesOnAnAreaOfNoPixels) {
    const TScreenRect huge{INT32_MIN, INT32_MIN, -1, -1};
    const TScreenPoint low = PointerStep({INT32_MIN + 3, 0}, TArrowKey::Left, true, huge);
    EXPECT_EQ(low.x, INT32_MIN);
    // Its last pixel is the largest coordinate there is.
    const TScreenRect high{INT32_MAX - 99, INT32_MAX - 99, int64_t{INT32_MAX} + 1,
                           int64_t{INT32_MAX} + 1};
    const TScreenPoint top = PointerStep({INT32_MAX - 4, INT32_MAX}, TArrowKey::Right, true, high);
    EXPECT_EQ(std::tie(top.x, top.y), std::make_tuple(INT32_MAX, INT32_MAX));
    for (const TScreenRect& none : {TScreenRect{0, 0, 0, 768}, TScreenRect{0, 0, 1024, -1}}) {
        const TScreenPoint p = PointerStep({7, 8}, TArrowKey::Down, false, none);
        EXPECT_EQ(std::tie(p.x, p.y), std::make_tuple(7, 8));
    }
}
