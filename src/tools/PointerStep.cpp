#include "tools/PointerStep.h"

#include <algorithm>

namespace {
// 64 bits: a point or an area at the ends of the 32-bit range must not wrap.
int32_t ClampAxis(int64_t v, int64_t first, int64_t end) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, first, end - 1));
}
} // namespace

TScreenPoint PointerStep(TScreenPoint p, TArrowKey key, bool shift, const TScreenRect& area) {
    if (area.Empty()) return p; // nowhere to go
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
    return {ClampAxis(x, area.left, area.right), ClampAxis(y, area.top, area.bottom)};
}
