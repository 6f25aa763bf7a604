// The copied colour notations: the published reference points as texts, and
// every one of the 16.7 million colours against an oracle worked out here
// from the published definitions by another route (the XYZ matrix derived
// from the sRGB chromaticities, CIE's kappa and epsilon form of L*,
// Ottosson's direct matrices from linear sRGB to OKLab, the CSS algorithm
// for HSL), in double precision with tables built in long double.
#include "info/ColorNotations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

namespace {

TColorValue Pack(int r, int g, int b) {
    return r | g << 8 | b << 16;
}

TEST(NotationText, ReferenceColoursAndTheWayNumbersAreWritten) {
    struct Case {
        int r, g, b;
        const wchar_t *hsl, *lab, *oklch, *floats;
    };
    // clang-format off
    const Case cases[] = {
        // sRGB red: L*a*b* 53.24, 80.09, 67.20 and OKLCH 0.628, 0.2577, 29.23.
        {255, 0, 0,     L"hsl(0 100% 50%)",     L"lab(53.24% 80.09 67.2)", L"oklch(62.8% 0.2577 29.23)", L"1.0, 0.0, 0.0"},
        {255, 255, 255, L"hsl(0 0% 100%)",      L"lab(100% 0 0)",          L"oklch(100% 0 0)",           L"1.0, 1.0, 1.0"},
        {0, 0, 0,       L"hsl(0 0% 0%)",        L"lab(0% 0 0)",            L"oklch(0% 0 0)",             L"0.0, 0.0, 0.0"},
        // Greys have no hue; negative components keep their sign.
        {128, 128, 128, L"hsl(0 0% 50.2%)",     L"lab(53.59% 0 0)",        L"oklch(59.99% 0 0)",         L"0.502, 0.502, 0.502"},
        {0, 0, 255,     L"hsl(240 100% 50%)",   L"lab(32.3% 79.2 -107.86)", L"oklch(45.2% 0.3132 264.05)", L"0.0, 0.0, 1.0"},
        // Hue 3.75 and a half-way tenth rounds up.
        {16, 1, 0,      L"hsl(3.8 100% 3.1%)",  nullptr,                   nullptr,                      L"0.0627, 0.0039, 0.0"},
        {255, 128, 0,   L"hsl(30.1 100% 50%)",  nullptr,                   nullptr,                      L"1.0, 0.502, 0.0"},
        // The last hue before red stays below 360.
        {255, 0, 1,     L"hsl(359.8 100% 50%)", nullptr,                 nullptr,                      nullptr},
    };
    // clang-format on
    for (const Case& c : cases) {
        const TColorValue color = Pack(c.r, c.g, c.b);
        const wchar_t* expected[] = {c.hsl, c.lab, c.oklch, c.floats};
        for (int i = 0; i < 4; ++i) {
            if (!expected[i]) continue;
            EXPECT_EQ(NotationText(color, kColorNotations[i]), expected[i])
                << "(" << c.r << ", " << c.g << ", " << c.b << ")";
        }
    }
    // The unused top byte of a pixel changes nothing.
    EXPECT_EQ(NotationText(0xFF000000u | Pack(255, 0, 0), TColorNotation::Lab),
              L"lab(53.24% 80.09 67.2)");
}

using Real = double;

// The sRGB transfer function, undone.
Real Linear(int v) {
    const long double c = v / 255.0L;
    return static_cast<Real>(c <= 0.04045L ? c / 12.92L : std::pow((c + 0.055L) / 1.055L, 2.4L));
}

template <typename T> using TMatrixOf = std::array<std::array<T, 3>, 3>;
using TMatrix = TMatrixOf<Real>;

template <typename T> std::array<T, 3> Times(const TMatrixOf<T>& m, const std::array<T, 3>& v) {
    std::array<T, 3> r{};
    for (int i = 0; i < 3; ++i)
        r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return r;
}

using Wide = long double;

TMatrixOf<Wide> Inverse(const TMatrixOf<Wide>& m) {
    const Wide det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    TMatrixOf<Wide> r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const int a = (j + 1) % 3, b = (j + 2) % 3, c = (i + 1) % 3, d = (i + 2) % 3;
            r[i][j] = (m[a][c] * m[b][d] - m[a][d] * m[b][c]) / det;
        }
    return r;
}

// Linear sRGB to XYZ from the primaries' and the white's chromaticities.
TMatrix SRGBToXYZ() {
    const Wide xy[4][2] = {{0.64L, 0.33L}, {0.30L, 0.60L}, {0.15L, 0.06L}, {0.3127L, 0.3290L}};
    TMatrixOf<Wide> primaries{};
    for (int j = 0; j < 3; ++j) {
        primaries[0][j] = xy[j][0] / xy[j][1];
        primaries[1][j] = 1;
        primaries[2][j] = (1 - xy[j][0] - xy[j][1]) / xy[j][1];
    }
    const std::array<Wide, 3> white{xy[3][0] / xy[3][1], 1, (1 - xy[3][0] - xy[3][1]) / xy[3][1]};
    const std::array<Wide, 3> scale = Times(Inverse(primaries), white);
    TMatrix m{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m[i][j] = static_cast<Real>(primaries[i][j] * scale[j]);
    return m;
}

struct TOracle {
    std::array<Real, 256> linear{};
    TMatrix toXYZ = SRGBToXYZ();
    std::array<Real, 3> white = Times(toXYZ, std::array<Real, 3>{1, 1, 1});
    TOracle() {
        for (int v = 0; v < 256; ++v)
            linear[v] = Linear(v);
    }

    std::array<Real, 3> Lab(const std::array<Real, 3>& rgb) const {
        constexpr Real epsilon = 216.0 / 24389, kappa = 24389.0 / 27;
        const auto xyz = Times(toXYZ, rgb);
        Real f[3];
        for (int i = 0; i < 3; ++i) {
            const Real t = xyz[i] / white[i];
            f[i] = t > epsilon ? std::cbrt(t) : (kappa * t + 16) / 116;
        }
        const Real y = xyz[1] / white[1];
        return {y > epsilon ? 116 * f[1] - 16 : kappa * y, 500 * (f[0] - f[1]),
                200 * (f[1] - f[2])};
    }

    // Lightness and chroma; the hue is worked out by the caller.
    std::array<Real, 3> Oklab(const std::array<Real, 3>& rgb) const {
        static const TMatrix lms{{{0.4122214708, 0.5363325363, 0.0514459929},
                                  {0.2119034982, 0.6806995451, 0.1073969566},
                                  {0.0883024619, 0.2817188376, 0.6299787005}}};
        static const TMatrix lab{{{0.2104542553, 0.7936177850, -0.0040720468},
                                  {1.9779984951, -2.4285922050, 0.4505937099},
                                  {0.0259040371, 0.7827717662, -0.8086757660}}};
        auto cone = Times(lms, rgb);
        for (Real& c : cone)
            c = std::cbrt(c);
        return Times(lab, cone);
    }
};

// CSS's HSL from components 0 to 1.
std::array<Real, 3> Hsl(Real r, Real g, Real b) {
    const Real max = std::max({r, g, b}), min = std::min({r, g, b}), d = max - min;
    const Real l = (min + max) / 2;
    Real h = 0, s = 0;
    if (d != 0) {
        s = (l == 0 || l == 1) ? 0 : (max - l) / std::min(l, 1 - l);
        if (max == r)
            h = (g - b) / d + (g < b ? 6 : 0);
        else if (max == g)
            h = (b - r) / d + 2;
        else
            h = (r - g) / d + 4;
        h *= 60;
    }
    return {h, s * 100, l * 100};
}

// One shown number against the oracle's exact value, both in units of the
// last decimal place. Within half a unit less the oracle's own doubt it must
// be the nearest; inside the doubt around a half either neighbour passes,
// unless the half is known exactly (`halvesUp`): then it rounds up.
struct TAgreement {
    long long wrong = 0, doubtful = 0, checked = 0;
    std::vector<std::string> messages; // the first faults, reported by the test's thread
    void Check(long long shown, Real exact, Real doubt, TColorValue color, const char* what,
               bool halvesUp = false) {
        ++checked;
        const Real off = std::fabs(exact - static_cast<Real>(shown));
        if (off <= 0.5 - doubt) return;
        if (off <= 0.5 + doubt && !(halvesUp && shown < exact)) {
            ++doubtful;
            return;
        }
        if (++wrong <= 10)
            messages.push_back(std::string(what) + " of colour " + std::to_string(color) + ": " +
                               std::to_string(shown) + " but " + std::to_string(exact));
    }
};

struct TAgreements {
    TAgreement hsl, lab, oklch, hue, floats;
    long long Wrong() const {
        return hsl.wrong + lab.wrong + oklch.wrong + hue.wrong + floats.wrong;
    }
};

constexpr Real kPi = 3.14159265358979323846;

// The colours first to last - 1 against the oracle.
void CheckColours(const TOracle& oracle, TColorValue first, TColorValue last, TAgreements& a) {
    constexpr Real kRational = 1e-9; // quotients of small integers in double
    constexpr Real kLab = 1e-9;      // the matrix derived here, not given as fractions
    constexpr Real kOk = 5e-8;       // Ottosson's ten-digit matrices against CSS's
    for (TColorValue color = first; color < last && a.Wrong() < 40; ++color) {
        const int r = color & 0xFF, g = color >> 8 & 0xFF, b = color >> 16 & 0xFF;
        const std::array<Real, 3> rgb{oracle.linear[r], oracle.linear[g], oracle.linear[b]};

        const auto h = NotationNumbers(color, TColorNotation::Hsl);
        const auto he = Hsl(r / 255.0, g / 255.0, b / 255.0);
        for (int i = 0; i < 3; ++i)
            a.hsl.Check(h[i], he[i] * 10, kRational, color, "hsl", true);

        const auto l = NotationNumbers(color, TColorNotation::Lab);
        const auto le = oracle.Lab(rgb);
        for (int i = 0; i < 3; ++i)
            a.lab.Check(l[i], le[i] * 100, kLab * 100, color, "lab");

        const auto o = NotationNumbers(color, TColorNotation::Oklch);
        const auto ok = oracle.Oklab(rgb);
        const Real chroma = std::hypot(ok[1], ok[2]);
        a.oklch.Check(o[0], ok[0] * 10000, kOk * 10000, color, "oklch L");
        a.oklch.Check(o[1], chroma * 10000, kOk * 10000, color, "oklch C");
        if (o[1] == 0) {
            // No chroma shown, no hue shown.
            a.hue.Check(o[2], 0, 0, color, "oklch hue without chroma");
        } else {
            Real hue = std::atan2(ok[2], ok[1]) * 180 / kPi;
            if (hue < 0) hue += 360;
            // The hue is as uncertain as a and b, seen from the chroma.
            const Real doubt = kOk / chroma * 180 / kPi * 100;
            // A hue just below 360 degrees rounds to 0, not to 360.
            const long long shown = o[2] == 0 && hue > 180 ? 36000 : o[2];
            a.hue.Check(shown, hue * 100, doubt, color, "oklch hue");
        }

        const auto f = NotationNumbers(color, TColorNotation::Floats);
        a.floats.Check(f[0], r / 255.0 * 10000, kRational, color, "float red");
        a.floats.Check(f[1], g / 255.0 * 10000, kRational, color, "float green");
        a.floats.Check(f[2], b / 255.0 * 10000, kRational, color, "float blue");
    }
}

TEST(NotationNumbers, EveryColourAgreesWithTheOracle) {
    const TOracle oracle;
    // In slices side by side: under the sanitizers and under Wine one thread
    // would take most of a minute.
    constexpr unsigned kSlices = 4;
    std::vector<TAgreements> slices(kSlices);
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < kSlices; ++i)
        threads.emplace_back([&, i] {
            CheckColours(oracle, (1u << 24) / kSlices * i, (1u << 24) / kSlices * (i + 1),
                         slices[i]);
        });
    for (std::thread& t : threads)
        t.join();
    TAgreements all;
    for (const TAgreements& s : slices) {
        for (auto [sum, part] : {std::pair{&all.hsl, &s.hsl}, std::pair{&all.lab, &s.lab},
                                 std::pair{&all.oklch, &s.oklch}, std::pair{&all.hue, &s.hue},
                                 std::pair{&all.floats, &s.floats}}) {
            sum->wrong += part->wrong;
            sum->doubtful += part->doubtful;
            sum->checked += part->checked;
            for (const std::string& m : part->messages)
                ADD_FAILURE() << m;
        }
    }
    EXPECT_EQ(all.Wrong(), 0);
    EXPECT_EQ(all.hsl.checked, 3 << 24);
    // The doubt must stay rare, or the check would say little: Lab and
    // OKLCH values lie near a half almost never, and only HSL has exact halves.
    EXPECT_LT(all.lab.doubtful, all.lab.checked / 100000);
    EXPECT_LT(all.oklch.doubtful, all.oklch.checked / 500);
    // Near grey a hue is as uncertain as the chroma is small.
    EXPECT_LT(all.hue.doubtful, all.hue.checked / 100);
    EXPECT_EQ(all.floats.doubtful, 0);
}

} // namespace
