#include "tools/PointerStep.h"
#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {
bool OnAMonitor(int64_t x, int64_t y, const std::vector<TScreenRect>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(), [&](const TScreenRect& m) {
        return x >= m.left && x < m.right && y >= m.top && y < m.bottom;
    });
}

TScreenPoint NearestOnAMonitor(TScreenPoint p, const std::vector<TScreenRect>& monitors) {
    TScreenPoint nearest = p;
    int64_t shortest = std::numeric_limits<int64_t>::max();
    for (const TScreenRect& m : monitors) {
        if (m.Empty()) continue;
        const int64_t x = std::clamp<int64_t>(p.x, m.left, m.right - 1);
        const int64_t y = std::clamp<int64_t>(p.y, m.top, m.bottom - 1);
        const int64_t distance = std::llabs(x - p.x) + std::llabs(y - p.y);
        if (distance < shortest) {
            shortest = distance;
            nearest = {Saturate32(x), Saturate32(y)};
        }
    }
    return nearest;
}
} // namespace

TScreenPoint PointerStep(TScreenPoint p, TArrowKey key, bool shift,
                         const std::vector<TScreenRect>& monitors) {
    if (!OnAMonitor(p.x, p.y, monitors)) return NearestOnAMonitor(p, monitors);
    const int64_t dx = key == TArrowKey::Left ? -1 : key == TArrowKey::Right ? 1 : 0;
    const int64_t dy = key == TArrowKey::Up ? -1 : key == TArrowKey::Down ? 1 : 0;
    int64_t x = p.x, y = p.y;
    for (int step = shift ? kPointerShiftStep : kPointerStep; step > 0; --step) {
        if (!OnAMonitor(x + dx, y + dy, monitors)) break;
        x += dx;
        y += dy;
    }
    return {Saturate32(x), Saturate32(y)};
}
