#include "tools/LensGeometry.h"
#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <vector>

TLensMove PlanLensMove(TOverlayPoint cursor, int32_t zoomWidth, int32_t zoomHeight, int32_t scale,
                       const TOverlayRect& last) {
    const int64_t x = cursor.x, y = cursor.y;
    const int64_t w = std::max(zoomWidth, 0), h = std::max(zoomHeight, 0);
    const int64_t s = std::max(scale, 1);
    TLensMove move;
    // Halved after the division, as the lens itself is.
    const int64_t sourceLeft = x - w / s / 2, sourceTop = y - h / s / 2;
    move.Source = {sourceLeft, sourceTop, sourceLeft + w / s, sourceTop + h / s};
    move.Lens = {x - w / 2, y - h / 2, x - w / 2 + w, y - h / 2 + h};

    move.VerticalStrip = last;
    if (move.Lens.left > last.left)
        move.VerticalStrip.right = move.Lens.left;
    else
        move.VerticalStrip.left = move.Lens.right;
    move.HorizontalStrip = last;
    if (move.Lens.top > last.top)
        move.HorizontalStrip.bottom = move.Lens.top;
    else
        move.HorizontalStrip.top = move.Lens.bottom;

    move.Covered = {move.Lens.left - 1, move.Lens.top - 1, move.Lens.right + 1,
                    move.Lens.bottom + 1};
    return move;
}

uint8_t HighContrastChannel(uint8_t c, int level) {
    int v;
    switch (level) {
    case 1:
        v = (c - 128) * 3 / 2;
        break; // C++ division rounds toward zero
    case 2:
        v = (c - 128) * 2;
        break;
    default:
        return c;
    }
    return static_cast<uint8_t>(std::clamp(v, -128, 127) + 128);
}

namespace {
#if defined(__SSE2__)
// Eight channels at a time in 16 bits: the same arithmetic as
// HighContrastChannel, saturated to 0..255 by the final pack.
__m128i ContrastWords(__m128i c, int level) {
    const __m128i d = _mm_sub_epi16(c, _mm_set1_epi16(128));
    __m128i v;
    if (level == 2) {
        v = _mm_add_epi16(d, d);
    } else {
        const __m128i t = _mm_add_epi16(d, _mm_add_epi16(d, d));
        // Halved toward zero: negative odd values are raised by one first.
        v = _mm_srai_epi16(_mm_sub_epi16(t, _mm_srai_epi16(t, 15)), 1);
    }
    return _mm_add_epi16(v, _mm_set1_epi16(128));
}

// Sixteen bytes (four pixels); the fourth byte of each pixel is kept.
void ContrastBlock(uint8_t* p, int level) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i low = ContrastWords(_mm_unpacklo_epi8(in, zero), level);
    const __m128i high = ContrastWords(_mm_unpackhi_epi8(in, zero), level);
    const __m128i out = _mm_packus_epi16(low, high);
    const __m128i keep = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p),
                     _mm_or_si128(_mm_and_si128(in, keep), _mm_andnot_si128(keep, out)));
}
#endif
} // namespace

void ApplyHighContrast(uint8_t* pixels, int width, int height, size_t stride, int level) {
    if (level != 1 && level != 2) return;
    uint8_t table[256];
    for (int c = 0; c < 256; ++c)
        table[c] = HighContrastChannel(static_cast<uint8_t>(c), level);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = pixels + static_cast<size_t>(y) * stride;
        int x = 0;
#if defined(__SSE2__)
        // The lens filters every source pixel on every move.
        for (; x + 4 <= width; x += 4, p += 16)
            ContrastBlock(p, level);
#endif
        for (; x < width; ++x, p += 4) {
            p[0] = table[p[0]];
            p[1] = table[p[1]];
            p[2] = table[p[2]];
        }
    }
}

namespace {
int32_t SourceOf(int32_t lensPixel, int32_t lensSize, int32_t sourceSize) {
    return static_cast<int32_t>(static_cast<int64_t>(lensPixel) * sourceSize / lensSize);
}

// Factor 2, the lens's default: every source pixel is two lens pixels, so
// four source pixels become eight lens pixels in two writes.
void EnlargeDoubledRow(const uint32_t* in, uint32_t* out, const TLensAxis& x) {
    int32_t lens = 0;
    const uint32_t* next = in;
    if (x.LensFirst % 2 != 0) { // the row starts at the second half of a pixel
        out[lens++] = *next++;
    }
#if defined(__SSE2__)
    for (; lens + 8 <= x.LensCount; lens += 8, next += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(next));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + lens), _mm_unpacklo_epi32(four, four));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + lens + 4),
                         _mm_unpackhi_epi32(four, four));
    }
#endif
    for (; lens + 2 <= x.LensCount; lens += 2, ++next)
        out[lens] = out[lens + 1] = *next;
    if (lens < x.LensCount) out[lens] = *next;
}
} // namespace

TLensAxis VisibleLensAxis(int32_t lensStart, int32_t lensSize, int32_t sourceSize,
                          int32_t screenSize) {
    TLensAxis axis;
    const int64_t first = std::max<int64_t>(0, -static_cast<int64_t>(lensStart));
    const int64_t end = std::min<int64_t>(lensSize, static_cast<int64_t>(screenSize) - lensStart);
    if (lensSize <= 0 || end <= first) return axis;
    axis.LensFirst = static_cast<int32_t>(first);
    axis.LensCount = static_cast<int32_t>(end - first);
    if (sourceSize <= 0) return axis;
    axis.SourceFirst = SourceOf(axis.LensFirst, lensSize, sourceSize);
    axis.SourceCount =
        SourceOf(axis.LensFirst + axis.LensCount - 1, lensSize, sourceSize) - axis.SourceFirst + 1;
    return axis;
}

void EnlargeNearest(const uint8_t* source, size_t sourceStride, uint8_t* dest, size_t destStride,
                    const TLensAxis& x, const TLensAxis& y, int32_t lensWidth, int32_t sourceWidth,
                    int32_t lensHeight, int32_t sourceHeight) {
    if (x.SourceCount <= 0 || y.SourceCount <= 0) return;
    // Along a row the source pixels repeat in runs; one read of each source
    // pixel fills its whole run, instead of one look-up per lens pixel.
    const bool doubled = static_cast<int64_t>(lensWidth) == 2 * static_cast<int64_t>(sourceWidth);
    thread_local std::vector<int32_t> runs;
    if (!doubled) {
        runs.assign(x.SourceCount, 0);
        for (int32_t i = 0; i < x.LensCount; ++i)
            ++runs[SourceOf(x.LensFirst + i, lensWidth, sourceWidth) - x.SourceFirst];
    }
    const size_t rowBytes = static_cast<size_t>(x.LensCount) * 4;
    int32_t previousRow = -1;
    for (int32_t i = 0; i < y.LensCount; ++i) {
        const int32_t row = SourceOf(y.LensFirst + i, lensHeight, sourceHeight) - y.SourceFirst;
        uint8_t* out = dest + static_cast<size_t>(i) * destStride;
        if (row == previousRow) { // the same source row as the line above
            std::copy_n(out - destStride, rowBytes, out);
            continue;
        }
        const auto* in =
            reinterpret_cast<const uint32_t*>(source + static_cast<size_t>(row) * sourceStride);
        auto* pixels = reinterpret_cast<uint32_t*>(out);
        if (doubled)
            EnlargeDoubledRow(in, pixels, x);
        else
            for (int32_t j = 0; j < x.SourceCount; ++j)
                pixels = std::fill_n(pixels, runs[j], in[j]);
        previousRow = row;
    }
}

TLensClick LensClick(int32_t& zoomWidth, int32_t& zoomHeight, int32_t& scale, TLensButton button,
                     bool ctrl, bool shift) {
    TLensClick result;
    if (ctrl) {
        if (button == TLensButton::Left) {
            if (scale >= kMaxScale)
                result.Beep = true;
            else
                ++scale;
        } else if (button == TLensButton::Right) {
            if (scale <= kMinScale)
                result.Beep = true;
            else
                --scale;
        }
        return result;
    }
    if (shift) {
        zoomWidth = zoomHeight = std::max(zoomWidth, zoomHeight);
        if (button == TLensButton::Left) {
            if (zoomWidth >= kMaxGrowSide) {
                result.Beep = true;
            } else {
                zoomWidth += kSideStep;
                zoomHeight += kSideStep;
            }
        } else if (button == TLensButton::Right) {
            if (zoomWidth <= kMinShrinkSide) {
                result.Beep = true;
            } else {
                zoomWidth -= kSideStep;
                zoomHeight -= kSideStep;
                result.RepaintScreen = true;
            }
        }
        return result;
    }
    result.EndTool = true;
    return result;
}
