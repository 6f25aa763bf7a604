#include "export/ScaledSize.h"

#include <algorithm>
#include <cstdint>

namespace {
int Proportion(int side, int numerator, int denominator) {
    // In 64 bits: side times a screen-sized numerator overflows 32.
    const std::int64_t scaled = static_cast<std::int64_t>(side) * numerator / denominator;
    return static_cast<int>(std::max<std::int64_t>(scaled, 1));
}
} // namespace

PictureSize FitLargestSide(PictureSize size, int largestSide) {
    if (largestSide <= 0 || size.width <= 0 || size.height <= 0) return size;
    if (size.height < size.width && largestSide < size.width)
        return {largestSide, Proportion(largestSide, size.height, size.width)};
    if (largestSide < size.height)
        return {Proportion(largestSide, size.width, size.height), largestSide};
    return size;
}
