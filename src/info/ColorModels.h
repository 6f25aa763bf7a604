// Colour models of the Dropper: a pixel's colour value split into real RGB
// components and converted into CMY, CMYK and HSB, plus the rounding that turns
// the reals into the integers the panel shows. Pure functions, no state.
#pragma once

#include <array>
#include <cstdint>

// A pixel as a device context returns it: 0x00BBGGRR, red in the lowest byte.
using TColorValue = std::uint32_t;

// Each 0 to 255.
struct TRGBReal {
    double R, G, B;
};
// Each 0 to 255.
struct TCMYReal {
    double C, M, Y;
};
// Each a percentage 0 to 100.
struct TCMYKReal {
    double C, M, Y, K;
};
// H a whole number of degrees 0 to 359; S and B percentages 0 to 100.
struct THSBReal {
    double H, S, B;
};

// The 360 pure hues at full saturation and brightness; entry h is hue h degrees.
extern const std::array<TRGBReal, 360> HueTable;

TRGBReal SplitColor(TColorValue color);
TCMYReal RGBToCMY(const TRGBReal& rgb);
TCMYKReal RGBToCMYK(const TRGBReal& rgb);
THSBReal RGBToHSB(const TRGBReal& rgb);

// The same conversions straight from a colour value.
TCMYReal RGBToCMY(TColorValue color);
TCMYKReal RGBToCMYK(TColorValue color);
THSBReal RGBToHSB(TColorValue color);

// Sum of the absolute component differences.
double ColorDistance(const TRGBReal& a, const TRGBReal& b);

// The hue of the HueTable entry nearest to a colour by ColorDistance: the first
// entry that comes strictly nearer than 765 and than every entry before it, so
// the lowest hue wins a tie and a colour no entry comes near to gets 0.
int NearestHue(const TRGBReal& color);

// Nearest integers, halves to even. Values beyond the 32-bit range saturate and
// NaN gives 0, so a stray input can never make the conversion undefined.
std::array<std::int32_t, 3> RoundComponents(double a, double b, double c);
std::array<std::int32_t, 4> RoundComponents(double a, double b, double c, double d);
