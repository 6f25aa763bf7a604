// Prints one digest of the Dropper's rounded HSB, CMY and CMYK values and of
// the texts of every copied notation (hsl, lab, oklch, floats, color()) over
// every 24-bit colour. Built natively and for both Windows targets, so the test
// script can show that every build shows the same numbers and texts:
// floating point that rounds differently (x87's 80-bit intermediates, a
// runtime library's cube root or arc tangent off by a bit) changes it.
#include "info/ColorModels.h"
#include "info/ColorNotations.h"

#include <cstdint>
#include <cstdio>
#include <string>

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

    // One step per character (16 bits on Windows, 32 natively; the texts
    // are ASCII), and one more where the text ends.
    void Add(const std::wstring& text) {
        for (wchar_t c : text) {
            value ^= static_cast<std::uint32_t>(c);
            value *= 1099511628211ull;
        }
        value ^= 0x10000;
        value *= 1099511628211ull;
    }
};

} // namespace

int main() {
    TDigest digest;
    std::wstring text; // one buffer: the loop must not spend its time allocating
    for (TColorValue color = 0; color < (1u << 24); ++color) {
        const THSBReal hsb = RGBToHSB(color);
        const TCMYReal cmy = RGBToCMY(color);
        const TCMYKReal cmyk = RGBToCMYK(color);
        digest.Add(RoundComponents(hsb.H, hsb.S, hsb.B));
        digest.Add(RoundComponents(cmy.C, cmy.M, cmy.Y));
        digest.Add(RoundComponents(cmyk.C, cmyk.M, cmyk.Y, cmyk.K));
        for (TColorNotation notation : kColorNotations) {
            text.clear();
            AppendNotationText(text, color, notation);
            digest.Add(text);
        }
    }
    std::printf("%016llx\n", static_cast<unsigned long long>(digest.value));
    return 0;
}
