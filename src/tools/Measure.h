// The Measurer's values for a line from (Left, Top) to (Right, Bottom): its
// angle and the texts of its panel rows, in pixels, inches and millimetres.
// No Win32 here, so all of it is tested natively.
#pragma once

#include "tools/Selection.h"
#include <array>
#include <string>
#include <string_view>

// The angle between the line and the horizontal in degrees, 0 to 90, the
// same whichever way the line was drawn. A vertical line is 90; a line of
// no length is 0.
double LineAngle(const TCorners& line);

// Rows 1 "Offset", 2 "Offset (inch)", 3 "Offset (mm)", 7 "Distance",
// 8 "Distance (inch)", 9 "Distance (mm)" and 10 "Angles (°)", in that order.
// Inches and millimetres need a calibration: with `dpi` 0 or less (only a
// stored value edited by hand can be) those rows read "-".
constexpr std::array<int, 7> kMeasureRows = {1, 2, 3, 7, 8, 9, 10};
std::array<std::wstring, 7> MeasureRowTexts(const TCorners& line, int32_t dpi,
                                            std::wstring_view decimalSeparator);
