// The calibrator ruler's mark positions.
#include "dialogs/RulerMarks.h"
#include <algorithm>
#include <cmath>

std::vector<TRulerMark> RulerInchMarks(int left, int width, int dpi) {
    const long long step = std::max(dpi, 1);
    std::vector<TRulerMark> marks;
    for (long long i = 0; i * step < width - 2 * kRulerMargin; ++i)
        marks.push_back({left + kRulerMargin + static_cast<int>(i * step), static_cast<int>(i)});
    return marks;
}

std::vector<TRulerMark> RulerCentimetreMarks(int left, int width, int dpi) {
    const double pixelsPerCentimetre = std::max(dpi, 1) * 100.0 / 254.0;
    std::vector<TRulerMark> marks;
    for (int n = 0;; ++n) {
        // nearbyint rounds in the default mode: to nearest, halves to even.
        const long long offset = std::llround(std::nearbyint(n * pixelsPerCentimetre));
        if (offset >= width - 2 * kRulerMargin) break;
        marks.push_back({left + kRulerMargin + static_cast<int>(offset), n});
    }
    return marks;
}

int RulerBaseline(int top, int bottom) {
    return (top + bottom) / 2;
}
