#include "info/ColorTexts.h"

#include "info/ValueText.h"

std::array<std::wstring, ColorRowCount> ColorRowTexts(TColorValue color) {
    const TRGBReal rgb = SplitColor(color);
    const THSBReal hsbReal = RGBToHSB(rgb);
    const TCMYReal cmyReal = RGBToCMY(rgb);
    const TCMYKReal cmykReal = RGBToCMYK(rgb);
    const auto [r, g, b] = RoundComponents(rgb.R, rgb.G, rgb.B);
    const auto [hue, saturation, brightness] = RoundComponents(hsbReal.H, hsbReal.S, hsbReal.B);
    const auto [c, m, y] = RoundComponents(cmyReal.C, cmyReal.M, cmyReal.Y);
    const auto [cc, cm, cy, ck] = RoundComponents(cmykReal.C, cmykReal.M, cmykReal.Y, cmykReal.K);

    // The panel reads the swatch row back as a signed 32-bit number; a pixel's
    // top byte is always 0, so the value stays positive.
    return {
        FormatValue(L"%d", {static_cast<std::int32_t>(color)}),
        FormatValue(L"%d  %d  %d", {r, g, b}),
        FormatValue(L"%2.2x%2.2x%2.2x", {r, g, b}),
        FormatValue(L"%d  %d  %d", {hue, saturation, brightness}),
        FormatValue(L"%d  %d  %d", {c, m, y}),
        FormatValue(L"%d  %d  %d  %d", {cc, cm, cy, ck}),
        FormatValue(L"#%2.2x%2.2x%2.2x", {r, g, b}),
    };
}

std::wstring HtmlColorText(TColorValue color) {
    return FormatValue(L"#%2.2x%2.2x%2.2x", {static_cast<std::int32_t>(color & 0xFF),
                                             static_cast<std::int32_t>(color >> 8 & 0xFF),
                                             static_cast<std::int32_t>(color >> 16 & 0xFF)});
}
