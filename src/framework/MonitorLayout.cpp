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
// The nearest start on one axis that puts a window of `size` wholly on the
// span [low, high), or its start on the span's where it is larger.
int64_t OntoSpan(int64_t wished, int64_t size, int64_t low, int64_t high) {
    return size <= high - low ? std::clamp(wished, low, high - size) : low;
}
} // namespace

TScreenPoint PutOnMonitor(TScreenPoint wished, int32_t width, int32_t height,
                          const std::vector<TScreenRect>& monitors) {
    TScreenPoint best = wished;
    int64_t shortest = std::numeric_limits<int64_t>::max();
    for (const TScreenRect& m : monitors) {
        if (m.Empty()) continue;
        const int64_t x = OntoSpan(wished.x, std::max(width, 0), m.left, m.right);
        const int64_t y = OntoSpan(wished.y, std::max(height, 0), m.top, m.bottom);
        // Each axis moves by less than 2^33: their sum cannot overflow.
        const int64_t move = std::abs(x - wished.x) + std::abs(y - wished.y);
        if (move < shortest) {
            shortest = move;
            best = {Saturate32(x), Saturate32(y)};
        }
    }
    return best;
}
