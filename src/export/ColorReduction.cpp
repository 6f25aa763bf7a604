// Wu's quantiser works on a 32 x 32 x 32 histogram of the colours (5 bits per
// channel) with cumulative moments, so the variance of any box of colours
// costs a handful of lookups. It splits the box of largest variance where the
// split leaves the least variance, until there are enough boxes; each box's
// mean colour (taken from the full 8-bit values) is a palette entry.
#include "export/ColorReduction.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_map>

namespace {
constexpr std::uint32_t ColorMask = 0x00FFFFFFu;
constexpr int HistogramSide = 33; // 32 cells per channel plus a zero border
constexpr int CellShift = 3;      // 8-bit channel to 5-bit cell

int Red(std::uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(std::uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

class WuQuantizer {
public:
    explicit WuQuantizer(std::span<const std::uint32_t> pixels);
    std::vector<std::uint32_t> Palette(std::size_t maxColors);

private:
    enum Axis { AxisRed, AxisGreen, AxisBlue };
    struct Box {
        int r0, r1, g0, g1, b0, b1; // lower bounds exclusive, upper inclusive
    };
    struct Sums {
        double r = 0, g = 0, b = 0, w = 0;
    };
    template <typename T> using Cube = std::vector<T>;

    static std::size_t At(int r, int g, int b) {
        return (static_cast<std::size_t>(r) * HistogramSide + g) * HistogramSide + b;
    }
    void Accumulate();
    template <typename T> static double Volume(const Box& box, const Cube<T>& m);
    Sums VolumeSums(const Box& box) const;
    template <typename T> static double Bottom(const Box& box, Axis axis, const Cube<T>& m);
    template <typename T> static double Top(const Box& box, Axis axis, int cut, const Cube<T>& m);
    double Variance(const Box& box) const;
    double Maximize(const Box& box, Axis axis, int first, int last, int& cut,
                    const Sums& whole) const;
    bool Cut(Box& first, Box& second) const;

    Cube<std::int64_t> weight_, red_, green_, blue_;
    Cube<double> squares_;
};

WuQuantizer::WuQuantizer(std::span<const std::uint32_t> pixels) {
    const std::size_t cells =
        static_cast<std::size_t>(HistogramSide) * HistogramSide * HistogramSide;
    weight_.assign(cells, 0);
    red_.assign(cells, 0);
    green_.assign(cells, 0);
    blue_.assign(cells, 0);
    squares_.assign(cells, 0.0);
    for (std::uint32_t pixel : pixels) {
        const int r = Red(pixel), g = Green(pixel), b = Blue(pixel);
        const std::size_t i = At((r >> CellShift) + 1, (g >> CellShift) + 1, (b >> CellShift) + 1);
        weight_[i] += 1;
        red_[i] += r;
        green_[i] += g;
        blue_[i] += b;
        squares_[i] += static_cast<double>(r * r + g * g + b * b);
    }
    Accumulate();
}

// Turns the histogram into cumulative moments: each cell then holds the sums
// over every cell at or below it on all three axes.
void WuQuantizer::Accumulate() {
    for (int r = 1; r < HistogramSide; ++r) {
        std::array<std::int64_t, HistogramSide> areaW{}, areaR{}, areaG{}, areaB{};
        std::array<double, HistogramSide> areaS{};
        for (int g = 1; g < HistogramSide; ++g) {
            std::int64_t lineW = 0, lineR = 0, lineG = 0, lineB = 0;
            double lineS = 0;
            for (int b = 1; b < HistogramSide; ++b) {
                const std::size_t i = At(r, g, b);
                lineW += weight_[i];
                lineR += red_[i];
                lineG += green_[i];
                lineB += blue_[i];
                lineS += squares_[i];
                areaW[b] += lineW;
                areaR[b] += lineR;
                areaG[b] += lineG;
                areaB[b] += lineB;
                areaS[b] += lineS;
                const std::size_t below = At(r - 1, g, b);
                weight_[i] = weight_[below] + areaW[b];
                red_[i] = red_[below] + areaR[b];
                green_[i] = green_[below] + areaG[b];
                blue_[i] = blue_[below] + areaB[b];
                squares_[i] = squares_[below] + areaS[b];
            }
        }
    }
}

template <typename T> double WuQuantizer::Volume(const Box& x, const Cube<T>& m) {
    return static_cast<double>(m[At(x.r1, x.g1, x.b1)]) -
           static_cast<double>(m[At(x.r1, x.g1, x.b0)]) -
           static_cast<double>(m[At(x.r1, x.g0, x.b1)]) +
           static_cast<double>(m[At(x.r1, x.g0, x.b0)]) -
           static_cast<double>(m[At(x.r0, x.g1, x.b1)]) +
           static_cast<double>(m[At(x.r0, x.g1, x.b0)]) +
           static_cast<double>(m[At(x.r0, x.g0, x.b1)]) -
           static_cast<double>(m[At(x.r0, x.g0, x.b0)]);
}

WuQuantizer::Sums WuQuantizer::VolumeSums(const Box& box) const {
    return {Volume(box, red_), Volume(box, green_), Volume(box, blue_), Volume(box, weight_)};
}

// The part of a box's sum that lies below its lower bound on one axis.
template <typename T> double WuQuantizer::Bottom(const Box& x, Axis axis, const Cube<T>& m) {
    auto v = [&](int r, int g, int b) { return static_cast<double>(m[At(r, g, b)]); };
    switch (axis) {
    case AxisRed:
        return -v(x.r0, x.g1, x.b1) + v(x.r0, x.g1, x.b0) + v(x.r0, x.g0, x.b1) -
               v(x.r0, x.g0, x.b0);
    case AxisGreen:
        return -v(x.r1, x.g0, x.b1) + v(x.r1, x.g0, x.b0) + v(x.r0, x.g0, x.b1) -
               v(x.r0, x.g0, x.b0);
    case AxisBlue:
        return -v(x.r1, x.g1, x.b0) + v(x.r1, x.g0, x.b0) + v(x.r0, x.g1, x.b0) -
               v(x.r0, x.g0, x.b0);
    }
    return 0;
}

// The part of a box's sum up to a cut position on one axis, less Bottom.
template <typename T> double WuQuantizer::Top(const Box& x, Axis axis, int cut, const Cube<T>& m) {
    auto v = [&](int r, int g, int b) { return static_cast<double>(m[At(r, g, b)]); };
    switch (axis) {
    case AxisRed:
        return v(cut, x.g1, x.b1) - v(cut, x.g1, x.b0) - v(cut, x.g0, x.b1) + v(cut, x.g0, x.b0);
    case AxisGreen:
        return v(x.r1, cut, x.b1) - v(x.r1, cut, x.b0) - v(x.r0, cut, x.b1) + v(x.r0, cut, x.b0);
    case AxisBlue:
        return v(x.r1, x.g1, cut) - v(x.r1, x.g0, cut) - v(x.r0, x.g1, cut) + v(x.r0, x.g0, cut);
    }
    return 0;
}

double WuQuantizer::Variance(const Box& box) const {
    const Sums s = VolumeSums(box);
    if (s.w <= 0) return 0;
    return Volume(box, squares_) - (s.r * s.r + s.g * s.g + s.b * s.b) / s.w;
}

// The best cut of a box on one axis: the one that leaves the two halves with
// the largest sum of squared means weighted by count (the least variance).
double WuQuantizer::Maximize(const Box& box, Axis axis, int first, int last, int& cut,
                             const Sums& whole) const {
    const Sums base{Bottom(box, axis, red_), Bottom(box, axis, green_), Bottom(box, axis, blue_),
                    Bottom(box, axis, weight_)};
    double best = 0;
    cut = -1;
    for (int i = first; i < last; ++i) {
        Sums half{base.r + Top(box, axis, i, red_), base.g + Top(box, axis, i, green_),
                  base.b + Top(box, axis, i, blue_), base.w + Top(box, axis, i, weight_)};
        if (half.w <= 0) continue;
        double score = (half.r * half.r + half.g * half.g + half.b * half.b) / half.w;
        half = {whole.r - half.r, whole.g - half.g, whole.b - half.b, whole.w - half.w};
        if (half.w <= 0) continue;
        score += (half.r * half.r + half.g * half.g + half.b * half.b) / half.w;
        if (score > best) {
            best = score;
            cut = i;
        }
    }
    return best;
}

bool WuQuantizer::Cut(Box& first, Box& second) const {
    const Sums whole = VolumeSums(first);
    int cutR = -1, cutG = -1, cutB = -1;
    const double maxR = Maximize(first, AxisRed, first.r0 + 1, first.r1, cutR, whole);
    const double maxG = Maximize(first, AxisGreen, first.g0 + 1, first.g1, cutG, whole);
    const double maxB = Maximize(first, AxisBlue, first.b0 + 1, first.b1, cutB, whole);
    Axis axis;
    if (maxR >= maxG && maxR >= maxB) {
        if (cutR < 0) return false; // no cut leaves both halves non-empty
        axis = AxisRed;
    } else if (maxG >= maxR && maxG >= maxB) {
        axis = AxisGreen;
    } else {
        axis = AxisBlue;
    }
    second = first;
    switch (axis) {
    case AxisRed:
        second.r0 = first.r1 = cutR;
        break;
    case AxisGreen:
        second.g0 = first.g1 = cutG;
        break;
    case AxisBlue:
        second.b0 = first.b1 = cutB;
        break;
    }
    return true;
}

std::vector<std::uint32_t> WuQuantizer::Palette(std::size_t maxColors) {
    std::vector<Box> boxes(std::max<std::size_t>(maxColors, 1));
    std::vector<double> variance(boxes.size(), 0.0);
    boxes[0] = {0, HistogramSide - 1, 0, HistogramSide - 1, 0, HistogramSide - 1};
    auto cellCount = [](const Box& b) { return (b.r1 - b.r0) * (b.g1 - b.g0) * (b.b1 - b.b0); };
    std::size_t count = 1;
    std::size_t next = 0;
    while (count < boxes.size()) {
        if (Cut(boxes[next], boxes[count])) {
            variance[next] = cellCount(boxes[next]) > 1 ? Variance(boxes[next]) : 0.0;
            variance[count] = cellCount(boxes[count]) > 1 ? Variance(boxes[count]) : 0.0;
            ++count;
        } else {
            variance[next] = 0.0; // this box cannot be split: never try it again
        }
        next = static_cast<std::size_t>(
            std::max_element(variance.begin(), variance.begin() + count) - variance.begin());
        if (variance[next] <= 0.0) break;
    }
    std::vector<std::uint32_t> palette;
    for (std::size_t i = 0; i < count; ++i) {
        const Sums s = VolumeSums(boxes[i]);
        if (s.w <= 0) continue;
        auto mean = [&](double sum) {
            return static_cast<std::uint32_t>(std::clamp(sum / s.w + 0.5, 0.0, 255.0));
        };
        palette.push_back((mean(s.r) << 16) | (mean(s.g) << 8) | mean(s.b));
    }
    return palette;
}

std::uint8_t NearestIndex(std::uint32_t color, const std::vector<std::uint32_t>& palette) {
    int best = std::numeric_limits<int>::max();
    std::size_t bestIndex = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = Red(color) - Red(palette[i]);
        const int dg = Green(color) - Green(palette[i]);
        const int db = Blue(color) - Blue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best) {
            best = distance;
            bestIndex = i;
        }
    }
    return static_cast<std::uint8_t>(bestIndex);
}
} // namespace

std::vector<std::uint32_t> QuantizeWu(std::span<const std::uint32_t> pixels,
                                      std::size_t maxColors) {
    if (pixels.empty() || maxColors == 0) return {};
    return WuQuantizer(pixels).Palette(maxColors);
}

IndexedPixels ReduceToIndexed(std::span<const std::uint32_t> pixels) {
    IndexedPixels result;
    result.indices.resize(pixels.size());
    // Most screenshots have few colours: collect them, giving up at the first
    // one too many.
    std::unordered_map<std::uint32_t, std::uint8_t> exact;
    bool fits = true;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t color = pixels[i] & ColorMask;
        auto found = exact.find(color);
        if (found == exact.end()) {
            if (result.palette.size() == MaxIndexedColors) {
                fits = false;
                break;
            }
            found = exact.emplace(color, static_cast<std::uint8_t>(result.palette.size())).first;
            result.palette.push_back(color);
        }
        result.indices[i] = found->second;
    }
    if (fits) return result;

    result.palette = QuantizeWu(pixels, MaxIndexedColors);
    // Pictures repeat colours a lot, so each distinct colour is matched once.
    std::unordered_map<std::uint32_t, std::uint8_t> nearest;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t color = pixels[i] & ColorMask;
        auto found = nearest.find(color);
        if (found == nearest.end())
            found = nearest.emplace(color, NearestIndex(color, result.palette)).first;
        result.indices[i] = found->second;
    }
    return result;
}
