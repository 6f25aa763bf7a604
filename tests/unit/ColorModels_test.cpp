#include "info/ColorModels.h"
#include "info/ColorTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

TColorValue Pack(int r, int g, int b) {
    return r | g << 8 | b << 16;
}

TEST(ColorRowTexts, ShowsTheSevenReferenceColoursRowByRow) {
    struct Case {
        int r, g, b;
        std::array<std::wstring, 7> rows;
    };
    // clang-format off
    const Case cases[] = {
        {255, 128, 0,     {L"33023",    L"255  128  0",   L"FF8000", L"30  100  100", L"0  127  255",   L"0  50  100  0", L"#FF8000"}},
        {12, 34, 56,      {L"3678732",  L"12  34  56",    L"0C2238", L"210  79  22",  L"243  221  199", L"17  9  0  78",  L"#0C2238"}},
        {128, 0, 0,       {L"128",      L"128  0  0",     L"800000", L"0  100  50",   L"127  255  255", L"0  50  50  50", L"#800000"}},
        {128, 128, 128,   {L"8421504",  L"128  128  128", L"808080", L"0  0  50",     L"127  127  127", L"0  0  0  50",   L"#808080"}},
        {0, 0, 0,         {L"0",        L"0  0  0",       L"000000", L"0  0  0",      L"255  255  255", L"0  0  0  100",  L"#000000"}},
        {255, 255, 255,   {L"16777215", L"255  255  255", L"FFFFFF", L"0  0  100",    L"0  0  0",       L"0  0  0  0",    L"#FFFFFF"}},
        {254, 254, 255,   {L"16776958", L"254  254  255", L"FEFEFF", L"240  0  100",  L"1  1  0",       L"0  0  0  0",    L"#FEFEFF"}},
        {1, 2, 3,         {L"197121",   L"1  2  3",       L"010203", L"210  67  1",   L"254  253  252", L"1  0  0  99",   L"#010203"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto rows = ColorRowTexts(Pack(c.r, c.g, c.b));
        for (int i = 0; i < ColorRowCount; ++i)
            EXPECT_EQ(rows[i], c.rows[i]) << "colour (" << c.r << ", " << c.g << ", " << c.b
                                          << "), row " << FirstColorRow + i;
    }
    // A pixel's unused top byte must not leak into the components.
    EXPECT_EQ(ColorRowTexts(0xFF000000u | Pack(12, 34, 56))[2], L"0C2238");
}

TEST(RoundComponents, RoundsHalvesToEvenInEveryRoundingModeAndSaturates) {
    const int modes[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
    const int saved = std::fegetround();
    for (int mode : modes) {
        std::fesetround(mode);
        EXPECT_EQ(RoundComponents(0.5, 1.5, 2.5), (std::array<std::int32_t, 3>{0, 2, 2}));
        EXPECT_EQ(RoundComponents(-0.5, -1.5, 254.5, 0.49999999999999994),
                  (std::array<std::int32_t, 4>{0, -2, 254, 0}));
        EXPECT_EQ(RoundComponents(49.80392156862745, 50.19607843137255, 99.5),
                  (std::array<std::int32_t, 3>{50, 50, 100}));
    }
    std::fesetround(saved);
    EXPECT_EQ(RoundComponents(1e300, -1e300, std::numeric_limits<double>::quiet_NaN()),
              (std::array<std::int32_t, 3>{INT32_MAX, INT32_MIN, 0}));
}

// The table search written out in full: every entry, strictly nearer wins.
int NearestHueOfAll(const TRGBReal& color) {
    double best = 765;
    int hue = 0;
    for (int h = 0; h < 360; ++h) {
        if (ColorDistance(color, HueTable[h]) < best) {
            best = ColorDistance(color, HueTable[h]);
            hue = h;
        }
    }
    return hue;
}

TEST(NearestHue, FindsTheSameEntryAsASearchOfTheWholeTable) {
    std::vector<double> middles;
    for (int k = 0; k <= 255 * 64; ++k)
        middles.push_back(k / 64.0);
    // Exactly on an entry, exactly between two, and one step of the last bit
    // either side of both: where a narrowed search would go wrong first.
    for (int k = 0; k <= 120; ++k) {
        const double at = 2.125 * k;
        for (double m : {at, std::nextafter(at, 0.0), std::nextafter(at, 255.0)})
            if (m >= 0 && m <= 255) middles.push_back(m);
    }
    int faults = 0;
    auto check = [&](const TRGBReal& c) {
        if (NearestHue(c) != NearestHueOfAll(c) && ++faults <= 10)
            ADD_FAILURE() << "(" << c.R << ", " << c.G << ", " << c.B << "): " << NearestHue(c)
                          << " instead of " << NearestHueOfAll(c);
    };
    for (double m : middles) {
        for (const TRGBReal& c : {TRGBReal{255, m, 0}, TRGBReal{m, 255, 0}, TRGBReal{0, 255, m},
                                  TRGBReal{0, m, 255}, TRGBReal{m, 0, 255}, TRGBReal{255, 0, m}})
            check(c);
    }
    // Colours that are not pure, in range and out of it.
    std::uint32_t state = 1;
    auto next = [&] { return (state = state * 1664525u + 1013904223u) >> 8 & 0xFFFF; };
    for (int i = 0; i < 20000; ++i)
        check({next() / 200.0 - 20, next() / 200.0 - 20, next() / 200.0 - 20});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const TRGBReal& c : {TRGBReal{0, 0, 0}, TRGBReal{255, 255, 255}, TRGBReal{255, nan, 0},
                              TRGBReal{255, 300, 0}, TRGBReal{255, -1, 0}, TRGBReal{2000, 0, 0}})
        check(c);
    EXPECT_EQ(faults, 0);
}

// Brightness, saturation and hue of the usual hexcone model, computed in
// integers so that an exactly halfway hue is known as such.
struct THexcone {
    double S, B;
    int hue;      // rounded to the nearest degree, 360 read as 0
    bool halfway; // the hue lies exactly between hue and hue + 1
};

THexcone HexconeOf(int r, int g, int b) {
    const int max = std::max({r, g, b}), min = std::min({r, g, b}), d = max - min;
    THexcone hc{max ? 100.0 * d / max : 0.0, 100.0 * max / 255, 0, false};
    if (d == 0) return hc;
    // The hue in units of 1/d degree.
    long n = max == r   ? 60L * (g - b) + (g < b ? 360L * d : 0)
             : max == g ? 120L * d + 60L * (b - r)
                        : 240L * d + 60L * (r - g);
    const long whole = n / d, rest = n % d;
    hc.halfway = 2 * rest == d;
    hc.hue = static_cast<int>((whole + (2 * rest > d ? 1 : 0)) % 360);
    return hc;
}

std::vector<TColorValue> DenseSample() {
    std::vector<TColorValue> colours;
    for (int v = 0; v < 256; ++v)
        colours.push_back(Pack(v, v, v)); // every grey
    for (int v = 0; v < 256; ++v) {       // every pure hue
        for (TColorValue c : {Pack(255, v, 0), Pack(v, 255, 0), Pack(0, 255, v), Pack(0, v, 255),
                              Pack(v, 0, 255), Pack(255, 0, v)})
            colours.push_back(c);
    }
    for (int r = 248; r < 256; ++r) // near white
        for (int g = 248; g < 256; ++g)
            for (int b = 248; b < 256; ++b)
                colours.push_back(Pack(r, g, b));
    for (int r = 0; r < 256; r += 5) // an even lattice through the whole cube
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 5)
                colours.push_back(Pack(r, g, b));
    // A stride through every colour value that meets each byte in many
    // combinations: 0x1F7 is odd, so the walk never repeats within the sample.
    for (TColorValue c = 0, i = 0; i < 400000; ++i, c = (c + 0x1F7) & 0xFFFFFF)
        colours.push_back(c);
    return colours;
}

TEST(RGBToHSB, AgreesWithTheHexconeModelAcrossTheColourCube) {
    int faults = 0;
    std::vector<std::string> halfway;
    for (TColorValue colour : DenseSample()) {
        const int r = colour & 0xFF, g = colour >> 8 & 0xFF, b = colour >> 16 & 0xFF;
        const THSBReal hsb = RGBToHSB(colour);
        const THexcone hc = HexconeOf(r, g, b);
        bool ok = std::fabs(hsb.S - hc.S) < 1e-9 && std::fabs(hsb.B - hc.B) < 1e-9;
        if (hc.halfway) {
            ok = ok && (hsb.H == hc.hue || hsb.H == (hc.hue + 1) % 360);
            char line[80];
            std::snprintf(line, sizeof line, "(%d, %d, %d) %d.5 -> %g", r, g, b, hc.hue, hsb.H);
            halfway.push_back(line);
        } else {
            ok = ok && hsb.H == hc.hue;
        }
        if (!ok && ++faults <= 10)
            ADD_FAILURE() << "(" << r << ", " << g << ", " << b << "): H " << hsb.H << " S "
                          << hsb.S << " B " << hsb.B << ", hexcone H " << hc.hue << " S " << hc.S
                          << " B " << hc.B;
    }
    EXPECT_EQ(faults, 0);
    // The halfway hues are decided by the last bits of the arithmetic; list them
    // (the first few, the rest counted) so a change in that arithmetic shows.
    std::printf("%zu colours of the sample have a hue exactly halfway between two degrees:\n",
                halfway.size());
    for (size_t i = 0; i < halfway.size() && i < 20; ++i)
        std::printf("  %s\n", halfway[i].c_str());
    if (halfway.size() > 20) std::printf("  ... and %zu more\n", halfway.size() - 20);
    EXPECT_FALSE(halfway.empty()) << "the sample should meet halfway hues";
}

} // namespace
