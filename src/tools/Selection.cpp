#include "tools/Selection.h"
#include <algorithm>
#include <utility>

namespace {
constexpr int32_t kBand = 5; // half the band's width, either side of an edge

// Wide arithmetic, so rectangles near the ends of the integer range cannot
// overflow on their way.
int32_t Clamp(int64_t v, int64_t low, int64_t high) {
    return static_cast<int32_t>(std::clamp(v, low, high));
}
} // namespace

TCorners Normalized(TCorners r) {
    if (r.last.x < r.first.x) std::swap(r.first.x, r.last.x);
    if (r.last.y < r.first.y) std::swap(r.first.y, r.last.y);
    return r;
}

bool IsSelection(const TCorners& r) {
    const TCorners n = Normalized(r);
    return n.last.x > n.first.x && n.last.y > n.first.y;
}

THitZone HitTest(const TCorners& r, TOverlayPoint p) {
    const int64_t x = p.x, y = p.y;
    const int64_t innerLeft = int64_t(r.first.x) + kBand, innerTop = int64_t(r.first.y) + kBand;
    const int64_t innerRight = int64_t(r.last.x) - kBand, innerBottom = int64_t(r.last.y) - kBand;
    const bool inOuter = x >= int64_t(r.first.x) - kBand && x < int64_t(r.last.x) + kBand &&
                         y >= int64_t(r.first.y) - kBand && y < int64_t(r.last.y) + kBand;
    if (!inOuter) return hzNone;
    if (x >= innerLeft && x < innerRight && y >= innerTop && y < innerBottom) return hzInside;
    // The column x == innerRight and the row y == innerBottom belong to the
    // right and bottom edges, which makes those bands as wide as the others.
    const bool left = x < innerLeft, right = !left && x >= innerRight;
    if (y < innerTop) return left ? hzTopLeft : right ? hzTopRight : hzTop;
    if (y >= innerBottom) return left ? hzBottomLeft : right ? hzBottomRight : hzBottom;
    return left ? hzLeft : hzRight;
}

TCorners DragRect(const TCorners& press, THitZone zone, TOverlayPoint anchor, TOverlayPoint cursor,
                  int32_t width, int32_t height) {
    const int64_t dx = int64_t(cursor.x) - anchor.x, dy = int64_t(cursor.y) - anchor.y;
    const int64_t maxX = int64_t(width) - 1, maxY = int64_t(height) - 1;
    TCorners r = press;
    auto atLeast0 = [](int64_t v) { return Clamp(v, 0, INT32_MAX); };
    switch (zone) {
    case hzNone:
        r.last.x = cursor.x;
        r.last.y = cursor.y;
        break;
    case hzInside: {
        // The size stays; the rectangle is pushed back on the screen.
        int64_t left = press.first.x + dx, top = press.first.y + dy;
        const int64_t w = int64_t(press.last.x) - press.first.x,
                      h = int64_t(press.last.y) - press.first.y;
        left = std::max<int64_t>(left, 0);
        top = std::max<int64_t>(top, 0);
        left -= std::max<int64_t>(0, left + w - maxX);
        top -= std::max<int64_t>(0, top + h - maxY);
        r = {Clamp(left, INT32_MIN, INT32_MAX), Clamp(top, INT32_MIN, INT32_MAX),
             Clamp(left + w, INT32_MIN, INT32_MAX), Clamp(top + h, INT32_MIN, INT32_MAX)};
        break;
    }
    default:
        if (zone == hzTopLeft || zone == hzLeft || zone == hzBottomLeft)
            r.first.x = atLeast0(press.first.x + dx);
        if (zone == hzTopRight || zone == hzRight || zone == hzBottomRight)
            r.last.x = Clamp(press.last.x + dx, INT32_MIN, maxX);
        if (zone == hzTopLeft || zone == hzTop || zone == hzTopRight)
            r.first.y = atLeast0(press.first.y + dy);
        if (zone == hzBottomLeft || zone == hzBottom || zone == hzBottomRight)
            r.last.y = Clamp(press.last.y + dy, INT32_MIN, maxY);
        break;
    }
    return r;
}

TCorners ArrowKeyRect(const TCorners& r, TArrowKey key, bool shift, int32_t width, int32_t height) {
    TCorners n = r;
    const int32_t maxX = width - 1, maxY = height - 1;
    if (shift) {
        switch (key) {
        case TArrowKey::Left:
            if (int64_t(n.last.x) - n.first.x > 2) --n.last.x;
            break;
        case TArrowKey::Up:
            if (int64_t(n.last.y) - n.first.y > 2) --n.last.y;
            break;
        case TArrowKey::Right:
            if (n.last.x < maxX) ++n.last.x;
            break;
        case TArrowKey::Down:
            if (n.last.y < maxY) ++n.last.y;
            break;
        }
        return n;
    }
    switch (key) {
    case TArrowKey::Left:
        if (n.first.x > 0) --n.first.x, --n.last.x;
        break;
    case TArrowKey::Up:
        if (n.first.y > 0) --n.first.y, --n.last.y;
        break;
    case TArrowKey::Right:
        if (n.last.x < maxX) ++n.first.x, ++n.last.x;
        break;
    case TArrowKey::Down:
        if (n.last.y < maxY) ++n.first.y, ++n.last.y;
        break;
    }
    return n;
}

TOverlayRect ExportRect(const TCorners& r, bool marked, int32_t width, int32_t height) {
    if (!marked) return {0, 0, width, height};
    const TCorners n = Normalized(r);
    const int32_t maxX = width - 1, maxY = height - 1;
    // Both corner pixels belong to the selection.
    return {std::clamp(n.first.x, 0, maxX), std::clamp(n.first.y, 0, maxY),
            int64_t{std::clamp(n.last.x, 0, maxX)} + 1, int64_t{std::clamp(n.last.y, 0, maxY)} + 1};
}
