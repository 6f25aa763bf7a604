#include "framework/MonitorLayout.h"
#include "info/InfoGeometry.h"
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kPanelWidth = 230, kPanelHeight = 300, kVisible = 16;

const std::vector<TScreenRect> kSideBySide = {{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
// A smaller secondary left of the primary, its top aligned: the corner below
// it (x < 0, y >= 600) is a gap.
const std::vector<TScreenRect> kLeftSmaller = {{0, 0, 1024, 768}, {-800, 0, 0, 600}};
const std::vector<TScreenRect> kAbove = {{0, 0, 1920, 1080}, {320, -1024, 1600, 0}};
// Three monitors of different sizes with gaps: one right and lower, one left
// and higher.
const std::vector<TScreenRect> kThree = {
    {0, 0, 1920, 1080}, {1920, 300, 3200, 1324}, {-1280, -200, 0, 824}};

// How many pixels of the panel at p lie on the monitor that holds most of it
// in both directions: the oracle for "at least 16 x 16 on a real monitor".
bool EnoughOnOneMonitor(TScreenPoint p, const std::vector<TScreenRect>& monitors) {
    for (const TScreenRect& m : monitors) {
        const int64_t w =
            std::min<int64_t>(int64_t{p.x} + kPanelWidth, m.right) - std::max<int64_t>(p.x, m.left);
        const int64_t h = std::min<int64_t>(int64_t{p.y} + kPanelHeight, m.bottom) -
                          std::max<int64_t>(p.y, m.top);
        if (w >= kVisible && h >= kVisible) return true;
    }
    return false;
}
} // namespace

TEST(MonitorLayout, VirtualScreenIsTheRectangleAroundEveryMonitor) {
    EXPECT_EQ(VirtualScreenOf(kSideBySide), (TScreenRect{0, 0, 3840, 1080}));
    EXPECT_EQ(VirtualScreenOf(kLeftSmaller), (TScreenRect{-800, 0, 1024, 768}));
    EXPECT_EQ(VirtualScreenOf(kAbove), (TScreenRect{0, -1024, 1920, 1080}));
    EXPECT_EQ(VirtualScreenOf(kThree), (TScreenRect{-1280, -200, 3200, 1324}));
    EXPECT_EQ(VirtualScreenOf({{0, 0, 1024, 768}}), (TScreenRect{0, 0, 1024, 768}));
    EXPECT_TRUE(VirtualScreenOf({}).Empty());
    // A monitor of no pixels (a report in the middle of a mode change) adds nothing.
    EXPECT_EQ(VirtualScreenOf({{5000, 5000, 5000, 6000}, {0, 0, 1024, 768}}),
              (TScreenRect{0, 0, 1024, 768}));
}

TEST(MonitorLayout, PanelComesBackOntoTheNearestMonitorWithSixteenPixelsOnIt) {
    struct Case {
        const char* what;
        const std::vector<TScreenRect>* layout;
        TScreenPoint wished, expected;
    } cases[] = {
        {"on the secondary left: kept", &kLeftSmaller, {-750, 20}, {-750, 20}},
        {"across the border: kept", &kLeftSmaller, {-100, 100}, {-100, 100}},
        // In the gap below the secondary: up onto it or right onto the
        // primary, whichever is the shorter move.
        {"gap, nearer the primary", &kLeftSmaller, {-300, 700}, {-214, 700}},
        {"gap, nearer the secondary", &kLeftSmaller, {-600, 700}, {-600, 584}},
        {"in the gap, yet 16 x 16 on the primary", &kLeftSmaller, {-20, 700}, {-20, 700}},
        {"right of everything", &kSideBySide, {5000, 500}, {3824, 500}},
        {"16 pixels on the right monitor exactly", &kSideBySide, {3824, 1064}, {3824, 1064}},
        {"off the top of the monitor above", &kAbove, {400, -3000}, {400, -1024 - 300 + 16}},
        {"left of the monitor above, above the primary: a gap", &kAbove, {0, -500}, {106, -500}},
        {"above the lower right one: back onto the primary", &kThree, {2000, -250}, {1904, -250}},
        {"low enough to reach the lower right one", &kThree, {2000, 100}, {2000, 100}},
        {"far left of the third", &kThree, {-5000, 0}, {-1280 - 230 + 16, 0}},
        {"the ends of the 32-bit range", &kThree, {kMax, kMax}, {3200 - 16, 1324 - 16}},
        {"the other ends", &kThree, {kMin, kMin}, {-1280 - 230 + 16, -200 - 300 + 16}},
        {"two billion either way", &kLeftSmaller, {2000000000, -2000000000}, {1008, -284}},
    };
    for (const Case& c : cases) {
        const TScreenPoint p =
            PullOntoMonitor(c.wished, kPanelWidth, kPanelHeight, kVisible, *c.layout);
        EXPECT_EQ(p, c.expected) << c.what << ": " << p.x << "," << p.y;
        EXPECT_TRUE(EnoughOnOneMonitor(p, *c.layout)) << c.what;
    }
    // A window smaller than 16 pixels is wholly on a monitor instead.
    EXPECT_EQ(PullOntoMonitor({-900, 10}, 8, 8, kVisible, kLeftSmaller), (TScreenPoint{-800, 10}));
    EXPECT_EQ(PullOntoMonitor({7, 7}, 100, 100, kVisible, {}), (TScreenPoint{7, 7}));
}

TEST(MonitorLayout, OneMonitorKeepsThePanelsOwnPullBackAndMoreUseTheMonitors) {
    const std::vector<TScreenRect> one = {{0, 0, 1920, 1080}};
    // One monitor: off the left and top it stays, at the right and bottom 16 pixels stay.
    EXPECT_EQ(InfoPanelPlace({-700, -50}, kPanelWidth, kPanelHeight, one),
              (TScreenPoint{-700, -50}));
    EXPECT_EQ(InfoPanelPlace({5000, 5000}, kPanelWidth, kPanelHeight, one),
              (TScreenPoint{1904, 1064}));
    // A panel left on a secondary monitor that is gone, with two others attached.
    const std::vector<TScreenRect> two = {kThree[0], kThree[1]};
    EXPECT_EQ(InfoPanelPlace({-700, 20}, kPanelWidth, kPanelHeight, two),
              (TScreenPoint{-230 + 16, 20}));
    EXPECT_EQ(InfoPanelPlace({-700, 20}, kPanelWidth, kPanelHeight, kThree),
              (TScreenPoint{-700, 20}));
}
