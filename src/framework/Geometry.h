// Points and rectangles, each of the space it is measured in, so that a
// position of one space cannot be passed where one of another is meant.
//
// - Screen: the system's coordinates, (0, 0) at the primary monitor's
//   corner, negative on a monitor left of or above it.
// - Overlay: (0, 0) at the virtual screen's corner, where the overlay and
//   the frozen picture begin; a point of the overlay is the same point of
//   the picture. Only a tool activation converts between the two.
// - Plain: a window's own client area, a bitmap's pixels: no screen space.
//
// Rectangles include left and top and exclude right and bottom. Their
// edges are 64 bits wide: a rectangle may end one past the largest 32-bit
// coordinate, and a sum of two edges or sizes cannot overflow. No Win32 here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

struct TScreenSpace;
struct TOverlaySpace;
struct TPlainSpace;

template <typename Space> struct TPointIn {
    int32_t x = 0, y = 0;
    bool operator==(const TPointIn&) const = default;
};

template <typename Space> struct TRectIn {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    int64_t Width() const { return right - left; }
    int64_t Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const TRectIn&) const = default;
};

using TScreenPoint = TPointIn<TScreenSpace>;
using TScreenRect = TRectIn<TScreenSpace>;
using TOverlayPoint = TPointIn<TOverlaySpace>;
using TOverlayRect = TRectIn<TOverlaySpace>;
using TPoint = TPointIn<TPlainSpace>;
using TRect = TRectIn<TPlainSpace>;

// A wide value brought into the 32-bit range, its ends kept.
constexpr int32_t Saturate32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// What both hold; empty when they do not meet.
template <typename S> TRectIn<S> Intersect(const TRectIn<S>& a, const TRectIn<S>& b) {
    TRectIn<S> r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return r.Empty() ? TRectIn<S>{} : r;
}

// The smallest rectangle holding both; an empty one adds nothing.
template <typename S> TRectIn<S> Bounding(const TRectIn<S>& a, const TRectIn<S>& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}
