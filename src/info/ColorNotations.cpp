#include "info/ColorNotations.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace {

struct TRGBBytes {
    int r, g, b;
};

TRGBBytes BytesOf(TColorValue color) {
    return {static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
            static_cast<int>(color >> 16 & 0xFF)};
}

// The texts must not depend on the build's maths library: the 32-bit
// runtime's power, cube root and arc tangent differ from the others' in the
// last bit, and a last bit can turn a rounding. These use only the four
// operations, the square root and exact scaling by powers of two, which
// IEEE arithmetic gives alike in every build.

// The n-th root of t > 0 by Newton's method on a mantissa in [0.5, 2^n),
// from the root's tangent at 1: above the root, so every step comes down
// until the last one can no more.
double Root(double t, int n) {
    int exponent = 0;
    double m = std::frexp(t, &exponent);
    const int spare = ((exponent % n) + n) % n;
    m = std::ldexp(m, spare);
    exponent -= spare;
    double y = 1 + (m - 1) / n;
    for (;;) {
        double power = 1; // y^(n-1)
        for (int i = 1; i < n; ++i)
            power *= y;
        const double next = y - (power * y - m) / (n * power);
        if (!(next < y)) break;
        y = next;
    }
    return std::ldexp(y, exponent / n);
}

double CubeRoot(double t) {
    return t > 0 ? Root(t, 3) : 0;
}

// x^2.4 = x^2 times the fifth root of x^2, for 0 < x <= 1.
double Power2_4(double x) {
    return x * x * Root(x * x, 5);
}

// The arc tangent of x >= 0, in radians: halved twice to below tan(pi/16),
// then its series.
double ArcTangentOf(double x) {
    const bool inverted = x > 1;
    if (inverted) x = 1 / x;
    for (int halving = 0; halving < 2; ++halving)
        x = x / (1 + std::sqrt(1 + x * x));
    const double x2 = x * x;
    double sum = 0;
    for (int k = 23; k >= 1; k -= 2) // x - x^3/3 + ... - x^23/23, innermost first
        sum = 1.0 / k - x2 * sum;
    const double angle = 4 * x * sum;
    return inverted ? std::numbers::pi / 2 - angle : angle;
}

// The angle of (x, y) in degrees, -180 to 180.
double AngleDegrees(double y, double x) {
    double angle;
    if (x == 0)
        angle = y > 0 ? std::numbers::pi / 2 : (y < 0 ? -std::numbers::pi / 2 : 0);
    else {
        angle = ArcTangentOf(std::fabs(y / x));
        if (x < 0) angle = std::numbers::pi - angle;
        if (y < 0) angle = -angle;
    }
    return angle * (180 / std::numbers::pi);
}

// The sRGB transfer function undone: an 8-bit component as linear light 0 to 1.
// There are only 256 inputs, so they are worked out once.
const std::array<double, 256>& LinearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int v = 0; v < 256; ++v) {
            const double c = v / 255.0;
            t[v] = c <= 0.04045 ? c / 12.92 : Power2_4((c + 0.055) / 1.055);
        }
        return t;
    }();
    return table;
}

struct TLinear {
    double r, g, b;
};

TLinear LinearOf(TColorValue color) {
    const auto& lin = LinearTable();
    const TRGBBytes c = BytesOf(color);
    return {lin[c.r], lin[c.g], lin[c.b]};
}

// The CIE lightness function: a cube root, with a straight line near black.
double LabF(double t) {
    constexpr double delta = 6.0 / 29.0;
    return t > delta * delta * delta ? CubeRoot(t) : t / (3 * delta * delta) + 4.0 / 29.0;
}

// x / d to the nearest integer, halves up; d > 0 and x >= 0.
std::int64_t RoundedQuotient(std::int64_t x, std::int64_t d) {
    return (2 * x + d) / (2 * d);
}

// A real to a count of its last decimal place, halves away from zero.
std::int64_t Scaled(double v, int decimals) {
    constexpr double kPowers[] = {1, 10, 100, 1000, 10000};
    return static_cast<std::int64_t>(std::round(v * kPowers[decimals]));
}

// HSL needs no real arithmetic: every component is a quotient of integers,
// so it is rounded exactly, the same in every build.
std::array<std::int64_t, 3> HslNumbers(TColorValue color) {
    const auto [r, g, b] = BytesOf(color);
    const int max = std::max({r, g, b}), min = std::min({r, g, b});
    const int d = max - min, sum = max + min;
    // L = sum / 510, in tenths of a percent.
    const std::int64_t lightness = RoundedQuotient(1000LL * sum, 510);
    if (d == 0) return {0, 0, lightness};
    // S = d / (1 - |2L - 1|), with 510 L = sum.
    const std::int64_t saturation = RoundedQuotient(1000LL * d, std::min(sum, 510 - sum));
    // The hexcone hue in tenths of a degree, as a quotient over d.
    std::int64_t n;
    if (max == r)
        n = 600LL * (g - b) + (g < b ? 3600LL * d : 0);
    else if (max == g)
        n = 600LL * (b - r) + 1200LL * d;
    else
        n = 600LL * (r - g) + 2400LL * d;
    return {RoundedQuotient(n, d) % 3600, saturation, lightness};
}

std::array<std::int64_t, 3> OklchNumbers(TColorValue color) {
    const TOklchReal c = RGBToOklch(color);
    const std::int64_t chroma = Scaled(c.C, 4);
    // A colour shown without chroma has no hue to show.
    const std::int64_t hue = chroma == 0 ? 0 : Scaled(c.H, 2) % 36000;
    // L as a percentage with two decimals: ten-thousandths of L.
    return {Scaled(c.L, 4), chroma, hue};
}

// A text of at most a few dozen characters, built in place: the digest
// writes every colour's texts, and a string grown character by character
// would take most of its time.
class TShortText {
public:
    void Put(wchar_t c) { chars_[size_++] = c; }
    void Put(std::wstring_view s) {
        for (wchar_t c : s)
            Put(c);
    }
    // A count of the last decimal place written out: trailing zeros dropped,
    // and the point with them unless `keepPoint` (a float keeps one decimal).
    void PutDecimal(std::int64_t scaled, int decimals, bool keepPoint) {
        if (scaled < 0) Put(L'-');
        std::uint64_t magnitude = scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled)
                                             : static_cast<std::uint64_t>(scaled);
        wchar_t digits[24];
        int count = 0;
        // At least one digit before the point and all of the decimals, backwards.
        do {
            digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0 || count <= decimals);
        int first = 0; // the lowest decimal that is shown
        while (first < decimals - (keepPoint ? 1 : 0) && digits[first] == L'0')
            ++first;
        for (int i = count - 1; i >= decimals; --i)
            Put(digits[i]);
        if (first == decimals) return;
        Put(L'.');
        for (int i = decimals - 1; i >= first; --i)
            Put(digits[i]);
    }
    std::wstring_view View() const { return {chars_, size_}; }

private:
    // Three numbers of at most 20 digits, sign and point each, and the words.
    wchar_t chars_[96];
    size_t size_ = 0;
};

// Linear sRGB to CIE XYZ, D65: the matrix that follows exactly from the
// chromaticities of IEC 61966-2-1's primaries and white point, written as
// fractions, so it maps (1, 1, 1) to the white (0.3127 / 0.3290, 1,
// 0.3583 / 0.3290). CSS Color Level 4 converts with this same matrix.
struct TXYZ {
    double x, y, z;
};

TXYZ XYZOf(const TLinear& c) {
    return {506752.0 / 1228815 * c.r + 87881.0 / 245763 * c.g + 12673.0 / 70218 * c.b,
            87098.0 / 409605 * c.r + 175762.0 / 245763 * c.g + 12673.0 / 175545 * c.b,
            7918.0 / 409605 * c.r + 87881.0 / 737289 * c.g + 1001167.0 / 1053270 * c.b};
}

// XYZ (D65) to XYZ (D50) by Bradford's cone response: the matrix CSS Color
// Level 4 publishes for lab(), digit for digit, since a browser converts
// with it and the copied text must name the colour it will show.
TXYZ D50Of(const TXYZ& c) {
    return {1.0479297925449969 * c.x + 0.022946870601609652 * c.y - 0.05019226628920524 * c.z,
            0.02962780877005599 * c.x + 0.9904344267538799 * c.y - 0.017073799063418826 * c.z,
            -0.009243040646204504 * c.x + 0.015055191490298152 * c.y + 0.7518742814281371 * c.z};
}

// CSS's D50 white, from the four-digit chromaticities (0.3457, 0.3585).
constexpr TXYZ kD50White{0.3457 / 0.3585, 1, (1.0 - 0.3457 - 0.3585) / 0.3585};

} // namespace

TLabReal RGBToLab(TColorValue color) {
    const TXYZ c = D50Of(XYZOf(LinearOf(color)));
    const double fx = LabF(c.x / kD50White.x), fy = LabF(c.y / kD50White.y),
                 fz = LabF(c.z / kD50White.z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// OKLab from XYZ (D65) with CSS Color Level 4's matrices, the path a browser
// takes back from oklch(), so the text shows the picked colour there.
TOklchReal RGBToOklch(TColorValue color) {
    const TXYZ c = XYZOf(LinearOf(color));
    const double l =
        CubeRoot(0.8190224379967030 * c.x + 0.3619062600528904 * c.y - 0.1288737815209879 * c.z);
    const double m =
        CubeRoot(0.0329836539323885 * c.x + 0.9292868615863434 * c.y + 0.0361446663506424 * c.z);
    const double s =
        CubeRoot(0.0481771893596242 * c.x + 0.2642395317527308 * c.y + 0.6335478284694309 * c.z);
    const double lightness =
        0.2104542683093140 * l + 0.7936177747023054 * m - 0.0040720430116193 * s;
    const double a = 1.9779985324311684 * l - 2.4285922420485799 * m + 0.4505937096174110 * s;
    const double b = 0.0259040424655478 * l + 0.7827717124575296 * m - 0.8086757549230774 * s;
    const double chroma = std::sqrt(a * a + b * b);
    double hue = chroma == 0 ? 0 : AngleDegrees(b, a);
    if (hue < 0) hue += 360;
    return {lightness, chroma, hue};
}

std::array<int, 3> NotationDecimals(TColorNotation notation) {
    switch (notation) {
    case TColorNotation::Hsl:
        return {1, 1, 1};
    case TColorNotation::Lab:
        return {2, 2, 2};
    case TColorNotation::Oklch:
        return {2, 4, 2};
    case TColorNotation::Floats:
    case TColorNotation::CssColor:
        break;
    }
    return {4, 4, 4};
}

std::array<std::int64_t, 3> NotationNumbers(TColorValue color, TColorNotation notation) {
    switch (notation) {
    case TColorNotation::Hsl:
        return HslNumbers(color);
    case TColorNotation::Lab: {
        const TLabReal lab = RGBToLab(color);
        return {Scaled(lab.L, 2), Scaled(lab.a, 2), Scaled(lab.b, 2)};
    }
    case TColorNotation::Oklch:
        return OklchNumbers(color);
    case TColorNotation::Floats:
    case TColorNotation::CssColor:
        break;
    }
    const auto [r, g, b] = BytesOf(color);
    return {RoundedQuotient(10000LL * r, 255), RoundedQuotient(10000LL * g, 255),
            RoundedQuotient(10000LL * b, 255)};
}

void AppendNotationText(std::wstring& text, TColorValue color, TColorNotation notation) {
    const auto n = NotationNumbers(color, notation);
    const auto d = NotationDecimals(notation);
    TShortText t;
    auto number = [&](int i, std::wstring_view after) {
        t.PutDecimal(n[i], d[i], notation == TColorNotation::Floats);
        t.Put(after);
    };
    // What stands before each component, and after the last.
    struct TLayout {
        std::wstring_view parts[4];
    };
    static constexpr TLayout kHsl{{L"hsl(", L" ", L"% ", L"%)"}};
    static constexpr TLayout kLab{{L"lab(", L"% ", L" ", L")"}};
    static constexpr TLayout kOklch{{L"oklch(", L"% ", L" ", L")"}};
    static constexpr TLayout kFloats{{L"", L", ", L", ", L""}};
    static constexpr TLayout kCssColor{{L"color(srgb ", L" ", L" ", L")"}};
    const TLayout& layout = notation == TColorNotation::Hsl        ? kHsl
                            : notation == TColorNotation::Lab      ? kLab
                            : notation == TColorNotation::Oklch    ? kOklch
                            : notation == TColorNotation::CssColor ? kCssColor
                                                                   : kFloats;
    t.Put(layout.parts[0]);
    for (int i = 0; i < 3; ++i)
        number(i, layout.parts[i + 1]);
    text += t.View();
}

std::wstring NotationText(TColorValue color, TColorNotation notation) {
    std::wstring text;
    AppendNotationText(text, color, notation);
    return text;
}
