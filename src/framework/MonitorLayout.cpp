#include "framework/MonitorLayout.h"
#include <algorithm>
#include <limits>

TScreenRect VirtualScreenOf(const std::vector<TScreenRect>& monitors) {
    TScreenRect around{};
    for (const TScreenRect& m : monitors)
        around = Bounding(around, m);
    return around;
}

namespace {
// The nearest start on one axis that puts `visible` pixels of a window of
// `size` on the span [low, high): computed in 64 bits, where a wished start
// near the end of the 32-bit range plus a size cannot overflow.
int64_t PullAxis(int64_t wished, int64_t size, int64_t visible, int64_t low, int64_t high) {
    const int64_t shown = std::min({visible, std::max<int64_t>(size, 1), high - low});
    const int64_t first = low - std::max<int64_t>(size, 1) + shown, last = high - shown;
    return std::clamp(wished, std::min(first, last), last);
}
} // namespace

TScreenPoint PullOntoMonitor(TScreenPoint wished, int32_t width, int32_t height, int32_t visible,
                             const std::vector<TScreenRect>& monitors) {
    TScreenPoint best = wished;
    int64_t shortest = std::numeric_limits<int64_t>::max();
    for (const TScreenRect& m : monitors) {
        if (m.Empty()) continue;
        const int64_t x = PullAxis(wished.x, width, visible, m.left, m.right);
        const int64_t y = PullAxis(wished.y, height, visible, m.top, m.bottom);
        // Each axis moves by less than 2^33: their sum cannot overflow.
        const int64_t move = std::abs(x - wished.x) + std::abs(y - wished.y);
        if (move < shortest) {
            shortest = move;
            best = {Saturate32(x), Saturate32(y)};
        }
    }
    return best;
}
