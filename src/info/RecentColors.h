// The colours held in the Dropper lately, newest first, and their stored
// text: up to ten "RRGGBB" hex texts separated by commas. No Win32 here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kRecentColorCount = 10;

// Colour values 0x00BBGGRR, newest first, none twice, at most ten.
using TRecentColors = std::vector<std::uint32_t>;

// The list a stored text holds. An entry that is not six hex digits (of
// either case) is skipped, a repeated one kept where it first stands, and
// entries past the tenth kept are dropped: whatever the text, a list.
TRecentColors RecentColorsFromText(std::wstring_view text);
// The stored text: "FF8000,0C2238", upper-case digits, newest first.
std::wstring RecentColorsText(const TRecentColors& colors);
// A colour just held goes to the front; where it stood before it goes, and
// the oldest goes when there would be more than ten.
void AddRecentColor(TRecentColors& colors, std::uint32_t color);
