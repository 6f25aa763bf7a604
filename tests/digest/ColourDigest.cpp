// Prints one digest of the Dropper's rounded HSB, CMY and CMYK values over
// every 24-bit colour. Built natively and for both Windows targets, so the
// test script can show that every build shows the same numbers: floating
// point that rounds differently (x87's 80-bit intermediates) changes it.
#include "info/ColorModels.h"

#include <cstdint>
#include <cstdio>

namespace {

struct TDigest {
    std::uint64_t value = 1469598103934665603ull; // FNV-1a offset basis

    template <std::size_t N>
    void Add(const std::array<std::int32_t, N>& components) {
        for (std::int32_t c : components)
            for (int shift = 0; shift < 32; shift += 8) {
                value ^= static_cast<std::uint8_t>(static_cast<std::uint32_t>(c) >> shift);
                value *= 1099511628211ull;
            }
    }
};

} // namespace

int main() {
    TDigest digest;
    for (TColorValue color = 0; color < (1u << 24); ++color) {
        const THSBReal hsb = RGBToHSB(color);
        const TCMYReal cmy = RGBToCMY(color);
        const TCMYKReal cmyk = RGBToCMYK(color);
        digest.Add(RoundComponents(hsb.H, hsb.S, hsb.B));
        digest.Add(RoundComponents(cmy.C, cmy.M, cmy.Y));
        digest.Add(RoundComponents(cmyk.C, cmyk.M, cmyk.Y, cmyk.K));
    }
    std::printf("%016llx\n", static_cast<unsigned long long>(digest.value));
    return 0;
}
