// The Measurer's rows for the lines a user draws: pixels, inches and
// millimetres at a calibration, the angles, mirrored drags, and what shows
// without a calibration.
#include "tools/Measure.h"
#include <gtest/gtest.h>

namespace {
using Rows = std::array<std::wstring, 7>;
}

TEST(MeasureRowTexts, RowsForTheLinesAUserDraws) {
    const struct {
        TCorners line;
        int32_t dpi;
        Rows rows;
    } cases[] = {
        {{100, 100, 196, 100},
         96,
         {L"x: 96\t y: 0", L"x: 1.0 \t y: 0.0", L"x: 25 \t y: 0", L"96.0", L"1.0", L"25",
          L"x: 0.0 \t y: 90.0"}},
        {{10, 10, 13, 14},
         96,
         {L"x: 3\t y: 4", L"x: 0.0 \t y: 0.0", L"x: 1 \t y: 1", L"5.0", L"0.1", L"1",
          L"x: 53.1 \t y: 36.9"}},
        // 12 pixels are 0.125 inch: 0.1; 24 are 0.25, an exact half: 0.3.
        {{0, 0, 12, 0},
         96,
         {L"x: 12\t y: 0", L"x: 0.1 \t y: 0.0", L"x: 3 \t y: 0", L"12.0", L"0.1", L"3",
          L"x: 0.0 \t y: 90.0"}},
        {{0, 0, 24, 0},
         96,
         {L"x: 24\t y: 0", L"x: 0.3 \t y: 0.0", L"x: 6 \t y: 0", L"24.0", L"0.3", L"6",
          L"x: 0.0 \t y: 90.0"}},
        // A vertical line stands at 90 degrees to the horizontal.
        {{50, 50, 50, 250},
         100,
         {L"x: 0\t y: 200", L"x: 0.0 \t y: 2.0", L"x: 0 \t y: 51", L"200.0", L"2.0", L"51",
          L"x: 90.0 \t y: 0.0"}},
        // No calibration: the pixel rows still measure.
        {{0, 0, 30, 40},
         0,
         {L"x: 30\t y: 40", L"-", L"-", L"50.0", L"-", L"-", L"x: 53.1 \t y: 36.9"}},
        {{0, 0, 30, 40},
         -5,
         {L"x: 30\t y: 40", L"-", L"-", L"50.0", L"-", L"-", L"x: 53.1 \t y: 36.9"}},
        {{0, 0, 1920, 1080},
         2000000000,
         {L"x: 1920\t y: 1080", L"x: 0.0 \t y: 0.0", L"x: 0 \t y: 0", L"2202.9", L"0.0", L"0",
          L"x: 29.4 \t y: 60.6"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MeasureRowTexts(c.line, c.dpi, L"."), c.rows)
            << c.line.first.x << "," << c.line.first.y << " to " << c.line.last.x << ","
            << c.line.last.y << " at " << c.dpi;
        // The same line drawn the other way round measures the same.
        const TCorners back{c.line.last.x, c.line.last.y, c.line.first.x, c.line.first.y};
        EXPECT_EQ(MeasureRowTexts(back, c.dpi, L"."), c.rows);
    }
}

TEST(MeasureRowTexts, TheUsersDecimalSeparator) {
    const Rows rows = MeasureRowTexts({0, 0, 3, 4}, 96, L",");
    EXPECT_EQ(rows[3], L"5,0");
    EXPECT_EQ(rows[6], L"x: 53,1 \t y: 36,9");
}

TEST(LineAngle, NoDirectionAndNoLength) {
    EXPECT_DOUBLE_EQ(LineAngle({0, 0, 10, 10}), 45.0);
    EXPECT_DOUBLE_EQ(LineAngle({10, 10, 0, 0}), 45.0);
    EXPECT_DOUBLE_EQ(LineAngle({0, 0, 0, -7}), 90.0);
    EXPECT_DOUBLE_EQ(LineAngle({5, 5, 5, 5}), 0.0);
}
