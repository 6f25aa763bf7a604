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

TToolRect Normalized(TToolRect r) {
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    return r;
}

bool IsSelection(const TToolRect& r) {
    const TToolRect n = Normalized(r);
    return n.Right > n.Left && n.Bottom > n.Top;
}

THitZone HitTest(const TToolRect& r, TToolPoint p) {
    const int64_t x = p.x, y = p.y;
    const int64_t innerLeft = int64_t(r.Left) + kBand, innerTop = int64_t(r.Top) + kBand;
    const int64_t innerRight = int64_t(r.Right) - kBand, innerBottom = int64_t(r.Bottom) - kBand;
    const bool inOuter = x >= int64_t(r.Left) - kBand && x < int64_t(r.Right) + kBand &&
                         y >= int64_t(r.Top) - kBand && y < int64_t(r.Bottom) + kBand;
    if (!inOuter) return hzNone;
    if (x >= innerLeft && x < innerRight && y >= innerTop && y < innerBottom) return hzInside;
    // The column x == innerRight and the row y == innerBottom belong to the
    // right and bottom edges, which makes those bands as wide as the others.
    const bool left = x < innerLeft, right = !left && x >= innerRight;
    if (y < innerTop) return left ? hzTopLeft : right ? hzTopRight : hzTop;
    if (y >= innerBottom) return left ? hzBottomLeft : right ? hzBottomRight : hzBottom;
    return left ? hzLeft : hzRight;
}

TToolRect DragRect(const TToolRect& press, THitZone zone, TToolPoint anchor, TToolPoint cursor,
                   int32_t width, int32_t height) {
    const int64_t dx = int64_t(cursor.x) - anchor.x, dy = int64_t(cursor.y) - anchor.y;
    const int64_t maxX = int64_t(width) - 1, maxY = int64_t(height) - 1;
    TToolRect r = press;
    auto atLeast0 = [](int64_t v) { return Clamp(v, 0, INT32_MAX); };
    switch (zone) {
    case hzNone:
        r.Right = cursor.x;
        r.Bottom = cursor.y;
        break;
    case hzInside: {
        // The size stays; the rectangle is pushed back on the screen.
        int64_t left = press.Left + dx, top = press.Top + dy;
        const int64_t w = int64_t(press.Right) - press.Left, h = int64_t(press.Bottom) - press.Top;
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
            r.Left = atLeast0(press.Left + dx);
        if (zone == hzTopRight || zone == hzRight || zone == hzBottomRight)
            r.Right = Clamp(press.Right + dx, INT32_MIN, maxX);
        if (zone == hzTopLeft || zone == hzTop || zone == hzTopRight)
            r.Top = atLeast0(press.Top + dy);
        if (zone == hzBottomLeft || zone == hzBottom || zone == hzBottomRight)
            r.Bottom = Clamp(press.Bottom + dy, INT32_MIN, maxY);
        break;
    }
    return r;
}

TToolRect ArrowKeyRect(const TToolRect& r, TArrowKey key, bool shift, int32_t width,
                       int32_t height) {
    TToolRect n = r;
    const int32_t maxX = width - 1, maxY = height - 1;
    if (shift) {
        switch (key) {
        case TArrowKey::Left:
            if (int64_t(n.Right) - n.Left > 2) --n.Right;
            break;
        case TArrowKey::Up:
            if (int64_t(n.Bottom) - n.Top > 2) --n.Bottom;
            break;
        case TArrowKey::Right:
            if (n.Right < maxX) ++n.Right;
            break;
        case TArrowKey::Down:
            if (n.Bottom < maxY) ++n.Bottom;
            break;
        }
        return n;
    }
    switch (key) {
    case TArrowKey::Left:
        if (n.Left > 0) --n.Left, --n.Right;
        break;
    case TArrowKey::Up:
        if (n.Top > 0) --n.Top, --n.Bottom;
        break;
    case TArrowKey::Right:
        if (n.Right < maxX) ++n.Left, ++n.Right;
        break;
    case TArrowKey::Down:
        if (n.Bottom < maxY) ++n.Top, ++n.Bottom;
        break;
    }
    return n;
}

TToolRect ExportRect(const TToolRect& r, bool marked, int32_t width, int32_t height) {
    const TToolRect whole{0, 0, width - 1, height - 1};
    if (!marked) return whole;
    const TToolRect n = Normalized(r);
    TToolRect kept{std::clamp(n.Left, 0, whole.Right), std::clamp(n.Top, 0, whole.Bottom),
                   std::clamp(n.Right, 0, whole.Right), std::clamp(n.Bottom, 0, whole.Bottom)};
    return kept;
}
