#include "tools/Measure.h"
#include "info/ValueText.h"
#include <cmath>
#include <cstdlib>

namespace {
constexpr long double kMillimetresPerInch = 25.4L;
constexpr long double kPi = 3.14159265358979323846264338327950288L;
constexpr wchar_t kNoCalibration[] = L"-";
} // namespace

double LineAngle(const TCorners& line) {
    const long double h = std::llabs(int64_t(line.last.x) - line.first.x);
    const long double v = std::llabs(int64_t(line.last.y) - line.first.y);
    if (h == 0) return v == 0 ? 0.0 : 90.0;
    return static_cast<double>(std::atan(v / h) * 180 / kPi);
}

std::array<std::wstring, 7> MeasureRowTexts(const TCorners& line, int32_t dpi,
                                            std::wstring_view separator) {
    const int64_t dx = std::llabs(int64_t(line.last.x) - line.first.x);
    const int64_t dy = std::llabs(int64_t(line.last.y) - line.first.y);
    // Extended precision throughout (its 64-bit mantissa holds the sum of
    // the squares exactly, as integers would); millimetres multiply by 25.4
    // before they divide.
    const long double x = dx, y = dy;
    const long double d = std::sqrt(x * x + y * y);
    const long double p = dpi;
    const double a = LineAngle(line);
    std::array<std::wstring, 7> rows;
    rows[0] = FormatValue(L"x: %d\t y: %d", {dx, dy});
    rows[3] = FormatValue(L"%0.1f", {d}, separator);
    rows[6] = FormatValue(L"x: %0.1f \t y: %0.1f", {a, 90 - a}, separator);
    if (dpi <= 0) {
        rows[1] = rows[2] = rows[4] = rows[5] = kNoCalibration;
        return rows;
    }
    rows[1] = FormatValue(L"x: %0.1f \t y: %0.1f", {x / p, y / p}, separator);
    rows[2] = FormatValue(L"x: %0.0f \t y: %0.0f",
                          {x * kMillimetresPerInch / p, y * kMillimetresPerInch / p}, separator);
    rows[4] = FormatValue(L"%0.1f", {d / p}, separator);
    rows[5] = FormatValue(L"%0.0f", {d * kMillimetresPerInch / p}, separator);
    return rows;
}
