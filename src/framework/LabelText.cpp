#include "framework/LabelText.h"
#include <algorithm>
#include <string>
#include <vector>

namespace {
constexpr int kCharactersPerTab = 8;
}

void DrawLabelText(HDC dc, const RECT& r, std::wstring_view text) {
    if (text.empty()) return;
    const auto count = static_cast<int>(text.size());
    if (text.find(L'\t') == std::wstring_view::npos) {
        ExtTextOutW(dc, r.left, r.top, ETO_CLIPPED, &r, text.data(), count, nullptr);
        return;
    }
    // One call for the whole line: each tab becomes a blank whose advance
    // reaches the next stop, counted from the line's start; every other
    // character keeps its own advance.
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int tabWidth = std::max(1, static_cast<int>(metrics.tmAveCharWidth) * kCharactersPerTab);
    // Kept between rows: a row is drawn on every mouse move.
    thread_local std::wstring line;
    thread_local std::vector<int> ends, advances;
    line.assign(text);
    std::replace(line.begin(), line.end(), L'\t', L' ');
    ends.resize(line.size());
    advances.resize(line.size());
    SIZE extent{};
    // The end of each character, as if every tab were a blank.
    GetTextExtentExPointW(dc, line.c_str(), count, 0, nullptr, ends.data(), &extent);
    int x = 0;
    for (int i = 0; i < count; ++i) {
        const int natural = ends[i] - (i ? ends[i - 1] : 0);
        const int end = text[i] == L'\t' ? (x / tabWidth + 1) * tabWidth : x + natural;
        advances[i] = end - x;
        x = end;
    }
    ExtTextOutW(dc, r.left, r.top, ETO_CLIPPED, &r, line.c_str(), count, advances.data());
}
