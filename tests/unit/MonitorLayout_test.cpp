#include "framework/MonitorLayout.h"
#include "info/InfoGeometry.h"
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kPanelWidth = 230, kPanelHeight = 300;

const std::vector<TScreenRect> kSideBySide = {{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
// A smaller secondary left of the primary, its top aligned: the corner below
// it (x < 0, y >= 600) is a gap.
const std::vector<TScreenRect> kLeftSmaller = {{0, 0, 1024, 768}, {-800, 0, 0, 600}};
const std::vector<TScreenRect> kAbove = {{0, 0, 1920, 1080}, {320, -1024, 1600, 0}};
// Three monitors of different sizes with gaps: one right and lower, one left
// and higher.
const std::vector<TScreenRect> kThree = {
    {0, 0, 1920, 1080}, {1920, 300, 3200, 1324}, {-1280, -200, 0, 824}};

// The oracle for "wholly on a real monitor".
bool WhollyOnOneMonitor(TScreenPoint p, const std::vector<TScreenRect>& monitors) {
    for (const TScreenRect& m : monitors)
        if (p.x >= m.left && int64_t{p.x} + kPanelWidth <= m.right && p.y >= m.top &&
            int64_t{p.y} + kPanelHeight <= m.bottom)
            return true;
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

TEST(MonitorLayout, PanelComesWhollyOntoTheNearestMonitor) {
    struct Case {
        const char* what;
        const std::vector<TScreenRect>* layout;
        TScreenPoint wished, expected;
    } cases[] = {
        {"on the secondary left: kept", &kLeftSmaller, {-750, 20}, {-750, 20}},
        {"across the border: onto the primary", &kLeftSmaller, {-100, 100}, {0, 100}},
        // In the gap below the secondary: up onto it or right onto the
        // primary, whichever is the shorter move.
        {"gap, nearer the secondary", &kLeftSmaller, {-300, 700}, {-300, 300}},
        {"gap, nearer the primary", &kLeftSmaller, {-20, 700}, {0, 468}},
        {"right of everything", &kSideBySide, {5000, 500}, {3610, 500}},
        {"half off the bottom right", &kSideBySide, {3824, 1064}, {3610, 780}},
        {"off the top of the monitor above", &kAbove, {400, -3000}, {400, -1024}},
        {"left of the monitor above, above the primary: a gap", &kAbove, {0, -500}, {320, -500}},
        {"above the lower right one: onto it", &kThree, {2000, -250}, {2000, 300}},
        {"far left of the third", &kThree, {-5000, 0}, {-1280, 0}},
        {"the ends of the 32-bit range", &kThree, {kMax, kMax}, {2970, 1024}},
        {"the other ends", &kThree, {kMin, kMin}, {-1280, -200}},
        {"two billion either way", &kLeftSmaller, {2000000000, -2000000000}, {794, 0}},
    };
    for (const Case& c : cases) {
        const TScreenPoint p = PutOnMonitor(c.wished, kPanelWidth, kPanelHeight, *c.layout);
        EXPECT_EQ(p, c.expected) << c.what << ": " << p.x << "," << p.y;
        EXPECT_TRUE(WhollyOnOneMonitor(p, *c.layout)) << c.what;
    }
    // Higher than the monitor it is on: its caption stays on it.
    EXPECT_EQ(PutOnMonitor({-750, 20}, 230, 700, kLeftSmaller), (TScreenPoint{-750, 0}));
    EXPECT_EQ(PutOnMonitor({7, 7}, 100, 100, {}), (TScreenPoint{7, 7}));
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
    EXPECT_EQ(InfoPanelPlace({-700, 20}, kPanelWidth, kPanelHeight, two), (TScreenPoint{0, 20}));
    EXPECT_EQ(InfoPanelPlace({-700, 20}, kPanelWidth, kPanelHeight, kThree),
              (TScreenPoint{-700, 20}));
}
