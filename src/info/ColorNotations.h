// The notations the Dropper's colour can be copied in besides the panel's
// own rows: CSS hsl(), CIE L*a*b* as CSS lab() reads it (D50), OKLCH as CSS
// oklch(), three floating-point components from 0 to 1, and the same
// components as CSS color(srgb ...). Computed only when the user copies
// one, from the colour value alone. Pure functions, no state.
#pragma once

#include "info/ColorModels.h"

#include <array>
#include <cstdint>
#include <string>

enum class TColorNotation { Hsl, Lab, Oklch, Floats, CssColor };
constexpr TColorNotation kColorNotations[] = {TColorNotation::Hsl, TColorNotation::Lab,
                                              TColorNotation::Oklch, TColorNotation::Floats,
                                              TColorNotation::CssColor};

// Real-valued components before any rounding.
struct TLabReal {
    double L, a, b; // L* 0 to 100; a*, b* about -128 to 128
};
struct TOklchReal {
    double L, C, H; // L 0 to 1; C 0 to about 0.33; H degrees 0 to below 360
};

// sRGB (IEC 61966-2-1) to CIE L*a*b* as CSS Color Level 4 defines lab():
// XYZ (D65) adapted to D50 with CSS's Bradford matrix, against CSS's D50
// white. A browser reads lab() this way, so the text shows the picked
// colour there.
TLabReal RGBToLab(TColorValue color);
// sRGB to OKLab through XYZ (D65) as CSS Color Level 4 converts, in polar
// form; the hue of a colour without chroma is 0.
TOklchReal RGBToOklch(TColorValue color);

// The three numbers a notation shows, each as an integer count of its last
// decimal place: hsl tenths (H degrees, S and L percent), lab hundredths,
// oklch hundredths of a percent (L), ten-thousandths (C) and hundredths of
// a degree (H), floats and color() ten-thousandths.
std::array<std::int64_t, 3> NotationNumbers(TColorValue color, TColorNotation notation);
// How many decimal places each of those numbers has.
std::array<int, 3> NotationDecimals(TColorNotation notation);

// The text the clipboard gets, e.g. "hsl(30.1 100% 50%)",
// "lab(54.29% 80.8 69.89)", "oklch(62.8% 0.2577 29.23)", "1.0, 0.502, 0.0",
// "color(srgb 1 0.502 0)".
// Appended to `text`, so a caller writing many keeps one buffer.
void AppendNotationText(std::wstring& text, TColorValue color, TColorNotation notation);
std::wstring NotationText(TColorValue color, TColorNotation notation);
