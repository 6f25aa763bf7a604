#include "info/RecentColors.h"

#include <algorithm>

namespace {
int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

// "RRGGBB" as a colour value, or -1.
std::int64_t EntryColor(std::wstring_view entry) {
    if (entry.size() != 6) return -1;
    std::uint32_t rgb = 0;
    for (wchar_t c : entry) {
        const int digit = HexDigit(c);
        if (digit < 0) return -1;
        rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
    }
    // Written red first; the value keeps red in its lowest byte.
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}
} // namespace

TRecentColors RecentColorsFromText(std::wstring_view text) {
    TRecentColors colors;
    while (colors.size() < kRecentColorCount) {
        const std::size_t comma = text.find(L',');
        const std::int64_t color = EntryColor(text.substr(0, comma));
        if (color >= 0 && std::find(colors.begin(), colors.end(),
                                    static_cast<std::uint32_t>(color)) == colors.end())
            colors.push_back(static_cast<std::uint32_t>(color));
        if (comma == std::wstring_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return colors;
}

std::wstring RecentColorsText(const TRecentColors& colors) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text;
    for (std::uint32_t color : colors) {
        if (!text.empty()) text += L',';
        for (int shift : {4, 0, 12, 8, 20, 16}) // red, green, blue, high digit first
            text += kDigits[color >> shift & 0xF];
    }
    return text;
}

void AddRecentColor(TRecentColors& colors, std::uint32_t color) {
    color &= 0xFFFFFF;
    std::erase(colors, color);
    colors.insert(colors.begin(), color);
    if (colors.size() > kRecentColorCount) colors.resize(kRecentColorCount);
}
