#include "info/ValueText.h"

#include "framework/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

std::wstring Fixed1(TValueArg value) {
    return FormatValue(L"%0.1f", {value});
}
std::wstring Fixed0(TValueArg value) {
    return FormatValue(L"%0.0f", {value});
}

TEST(FormatValue, FixedRoundsHalvesAwayFromZeroOnTheDecimalDigits) {
    // Exact halves go up, not to even as a C library may do.
    EXPECT_EQ(Fixed1(0.25), L"0.3");
    EXPECT_EQ(Fixed1(0.125), L"0.1");
    EXPECT_EQ(Fixed0(0.5), L"1");
    EXPECT_EQ(Fixed0(2.5), L"3");
    // Halves a double cannot hold exactly: their binary value lies just below
    // the half, yet the reader sees the half.
    EXPECT_EQ(Fixed1(0.15), L"0.2");
    EXPECT_EQ(Fixed1(0.35), L"0.4");
    EXPECT_EQ(FormatValue(L"%0.2f", {2.675}), L"2.68");
    EXPECT_EQ(FormatValue(L"%0.2f", {1.005}), L"1.01");
    EXPECT_EQ(Fixed1(2.675), L"2.7");
    EXPECT_EQ(Fixed0(2.675), L"3");
    // Just below a half stays below.
    EXPECT_EQ(Fixed1(0.149), L"0.1");
    EXPECT_EQ(Fixed0(2.4999), L"2");
    // Extended-precision results as the Measurer computes them: 72 pixels at
    // 160 per inch is 0.45 inch, held as 0.44999999999999999998916...
    EXPECT_EQ(Fixed1(72.0L / 160), L"0.5");
    EXPECT_EQ(Fixed1(12.0L / 96), L"0.1");
    EXPECT_EQ(Fixed1(24.0L / 96), L"0.3");
    EXPECT_EQ(Fixed0(96 * 25.4L / 96), L"25");
    EXPECT_EQ(Fixed0(5 * 25.4L / 254), L"1");
    EXPECT_EQ(Fixed1(std::sqrt(25.0L)), L"5.0");
    const long double angle = std::atan(4.0L / 3) * 180 / 3.14159265358979323846264L;
    EXPECT_EQ(FormatValue(L"x: %0.1f \t y: %0.1f", {angle, 90 - angle}), L"x: 53.1 \t y: 36.9");
}

TEST(FormatValue, FixedCarriesSignsAndLargeValues) {
    EXPECT_EQ(Fixed1(-0.25), L"-0.3");
    EXPECT_EQ(Fixed0(-2.5), L"-3");
    EXPECT_EQ(Fixed1(-1.04), L"-1.0");
    // A value that rounds to zero shows no minus sign.
    EXPECT_EQ(Fixed1(-0.04), L"0.0");
    EXPECT_EQ(Fixed1(-0.0), L"0.0");
    EXPECT_EQ(Fixed0(0.0), L"0");
    // Rounding that carries into a new leading digit, and values below 0.1.
    EXPECT_EQ(Fixed1(9.96), L"10.0");
    EXPECT_EQ(Fixed1(999.95), L"1000.0");
    EXPECT_EQ(Fixed0(0.5e-3), L"0");
    EXPECT_EQ(Fixed1(0.05), L"0.1");
    EXPECT_EQ(Fixed1(0.0049), L"0.0");
    EXPECT_EQ(FormatValue(L"%0.3f", {0.0625}), L"0.063");
    // Large values keep every integer digit.
    EXPECT_EQ(Fixed1(123456789.25), L"123456789.3");
    EXPECT_EQ(Fixed0(1e20), L"100000000000000000000");
    EXPECT_EQ(Fixed1(-4294967295.75L), L"-4294967295.8");
    EXPECT_EQ(Fixed0(std::int64_t{123456789012}), L"123456789012");
    EXPECT_EQ(FormatValue(L"%f", {1.5}), L"1.500000");
    // No measurement gives these, but a bad setting must not crash the panel.
    EXPECT_EQ(Fixed1(std::numeric_limits<double>::infinity()), L"INF");
    EXPECT_EQ(Fixed1(-std::numeric_limits<double>::infinity()), L"-INF");
    EXPECT_EQ(Fixed1(std::numeric_limits<double>::quiet_NaN()), L"NAN");
}

TEST(FormatValue, FixedUsesTheGivenDecimalSeparatorOnly) {
    EXPECT_EQ(FormatValue(L"x: %0.1f \t y: %0.1f", {0.25, 1.0}, L","), L"x: 0,3 \t y: 1,0");
    EXPECT_EQ(FormatValue(L"%0.1f", {-12.25}, L"\u066B"), L"-12\u066B3");
    EXPECT_EQ(FormatValue(L"%0.1f", {1.5}, L"dec"), L"1dec5");
    // Whole numbers and literal points are left alone.
    EXPECT_EQ(FormatValue(L"%0.0f. %d.", {1234.5, 7}, L","), L"1235. 7.");
}

TEST(FormatValue, IntegersWithWidthPrecisionAndHexDigits) {
    EXPECT_EQ(FormatValue(L"%d  %d  %d", {255, 0, -17}), L"255  0  -17");
    EXPECT_EQ(FormatValue(L"%d", {INT32_MIN}), L"-2147483648");
    EXPECT_EQ(FormatValue(L"%d", {std::numeric_limits<std::int64_t>::min()}),
              L"-9223372036854775808");
    EXPECT_EQ(FormatValue(L"#%2.2x%2.2x%2.2x", {255, 10, 0}), L"#FF0A00");
    EXPECT_EQ(FormatValue(L"%2.2x|%x|%X", {0xABCDE, 0xbeef, 0}), L"ABCDE|BEEF|0");
    EXPECT_EQ(FormatValue(L"%x", {-1}), L"FFFFFFFF");
    EXPECT_EQ(FormatValue(L"[%5d][%-5d][%05d][%5.3d]", {42, 42, -42, 7}),
              L"[   42][42   ][-0042][  007]");
    EXPECT_EQ(FormatValue(L"100%% of %d", {3u}), L"100% of 3");
}

TEST(FormatValue, RejectsFormatsThatDoNotFitTheirArguments) {
    EXPECT_THROW(FormatValue(L"%s", {1}), Error);
    EXPECT_THROW(FormatValue(L"%d", {1.5}), Error);
    EXPECT_THROW(FormatValue(L"%d and %d", {1}), Error);
    EXPECT_THROW(FormatValue(L"50%", {}), Error);
    EXPECT_THROW(FormatValue(L"%99999d", {1}), Error);
}

} // namespace
