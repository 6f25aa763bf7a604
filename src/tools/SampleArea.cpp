#include "tools/SampleArea.h"

#include <algorithm>

namespace {
constexpr std::uint32_t kWhite = 0xFFFFFF;

bool OnAMonitor(std::int32_t x, std::int32_t y, std::span<const TOverlayRect> monitors) {
    return std::any_of(monitors.begin(), monitors.end(), [x, y](const TOverlayRect& m) {
        return x >= m.left && x < m.right && y >= m.top && y < m.bottom;
    });
}

const std::uint8_t* PixelAt(const TSamplePixels& p, std::int32_t x, std::int32_t y) {
    return p.bits + static_cast<std::size_t>(y) * p.stride +
           static_cast<std::size_t>(x) * static_cast<std::size_t>(p.bytesPerPixel);
}

// sum / count to the nearest integer, halves up: both are positive.
std::uint32_t Mean(std::uint32_t sum, std::uint32_t count) {
    return (2 * sum + count) / (2 * count);
}
} // namespace

int SampleSideFromText(std::wstring_view text) {
    if (text.size() == 1)
        for (int side : kSampleSides)
            if (text[0] == static_cast<wchar_t>(L'0' + side)) return side;
    return 1;
}

int SampleSideOf(std::int32_t side) {
    return std::find(std::begin(kSampleSides), std::end(kSampleSides), side) !=
                   std::end(kSampleSides)
               ? side
               : 1;
}

std::uint32_t SampleColor(const TSamplePixels& pixels, TOverlayPoint at, int side,
                          std::span<const TOverlayRect> monitors) {
    const std::int32_t x = at.x, y = at.y;
    const std::int32_t reach = SampleSideOf(side) / 2;
    // The square cut to the picture; a point far off it leaves nothing.
    const std::int64_t left = std::max<std::int64_t>(std::int64_t{x} - reach, 0),
                       top = std::max<std::int64_t>(std::int64_t{y} - reach, 0),
                       right = std::min<std::int64_t>(std::int64_t{x} + reach + 1, pixels.width),
                       bottom = std::min<std::int64_t>(std::int64_t{y} + reach + 1, pixels.height);
    std::uint32_t sum[3] = {}, count = 0;
    for (auto py = static_cast<std::int32_t>(top); py < bottom; ++py)
        for (auto px = static_cast<std::int32_t>(left); px < right; ++px) {
            // Monitors of a mirrored display may overlap: a pixel counts once.
            if (!OnAMonitor(px, py, monitors)) continue;
            const std::uint8_t* p = PixelAt(pixels, px, py);
            sum[0] += p[2];
            sum[1] += p[1];
            sum[2] += p[0];
            ++count;
        }
    if (count == 0) {
        if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height) return kWhite;
        const std::uint8_t* p = PixelAt(pixels, x, y);
        return p[2] | p[1] << 8 | static_cast<std::uint32_t>(p[0]) << 16;
    }
    return Mean(sum[0], count) | Mean(sum[1], count) << 8 | Mean(sum[2], count) << 16;
}
