// Reduction of a true-colour picture to at most 256 colours, for GIF files.
// A picture with no more than 256 colours keeps them exactly (a screenshot of
// a user interface then survives as a lossless GIF); a richer one gets a
// palette from Xiaolin Wu's variance-minimising quantiser and each pixel the
// nearest palette colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr std::size_t MaxIndexedColors = 256;

struct IndexedPixels {
    std::vector<std::uint32_t> palette; // 0x00RRGGBB, at most MaxIndexedColors
    std::vector<std::uint8_t> indices;  // one palette index per pixel, same order
};

// Pixels are 0x??RRGGBB (the byte order of a 32-bit DIB); the top byte is
// ignored.
IndexedPixels ReduceToIndexed(std::span<const std::uint32_t> pixels);

// Wu's palette of at most maxColors colours for the pixels (0x??RRGGBB).
std::vector<std::uint32_t> QuantizeWu(std::span<const std::uint32_t> pixels, std::size_t maxColors);
