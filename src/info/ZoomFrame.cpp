#include "info/ZoomFrame.h"

namespace {
// The first view pixel that shows source pixel `k` or one beyond it. The
// stretching copy samples each view pixel at its centre: view pixel d of
// `view` shows source pixel ((2d + 1) source - 1) div (2 view) of `source`.
std::int64_t FirstShowing(std::int64_t k, std::int64_t view, std::int64_t source) {
    const std::int64_t n = 2 * view * k + 1 - source;
    return n <= 0 ? 0 : (n + 2 * source - 1) / (2 * source);
}

struct TExtent {
    std::int32_t first, end; // the frame's first pixel and the one after its last
};

// Along one side of the view: the pointer's pixel is source pixel
// source div 2, as the zoom picture centres it.
TExtent FrameExtent(std::int32_t view, std::int32_t scale, int side) {
    const std::int64_t source = view / scale, centre = source / 2, reach = side / 2;
    return {static_cast<std::int32_t>(FirstShowing(centre - reach, view, source) - 1),
            static_cast<std::int32_t>(FirstShowing(centre + reach + 1, view, source) + 1)};
}
} // namespace

std::optional<TRect> SampleFrame(std::int32_t width, std::int32_t height, std::int32_t scale,
                                 int side) {
    if (side <= 1 || scale <= 0 || width / scale <= 0 || height / scale <= 0) return std::nullopt;
    const TExtent x = FrameExtent(width, scale, side), y = FrameExtent(height, scale, side);
    return TRect{x.first, y.first, x.end, y.end};
}
