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

// The sRGB transfer function undone: an 8-bit component as linear light 0 to 1.
// There are only 256 inputs, so they are worked out once.
const std::array<double, 256>& LinearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int v = 0; v < 256; ++v) {
            const double c = v / 255.0;
            t[v] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
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
    return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0 / 29.0;
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

} // namespace

TLabReal RGBToLab(TColorValue color) {
    // The white as the matrix gives it, summed in the same order as a colour
    // is, so white itself comes out with L* exactly 100 and a* = b* = 0.
    static const TXYZ white = XYZOf({1, 1, 1});
    const TXYZ c = XYZOf(LinearOf(color));
    const double fx = LabF(c.x / white.x), fy = LabF(c.y / white.y), fz = LabF(c.z / white.z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// OKLab from XYZ (D65) with CSS Color Level 4's matrices, the path a browser
// takes back from oklch(), so the text shows the picked colour there.
TOklchReal RGBToOklch(TColorValue color) {
    const TXYZ c = XYZOf(LinearOf(color));
    const double l =
        std::cbrt(0.8190224379967030 * c.x + 0.3619062600528904 * c.y - 0.1288737815209879 * c.z);
    const double m =
        std::cbrt(0.0329836539323885 * c.x + 0.9292868615863434 * c.y + 0.0361446663506424 * c.z);
    const double s =
        std::cbrt(0.0481771893596242 * c.x + 0.2642395317527308 * c.y + 0.6335478284694309 * c.z);
    const double lightness =
        0.2104542683093140 * l + 0.7936177747023054 * m - 0.0040720430116193 * s;
    const double a = 1.9779985324311684 * l - 2.4285922420485799 * m + 0.4505937096174110 * s;
    const double b = 0.0259040424655478 * l + 0.7827717124575296 * m - 0.8086757549230774 * s;
    const double chroma = std::sqrt(a * a + b * b);
    double hue = chroma == 0 ? 0 : std::atan2(b, a) * (180 / std::numbers::pi);
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
    switch (notation) {
    case TColorNotation::Hsl:
        t.Put(L"hsl(");
        number(0, L" ");
        number(1, L"% ");
        number(2, L"%)");
        break;
    case TColorNotation::Lab:
        t.Put(L"lab(");
        number(0, L"% ");
        number(1, L" ");
        number(2, L")");
        break;
    case TColorNotation::Oklch:
        t.Put(L"oklch(");
        number(0, L"% ");
        number(1, L" ");
        number(2, L")");
        break;
    case TColorNotation::Floats:
        number(0, L", ");
        number(1, L", ");
        number(2, L"");
        break;
    }
    text += t.View();
}

std::wstring NotationText(TColorValue color, TColorNotation notation) {
    std::wstring text;
    AppendNotationText(text, color, notation);
    return text;
}
