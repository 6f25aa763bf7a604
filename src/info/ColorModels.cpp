#include "info/ColorModels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <ranges>

namespace {

// 255 / 60: how far the changing component moves per degree of hue.
constexpr double HueStep = 4.25;

constexpr std::array<TRGBReal, 360> MakeHueTable() {
    std::array<TRGBReal, 360> table{};
    for (int h = 0; h < 360; ++h) {
        const double t = HueStep * (h % 60);
        switch (h / 60) {
        case 0:
            table[h] = {255, t, 0};
            break;
        case 1:
            table[h] = {255 - t, 255, 0};
            break;
        case 2:
            table[h] = {0, 255, t};
            break;
        case 3:
            table[h] = {0, 255 - t, 255};
            break;
        case 4:
            table[h] = {t, 0, 255};
            break;
        default:
            table[h] = {255, 0, 255 - t};
            break;
        }
    }
    return table;
}

// Halves to even, whatever rounding mode some other code left the FPU in.
double RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below; // exact for every double
    if (fraction != 0.5) return fraction < 0.5 ? below : below + 1;
    // Only doubles below 2^52 have halves, so below fits the integer.
    return static_cast<std::int64_t>(below) % 2 == 0 ? below : below + 1;
}

std::int32_t RoundToInt32(double x) {
    if (std::isnan(x)) return 0;
    const double r = RoundHalfEven(x);
    if (r <= std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (r >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

// The hue in degrees, not yet rounded, of a colour that is pure in the sense
// of the HSB stretch: one component 0, one 255, the third between. -1 for
// anything else (a grey, or components out of range from a caller's reals).
double PureColorDegrees(const TRGBReal& c) {
    auto within = [](double x) { return x >= 0 && x <= 255; };
    if (c.R == 255 && c.B == 0 && within(c.G)) return c.G / HueStep;
    if (c.G == 255 && c.B == 0 && within(c.R)) return 120 - c.R / HueStep;
    if (c.G == 255 && c.R == 0 && within(c.B)) return 120 + c.B / HueStep;
    if (c.B == 255 && c.R == 0 && within(c.G)) return 240 - c.G / HueStep;
    if (c.B == 255 && c.G == 0 && within(c.R)) return 240 + c.R / HueStep;
    if (c.R == 255 && c.G == 0 && within(c.B)) return 360 - c.B / HueStep;
    return -1;
}

// Searches the given entries, which come in rising order, for the first one
// that comes strictly nearer than 765 and than every entry before it; 0 when
// none does.
template <typename Entries> int NearestOf(const TRGBReal& color, const Entries& entries) {
    double best = 765;
    int hue = 0;
    for (int h : entries) {
        const double distance = ColorDistance(color, HueTable[h]);
        if (distance < best) {
            best = distance;
            hue = h;
        }
    }
    return hue;
}

} // namespace

int NearestHue(const TRGBReal& color) {
    // Going round the circle from a pure colour's hue, its distance to the
    // entries grows by 4.25 per degree, and the entries of the far half of the
    // circle are at least 255 away. So every entry nearest to it lies within a
    // degree of its rounded hue, and looking two degrees either side finds the
    // same entry as looking at all 360: several times faster on every mouse move
    // of the Dropper. Anything else gets the whole table.
    const double degrees = PureColorDegrees(color);
    if (degrees < 0) return NearestOf(color, std::views::iota(0, 360));
    const int centre = static_cast<int>(degrees + 0.5);
    std::array<int, 5> window;
    for (int i = 0; i < 5; ++i)
        window[i] = (centre - 2 + i + 360) % 360;
    // Near 0 degrees the window wraps round; the lowest entry must still come
    // first so that a tie between 359 and 0 goes to 0.
    std::rotate(window.begin(), std::min_element(window.begin(), window.end()), window.end());
    return NearestOf(color, window);
}

constinit const std::array<TRGBReal, 360> HueTable = MakeHueTable();

TRGBReal SplitColor(TColorValue color) {
    return {static_cast<double>(color & 0xFF), static_cast<double>((color >> 8) & 0xFF),
            static_cast<double>((color >> 16) & 0xFF)};
}

TCMYReal RGBToCMY(const TRGBReal& rgb) {
    return {255 - rgb.R, 255 - rgb.G, 255 - rgb.B};
}

TCMYKReal RGBToCMYK(const TRGBReal& rgb) {
    const double c = 255 - rgb.R, m = 255 - rgb.G, y = 255 - rgb.B;
    const double k = std::min({c, m, y});
    // The coloured parts stay shares of 255, not of the room left by black:
    // dark red (128, 0, 0) reads C 0, M 50, Y 50, K 50.
    return {(c - k) * 100 / 255, (m - k) * 100 / 255, (y - k) * 100 / 255, 100 * k / 255};
}

THSBReal RGBToHSB(const TRGBReal& rgb) {
    if (rgb.R == 255 && rgb.G == 255 && rgb.B == 255) return {0, 0, 100};

    THSBReal hsb{0, 0, 0};
    std::array<double, 3> x{rgb.R, rgb.G, rgb.B};

    // Scale to full brightness so that saturation and hue no longer depend on it.
    const double brightest = std::max({x[0], x[1], x[2]});
    if (brightest > 0) {
        for (double& c : x)
            c = 255 * c / brightest;
        hsb.B = 100 * brightest / 255;
    }

    // Stretch to the pure colour of the hue: smallest 0, largest 255, the middle
    // one in proportion. A grey has no hue and becomes black here.
    const auto [lowest, highest] = std::minmax({x[0], x[1], x[2]});
    hsb.S = (highest - lowest) * 100 / 255;
    for (double& c : x) {
        if (c == lowest)
            c = 0;
        else if (c == highest)
            c = 255;
        else
            c = 255 / ((255 - c) / (c - lowest) + 1);
    }

    hsb.H = NearestHue({x[0], x[1], x[2]});
    return hsb;
}

TCMYReal RGBToCMY(TColorValue color) {
    return RGBToCMY(SplitColor(color));
}
TCMYKReal RGBToCMYK(TColorValue color) {
    return RGBToCMYK(SplitColor(color));
}
THSBReal RGBToHSB(TColorValue color) {
    return RGBToHSB(SplitColor(color));
}

double ColorDistance(const TRGBReal& a, const TRGBReal& b) {
    return std::fabs(a.R - b.R) + std::fabs(a.G - b.G) + std::fabs(a.B - b.B);
}

std::array<std::int32_t, 3> RoundComponents(double a, double b, double c) {
    return {RoundToInt32(a), RoundToInt32(b), RoundToInt32(c)};
}

std::array<std::int32_t, 4> RoundComponents(double a, double b, double c, double d) {
    return {RoundToInt32(a), RoundToInt32(b), RoundToInt32(c), RoundToInt32(d)};
}
