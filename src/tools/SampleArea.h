// The Dropper's sample square: the sides a user can choose, and the colour
// of a square of the frozen picture as the mean of its pixels that lie on a
// monitor. No Win32 here, so it is tested natively over any layout.
#pragma once

#include "framework/Geometry.h"
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The sides offered: one pixel (the default), 3 x 3, 5 x 5 and 9 x 9.
inline constexpr int kSampleSides[] = {1, 3, 5, 9};

// The side a stored text names: exactly "1", "3", "5" or "9"; any other
// text is one pixel.
int SampleSideFromText(std::wstring_view text);
// A side brought to one of those offered; any other number is one pixel.
int SampleSideOf(std::int32_t side);

// The frozen picture as it lies in memory: rows of blue, green, red (and an
// unused byte with four bytes a pixel), top row first.
struct TSamplePixels {
    const std::uint8_t* bits = nullptr;
    std::size_t stride = 0;
    std::int32_t width = 0, height = 0;
    int bytesPerPixel = 4;
};

// The colour, 0x00BBGGRR, of the side x side square centred on `at` (the
// picture begins where the overlay does): each channel the mean of the
// square's pixels that lie on one of `monitors` and on the picture, rounded
// half away from zero. The white of the picture's margin and of the gaps
// between monitors is no colour of the screen, so it does not count. With
// none of the square on a monitor, what one pixel reads: the pixel at `at`,
// white off the picture.
std::uint32_t SampleColor(const TSamplePixels& pixels, TOverlayPoint at, int side,
                          std::span<const TOverlayRect> monitors);
