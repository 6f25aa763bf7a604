// Nanoseconds per full colour conversion: split, HSB, CMY, CMYK, rounding and
// the row texts, over a large batch of varied colours (a first pass warms the
// caches and the heap). The Dropper does one per mouse move, so this must stay
// far below a frame.
#include "info/ColorModels.h"
#include "info/ColorTexts.h"

#include <algorithm>
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

struct TTiming {
    double average; // over the whole batch, disturbances included
    double best;    // of the slices of the batch, the least disturbed one
};

// Times the batch in slices short enough that many of them run without the
// system taking the processor away, so the best slice shows the code's own
// speed even on a busy machine.
template <typename Work>
TTiming NanosecondsEach(const std::vector<TColorValue>& colours, Work work) {
    constexpr size_t slice = 4096;
    using Clock = std::chrono::steady_clock;
    TTiming timing{0, 1e300};
    const auto whole = Clock::now();
    for (size_t first = 0; first < colours.size(); first += slice) {
        const size_t last = std::min(colours.size(), first + slice);
        const auto start = Clock::now();
        for (size_t i = first; i < last; ++i)
            work(colours[i]);
        const std::chrono::duration<double, std::nano> took = Clock::now() - start;
        timing.best = std::min(timing.best, took.count() / (last - first));
    }
    const std::chrono::duration<double, std::nano> took = Clock::now() - whole;
    timing.average = took.count() / colours.size();
    return timing;
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
    NanosecondsEach(colours, [&](TColorValue c) { sink = sink + ColorRowTexts(c)[1].size(); });
    const TTiming full = NanosecondsEach(colours, [&](TColorValue c) {
        const auto rows = ColorRowTexts(c);
        sink = sink + rows[3].size() + rows[6].size();
    });
    const TTiming hsb = NanosecondsEach(
        colours, [&](TColorValue c) { sink = sink + static_cast<size_t>(RGBToHSB(c).H); });
    std::printf("colours: %zu\n", colours.size());
    std::printf("full conversion (split, HSB, CMY, CMYK, rounding, row texts): "
                "%.1f ns best slice, %.1f ns batch average\n",
                full.best, full.average);
    std::printf("of which HSB alone: %.1f ns best slice, %.1f ns batch average\n", hsb.best,
                hsb.average);
    return 0;
}
