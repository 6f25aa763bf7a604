// Sizes and places of the information panel's parts and its zoom picture.
#include "info/InfoGeometry.h"
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <limits>

namespace {
// The panel's content width in design pixels (96 per inch, default font).
constexpr int64_t kDesignContentWidth = 212;
constexpr int64_t kDesignPpi = 96;
constexpr uint32_t kAllRows = (1u << 18) - 1;

} // namespace

int32_t DefaultFontHeight(int32_t ppi) {
    // -(8 * ppi / 72), rounded to the nearest integer, halves away from zero.
    const int64_t scaled = 8 * static_cast<int64_t>(ppi);
    return Saturate32(-((scaled * 2 + 72) / 144));
}

int32_t InfoPanelWidth(int32_t ppi, int32_t messageFontHeight, int32_t defaultFontHeight) {
    // A font height of 0 means "the default" to the system; a positive one is
    // a cell height, near enough to the character height for a width.
    const int64_t p = ppi > 0 ? ppi : kDesignPpi;
    const int64_t hd = std::abs(int64_t{
        defaultFontHeight != 0 ? defaultFontHeight : DefaultFontHeight(static_cast<int32_t>(p))});
    const int64_t hm = messageFontHeight == 0 ? hd : std::abs(int64_t{messageFontHeight});
    // Scaled in two quotients when the product would pass 64 bits (metrics
    // no screen has); the common case keeps the exact single quotient.
    constexpr int64_t kExactUpTo = int64_t{1} << 52;
    const int64_t width = p * hm <= kExactUpTo / kDesignContentWidth
                              ? p * kDesignContentWidth * hm / (kDesignPpi * hd)
                              : static_cast<int64_t>(std::min(
                                    static_cast<double>(p) * kDesignContentWidth / kDesignPpi *
                                        (static_cast<double>(hm) / static_cast<double>(hd)),
                                    double(1 << 16)));
    // No screen is wider than this; the clamp only keeps absurd metrics sane.
    return static_cast<int32_t>(std::clamp<int64_t>(width, 16, 1 << 15)) + 2 * kInfoBorderWidth;
}

TRect CloseButtonRect(int32_t panelWidth, int32_t smallCaptionHeight) {
    const int32_t height = smallCaptionHeight * 4 / 5 + 2;
    const int32_t width = height * 3 / 2 + 2;
    const int32_t left = panelWidth - width - 8;
    return {left, 1, left + width, 1 + height};
}

TInfoLayout LayoutContent(int32_t panelClientWidth, int32_t panelClientHeight,
                          int32_t smallCaptionHeight) {
    TInfoLayout l;
    const int32_t top = smallCaptionHeight + 5;
    const int32_t width = std::max(0, panelClientWidth - 2 * kInfoBorderWidth);
    const int32_t height = std::max(0, panelClientHeight - smallCaptionHeight - 9);
    l.content = {kInfoBorderWidth, top, kInfoBorderWidth + width, top + height};

    // The content area's controls sit inside its border; the zoom view spans
    // that inner width, and its client area is half as high as it is wide.
    const int32_t inner = std::max(0, width - 2 * kInfoBorderWidth);
    l.zoomWidth = std::max(0, inner - 2);
    l.zoomHeight = l.zoomWidth / 2;
    const int32_t b = kInfoBorderWidth;
    l.zoomView = {b, b, b + inner, b + l.zoomHeight + 2};

    // The columns split the whole content width in halves, the caption one
    // first; the value column takes what the border leaves of the rest.
    const int32_t captionWidth = std::min(inner, width / 2);
    const int64_t columnsBottom = std::max<int64_t>(l.zoomView.bottom, height - b);
    l.captionColumn = {b, l.zoomView.bottom, b + captionWidth, columnsBottom};
    l.valueColumn = {b + captionWidth, l.zoomView.bottom, b + inner, columnsBottom};
    return l;
}

int32_t InfoPanelHeight(uint32_t rowMask, int32_t smallCaptionHeight, int32_t zoomOuterHeight,
                        int32_t rowHeight) {
    const int32_t rows = std::popcount(rowMask & kAllRows);
    const int32_t y = zoomOuterHeight + 6 + rows * rowHeight;
    return smallCaptionHeight + y + 10 + (kInfoBorderWidth * 3) / 2;
}

TRect TitleBand(int32_t panelClientWidth, int32_t panelClientHeight, int32_t smallCaptionHeight) {
    TRect band{3, 3, panelClientWidth - 3, panelClientHeight - 3};
    band.bottom = band.top + smallCaptionHeight - 1;
    return band;
}

TRect DragBand(int32_t panelClientWidth, int32_t panelClientHeight, int32_t smallCaptionHeight) {
    TRect band{4, 4, panelClientWidth - 4, panelClientHeight - 4};
    band.bottom = band.top + smallCaptionHeight - 1;
    return band;
}

bool InDragBand(const TRect& band, int32_t x, int32_t y) {
    return x >= band.left && x < band.right && y >= band.top && y < band.bottom;
}

TScreenPoint ClampInfoPosition(TScreenPoint wished, int32_t screenWidth, int32_t screenHeight) {
    TScreenPoint p = wished;
    const int64_t maxLeft = int64_t{screenWidth} - kInfoVisibleMargin;
    const int64_t maxTop = int64_t{screenHeight} - kInfoVisibleMargin;
    if (p.x > maxLeft) p.x = Saturate32(maxLeft);
    if (p.y > maxTop) p.y = Saturate32(maxTop);
    return p;
}

TScreenPoint InfoPanelPlace(TScreenPoint stored, int32_t width, int32_t height,
                            const std::vector<TScreenRect>& monitors) {
    if (monitors.size() == 1)
        return ClampInfoPosition(stored, Saturate32(monitors[0].right),
                                 Saturate32(monitors[0].bottom));
    return PutOnMonitor(stored, width, height, monitors);
}

TScreenPoint MoveInfoPosition(TScreenPoint from, int64_t dx, int64_t dy) {
    return {Saturate32(from.x + dx), Saturate32(from.y + dy)};
}

TScreenPoint PlaceableInfoPosition(TScreenPoint position) {
    constexpr int32_t kFarthest = 1 << 24;
    return {std::clamp(position.x, -kFarthest, kFarthest),
            std::clamp(position.y, -kFarthest, kFarthest)};
}

int32_t UsableZoomScale(int32_t scale, int32_t width, int32_t height) {
    const int32_t largest = std::max(1, std::min(width, height));
    return std::clamp(scale, 1, largest);
}

TZoomPicture ZoomPicture(TOverlayPoint at, int32_t width, int32_t height, int32_t scale,
                         int32_t screenWidth, int32_t screenHeight) {
    TZoomPicture z;
    const int32_t w = width / scale, h = height / scale;
    if (w <= 0 || h <= 0) return z;
    const int64_t left = int64_t{at.x} - w / 2, top = int64_t{at.y} - h / 2;
    const int64_t right = left + w, bottom = top + h;
    z.source = {left, top, right, bottom};

    // The stretching copy samples each view pixel at its centre: view pixel d
    // shows source pixel offset + ((2d + 1) * source - 1) div (2 * view).
    // Every view pixel whose source pixel lies off the screen is white, so
    // nothing the copy makes up beyond the edge ever shows.
    auto firstShowing = [](int64_t sourceOffset, int64_t viewExtent, int64_t sourceExtent) {
        // The first d whose source pixel is at sourceOffset or beyond.
        const int64_t n = 2 * viewExtent * sourceOffset + 1 - sourceExtent;
        if (sourceOffset <= 0 || n <= 0) return int64_t{0};
        return std::min(viewExtent, (n + 2 * sourceExtent - 1) / (2 * sourceExtent));
    };
    auto add = [&z](int64_t l, int64_t t, int64_t r, int64_t b) {
        if (r > l && b > t) z.white[z.whiteCount++] = {l, t, r, b};
    };
    if (left < 0) add(0, 0, firstShowing(-left, width, w), height);
    if (top < 0) add(0, 0, width, firstShowing(-top, height, h));
    if (right > screenWidth) add(firstShowing(screenWidth - left, width, w), 0, width, height);
    if (bottom > screenHeight) add(0, firstShowing(screenHeight - top, height, h), width, height);
    return z;
}
