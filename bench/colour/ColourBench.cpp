// Nanoseconds per full colour conversion: split, HSB, CMY, CMYK, rounding and
// the row texts, over a large batch of varied colours. The Dropper does one per
// mouse move, so this must stay far below a frame.
#include "info/ColorModels.h"
#include "info/ColorTexts.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::vector<TColorValue> Colours(size_t count) {
    std::vector<TColorValue> colours(count);
    std::uint32_t state = 12345;
    for (TColorValue& c : colours) {
        state = state * 1664525u + 1013904223u; // any fixed spread of colours will do
        c = state >> 8;
    }
    return colours;
}

template <typename Work>
double NanosecondsEach(const std::vector<TColorValue>& colours, Work work) {
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (TColorValue c : colours)
            work(c);
        const std::chrono::duration<double, std::nano> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / colours.size());
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1u << 20;
    const std::vector<TColorValue> colours = Colours(count ? count : 1);
#if defined(__SANITIZE_ADDRESS__)
    std::printf("warning: built with sanitizers, figures are not representative\n");
#endif
    // Summed so the compiler cannot drop the work.
    volatile size_t sink = 0;
    const double full = NanosecondsEach(colours, [&](TColorValue c) {
        const auto rows = ColorRowTexts(c);
        sink = sink + rows[3].size() + rows[6].size();
    });
    const double hsb = NanosecondsEach(
        colours, [&](TColorValue c) { sink = sink + static_cast<size_t>(RGBToHSB(c).H); });
    std::printf("colours: %zu\n", colours.size());
    std::printf("full conversion (split, HSB, CMY, CMYK, rounding, row texts): %.1f ns\n", full);
    std::printf("of which HSB alone: %.1f ns\n", hsb);
    return 0;
}
