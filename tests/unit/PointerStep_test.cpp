// The keyboard's pointer steps: one pixel, ten with Shift, never off the
// monitors, also where they begin left of or above the primary monitor.
#include "tools/PointerStep.h"
#include <gtest/gtest.h>
#include <climits>
#include <tuple>

namespace {
const std::vector<TScreenRect> kPrimary{{0, 0, 1024, 768}};
// An L-shaped layout: an 800 x 600 monitor left of the primary, tops
// aligned; below it (x < 0, y >= 600) no monitor.
const std::vector<TScreenRect> kL{{0, 0, 1024, 768}, {-800, 0, 0, 600}};
// A second monitor above the primary, narrower: beside it, no monitor.
const std::vector<TScreenRect> kAbove{{0, 0, 1920, 1080}, {320, -1024, 1600, 0}};
} // namespace

TEST(PointerStep, StepsByOneOrTenAndNeverLeavesTheMonitors) {
    using enum TArrowKey;
    const std::tuple<const std::vector<TScreenRect>*, TScreenPoint, TArrowKey, bool, TScreenPoint>
        cases[] = {
            {&kPrimary, {500, 400}, Left, false, {499, 400}},
            {&kPrimary, {500, 400}, Right, false, {501, 400}},
            {&kPrimary, {500, 400}, Up, false, {500, 399}},
            {&kPrimary, {500, 400}, Down, false, {500, 401}},
            {&kPrimary, {500, 400}, Left, true, {490, 400}},
            {&kPrimary, {500, 400}, Down, true, {500, 410}},
            // A long step ends on the edge pixel; the edge pixel stays put.
            {&kPrimary, {4, 3}, Left, true, {0, 3}},
            {&kPrimary, {4, 3}, Up, true, {4, 0}},
            {&kPrimary, {0, 0}, Left, false, {0, 0}},
            {&kPrimary, {1019, 760}, Right, true, {1023, 760}},
            {&kPrimary, {1023, 767}, Down, false, {1023, 767}},
            // Across the edge two monitors share, onto the neighbour.
            {&kL, {0, 300}, Left, false, {-1, 300}},
            {&kL, {3, 300}, Left, true, {-7, 300}},
            {&kL, {-1, 599}, Right, true, {9, 599}},
            // Never into the gap below the secondary, however far it is wished.
            {&kL, {-400, 599}, Down, false, {-400, 599}},
            {&kL, {-400, 595}, Down, true, {-400, 599}},
            {&kL, {2, 700}, Left, true, {0, 700}},
            {&kAbove, {320, -1}, Left, true, {320, -1}},
            {&kAbove, {100, 5}, Up, true, {100, 0}},
            {&kAbove, {400, 5}, Up, true, {400, -5}},
            // A pointer found on no monitor (one just removed, a gap) comes
            // onto the nearest pixel of the nearest one with the first step.
            {&kPrimary, {5000, -30}, Left, false, {1023, 0}},
            {&kL, {-400, 650}, Right, false, {-400, 599}},
            {&kL, {-30, 700}, Up, false, {0, 700}},
        };
    for (auto [monitors, from, key, shift, to] : cases) {
        const TScreenPoint got = PointerStep(from, key, shift, *monitors);
        EXPECT_EQ(std::tie(got.x, got.y), std::make_tuple(to.x, to.y))
            << from.x << "," << from.y << " key " << static_cast<int>(key) << " shift " << shift;
    }
}

TEST(PointerStep, NeitherWrapsAtTheEndsOfTheRangeNorMovesWithoutMonitors) {
    const std::vector<TScreenRect> low{{INT32_MIN, INT32_MIN, -1, -1}};
    EXPECT_EQ(PointerStep({INT32_MIN + 3, -5}, TArrowKey::Left, true, low).x, INT32_MIN);
    // Its last pixel is the largest coordinate there is.
    const std::vector<TScreenRect> high{
        {INT32_MAX - 99, INT32_MAX - 99, int64_t{INT32_MAX} + 1, int64_t{INT32_MAX} + 1}};
    const TScreenPoint top = PointerStep({INT32_MAX - 4, INT32_MAX}, TArrowKey::Right, true, high);
    EXPECT_EQ(std::tie(top.x, top.y), std::make_tuple(INT32_MAX, INT32_MAX));
    for (const std::vector<TScreenRect>& none :
         {std::vector<TScreenRect>{}, std::vector<TScreenRect>{{0, 0, 0, 768}, {0, 0, 1024, -1}}}) {
        const TScreenPoint p = PointerStep({7, 8}, TArrowKey::Down, false, none);
        EXPECT_EQ(std::tie(p.x, p.y), std::make_tuple(7, 8));
    }
}
