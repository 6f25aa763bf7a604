// The stored form of an icon list and the checks an .ico file must pass
// before it is handed to the system. Both read bytes that come from outside
// the program's control (a resource, a file, a stream), so every length is
// checked against what is really there.
//
// Stored form, little-endian: a signed 32-bit count N, then N times a signed
// 32-bit size S and S bytes of one icon as an .ico file. S <= 0 is an empty
// slot with no bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// One entry: the bytes of an .ico file; empty for an empty slot.
using TIcoBytes = std::vector<uint8_t>;

// Throws Error when the stream is damaged: cut short, a negative count, more
// entries or bytes announced than are there, or bytes left over at the end.
// Entries are returned as stored; whether they hold icons is checked by
// ParseIcoFile when they are turned into icons.
std::vector<TIcoBytes> ReadIconListStream(std::span<const uint8_t> data);
std::vector<uint8_t> WriteIconListStream(const std::vector<TIcoBytes>& entries);

// One image of an .ico file, checked to lie inside the file.
struct TIcoImage {
    int width;
    int height;
    int bitCount; // 0 for a PNG image: its depth is inside the PNG
    bool png;
    size_t offset;
    size_t size;
};

// The images of an .ico file, or nothing when the bytes are not one: wrong
// header, a directory or image outside the file, or a bitmap image whose
// header announces more pixels than its bytes hold.
std::optional<std::vector<TIcoImage>> ParseIcoFile(std::span<const uint8_t> data);

// The image to show at a square size: that size with the most colours, else
// the nearest size, larger ones first among equals. images is never empty
// (ParseIcoFile gives at least one).
const TIcoImage& PickIcoImage(const std::vector<TIcoImage>& images, int size);

// A one-image .ico file of 32-bit pixels (0xAARRGGBB, top row first); the
// transparency mask follows alpha 0.
TIcoBytes MakeIcoFile(int width, int height, std::span<const uint32_t> pixels);
