#include "tools/PointerStep.h"

#include <algorithm>

namespace {
// 64 bits: a point or an area at the ends of the 32-bit range must not wrap.
int32_t ClampAxis(int64_t v, int32_t first, int32_t count) {
    const int64_t last = static_cast<int64_t>(first) + count - 1;
    return static_cast<int32_t>(std::clamp<int64_t>(v, first, last));
}
} // namespace

TToolPoint ClampToScreenArea(TToolPoint p, const TScreenArea& area) {
    if (area.Width <= 0 || area.Height <= 0) return p;
    return {ClampAxis(p.x, area.Left, area.Width), ClampAxis(p.y, area.Top, area.Height)};
}

TToolPoint PointerStep(TToolPoint p, TArrowKey key, bool shift, const TScreenArea& area) {
    if (area.Width <= 0 || area.Height <= 0) return p; // nowhere to go
    const int64_t step = shift ? kPointerShiftStep : kPointerStep;
    int64_t x = p.x, y = p.y;
    switch (key) {
    case TArrowKey::Left:
        x -= step;
        break;
    case TArrowKey::Right:
        x += step;
        break;
    case TArrowKey::Up:
        y -= step;
        break;
    case TArrowKey::Down:
        y += step;
        break;
    }
    return {ClampAxis(x, area.Left, area.Width), ClampAxis(y, area.Top, area.Height)};
}
