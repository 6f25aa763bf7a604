// The copied colour notations: the published reference points as texts, and
// every one of the 16.7 million colours against an oracle worked out here
// from the published definitions by another route (CSS's lab() in long
// double with its matrices typed from CSS Color Level 4 and CIE's kappa and
// epsilon form of L*, Ottosson's direct matrices from linear sRGB to OKLab,
// the CSS algorithm for HSL), the rest in double precision with tables built
// in long double.
#include "info/ColorNotations.h"
#include "EmulatorFaults.h"

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
        const wchar_t *hsl, *lab, *oklch, *floats, *css;
    };
    // The lab() texts are CSS Color Level 4's own sample conversion of these
    // colours (D50 after Bradford), written to two decimals.
    // clang-format off
    const Case cases[] = {
        // sRGB red: CSS L*a*b* 54.29, 80.80, 69.89 and OKLCH 0.628, 0.2577, 29.23.
        {255, 0, 0,     L"hsl(0 100% 50%)",     L"lab(54.29% 80.8 69.89)",   L"oklch(62.8% 0.2577 29.23)",  L"1.0, 0.0, 0.0",       L"color(srgb 1 0 0)"},
        {0, 255, 0,     L"hsl(120 100% 50%)",   L"lab(87.82% -79.27 80.99)", nullptr,                       nullptr,                L"color(srgb 0 1 0)"},
        {0, 0, 255,     L"hsl(240 100% 50%)",   L"lab(29.57% 68.29 -112.03)", L"oklch(45.2% 0.3132 264.05)", L"0.0, 0.0, 1.0",      L"color(srgb 0 0 1)"},
        // White, black and greys lie on the axis under D50 as under D65.
        {255, 255, 255, L"hsl(0 0% 100%)",      L"lab(100% 0 0)",            L"oklch(100% 0 0)",            L"1.0, 1.0, 1.0",       L"color(srgb 1 1 1)"},
        {0, 0, 0,       L"hsl(0 0% 0%)",        L"lab(0% 0 0)",              L"oklch(0% 0 0)",              L"0.0, 0.0, 0.0",       L"color(srgb 0 0 0)"},
        {128, 128, 128, L"hsl(0 0% 50.2%)",     L"lab(53.59% 0 0)",          L"oklch(59.99% 0 0)",          L"0.502, 0.502, 0.502", L"color(srgb 0.502 0.502 0.502)"},
        // Hue 3.75 and a half-way tenth rounds up; four decimals, no more.
        {16, 1, 0,      L"hsl(3.8 100% 3.1%)",  nullptr,                     nullptr,                       L"0.0627, 0.0039, 0.0", L"color(srgb 0.0627 0.0039 0)"},
        {255, 128, 0,   L"hsl(30.1 100% 50%)",  nullptr,                     nullptr,                       L"1.0, 0.502, 0.0",     L"color(srgb 1 0.502 0)"},
        // The last hue before red stays below 360.
        {255, 0, 1,     L"hsl(359.8 100% 50%)", nullptr,                     nullptr,                       nullptr,                L"color(srgb 1 0 0.0039)"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const TColorValue color = Pack(c.r, c.g, c.b);
        const wchar_t* expected[] = {c.hsl, c.lab, c.oklch, c.floats, c.css};
        static_assert(std::size(kColorNotations) == std::size(expected));
        for (size_t i = 0; i < std::size(expected); ++i) {
            if (!expected[i]) continue;
            EXPECT_EQ(NotationText(color, kColorNotations[i]), expected[i])
                << "(" << c.r << ", " << c.g << ", " << c.b << ")";
        }
    }
    // The unused top byte of a pixel changes nothing.
    EXPECT_EQ(NotationText(0xFF000000u | Pack(255, 0, 0), TColorNotation::Lab),
              L"lab(54.29% 80.8 69.89)");
}

using Real = double;
using Wide = long double;

// The sRGB transfer function, undone.
Wide Linear(int v) {
    const Wide c = v / 255.0L;
    return c <= 0.04045L ? c / 12.92L : std::pow((c + 0.055L) / 1.055L, 2.4L);
}

template <typename T> using TMatrixOf = std::array<std::array<T, 3>, 3>;
using TMatrix = TMatrixOf<Real>;

template <typename T> std::array<T, 3> Times(const TMatrixOf<T>& m, const std::array<T, 3>& v) {
    std::array<T, 3> r{};
    for (int i = 0; i < 3; ++i)
        r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return r;
}

// CSS Color Level 4's lab(), as its text defines it: its linear sRGB to XYZ
// (D65) matrix, its Bradford matrix to D50 and its D50 white from the
// four-digit chromaticities, typed from there and worked in long double.
struct TCssLab {
    const TMatrixOf<Wide> toXYZ{{{506752.0L / 1228815, 87881.0L / 245763, 12673.0L / 70218},
                                 {87098.0L / 409605, 175762.0L / 245763, 12673.0L / 175545},
                                 {7918.0L / 409605, 87881.0L / 737289, 1001167.0L / 1053270}}};
    const TMatrixOf<Wide> toD50{
        {{1.0479297925449969L, 0.022946870601609652L, -0.05019226628920524L},
         {0.02962780877005599L, 0.9904344267538799L, -0.017073799063418826L},
         {-0.009243040646204504L, 0.015055191490298152L, 0.7518742814281371L}}};
    const std::array<Wide, 3> white{0.3457L / 0.3585L, 1, (1 - 0.3457L - 0.3585L) / 0.3585L};

    std::array<Real, 3> operator()(const std::array<Wide, 3>& rgb) const {
        constexpr Wide epsilon = 216.0L / 24389, kappa = 24389.0L / 27;
        const auto xyz = Times(toD50, Times(toXYZ, rgb));
        Wide f[3];
        for (int i = 0; i < 3; ++i) {
            const Wide t = xyz[i] / white[i];
            f[i] = t > epsilon ? std::cbrt(t) : (kappa * t + 16) / 116;
        }
        return {static_cast<Real>(116 * f[1] - 16), static_cast<Real>(500 * (f[0] - f[1])),
                static_cast<Real>(200 * (f[1] - f[2]))};
    }
};

struct TOracle {
    std::array<Wide, 256> wide{};
    std::array<Real, 256> linear{};
    TCssLab lab;
    TOracle() {
        for (int v = 0; v < 256; ++v) {
            wide[v] = Linear(v);
            linear[v] = static_cast<Real>(wide[v]);
        }
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
    constexpr Real kLab = 1e-9;      // double against long double
    constexpr Real kOk = 5e-8;       // Ottosson's ten-digit matrices against CSS's
    for (TColorValue color = first; color < last && a.Wrong() < 40; ++color) {
        const int r = color & 0xFF, g = color >> 8 & 0xFF, b = color >> 16 & 0xFF;
        const std::array<Real, 3> rgb{oracle.linear[r], oracle.linear[g], oracle.linear[b]};

        const auto h = NotationNumbers(color, TColorNotation::Hsl);
        const auto he = Hsl(r / 255.0, g / 255.0, b / 255.0);
        for (int i = 0; i < 3; ++i)
            a.hsl.Check(h[i], he[i] * 10, kRational, color, "hsl", true);

        const auto l = NotationNumbers(color, TColorNotation::Lab);
        const auto le = oracle.lab({oracle.wide[r], oracle.wide[g], oracle.wide[b]});
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

        for (TColorNotation components : {TColorNotation::Floats, TColorNotation::CssColor}) {
            const auto f = NotationNumbers(color, components);
            a.floats.Check(f[0], r / 255.0 * 10000, kRational, color, "float red");
            a.floats.Check(f[1], g / 255.0 * 10000, kRational, color, "float green");
            a.floats.Check(f[2], b / 255.0 * 10000, kRational, color, "float blue");
        }
    }
}

TEST(NotationNumbers, EveryColourAgreesWithTheOracle) {
    SKIP_UNDER_EMULATION(kThreadsAtOnce);
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
