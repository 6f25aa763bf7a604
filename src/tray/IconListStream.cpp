#include "tray/IconListStream.h"
#include "framework/Error.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tuple>

namespace {
constexpr wchar_t kDamagedList[] = L"The stored icon list is damaged.";

// Reads little-endian values from a buffer, refusing to go past its end.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}
    size_t Remaining() const { return data_.size() - pos_; }
    bool Read(void* out, size_t n) {
        if (n > Remaining()) return false;
        std::memcpy(out, data_.data() + pos_, n);
        pos_ += n;
        return true;
    }
    std::optional<int32_t> Int32() {
        uint8_t b[4];
        if (!Read(b, 4)) return std::nullopt;
        return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                    uint32_t(b[3]) << 24);
    }
    std::span<const uint8_t> Take(size_t n) {
        auto part = data_.subspan(pos_, n);
        pos_ += n;
        return part;
    }

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

uint16_t U16(std::span<const uint8_t> d, size_t at) {
    return uint16_t(d[at] | d[at + 1] << 8);
}
uint32_t U32(std::span<const uint8_t> d, size_t at) {
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 |
           uint32_t(d[at + 3]) << 24;
}
void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kIcoHeaderSize = 6;
constexpr size_t kIcoEntrySize = 16;
constexpr size_t kBitmapHeaderSize = 40;
constexpr int kLargestIcon = 256;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

size_t RowBytes(uint64_t width, uint64_t bits) {
    return size_t((width * bits + 31) / 32 * 4);
}

// A bitmap image: header, palette, colour rows and mask rows must all fit.
std::optional<TIcoImage> CheckBitmapImage(std::span<const uint8_t> image) {
    if (image.size() < kBitmapHeaderSize) return std::nullopt;
    const uint32_t headerSize = U32(image, 0);
    const int32_t width = int32_t(U32(image, 4));
    const int32_t doubleHeight = int32_t(U32(image, 8));
    const uint16_t planes = U16(image, 12);
    const uint16_t bits = U16(image, 14);
    const uint32_t compression = U32(image, 16);
    const uint32_t coloursUsed = U32(image, 32);
    // Colour rows and mask rows are stacked, so the header says twice the height.
    const int32_t height = doubleHeight / 2;
    if (headerSize < kBitmapHeaderSize || headerSize > image.size()) return std::nullopt;
    if (width <= 0 || width > kLargestIcon || height <= 0 || height > kLargestIcon)
        return std::nullopt;
    if (planes != 1) return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    if (compression != kBiRgb && !(compression == kBiBitfields && (bits == 16 || bits == 32)))
        return std::nullopt;
    uint64_t palette = 0;
    if (bits <= 8) palette = coloursUsed ? coloursUsed : (1u << bits);
    if (palette > 256) return std::nullopt;
    const uint64_t masks = compression == kBiBitfields && headerSize == kBitmapHeaderSize ? 12 : 0;
    const uint64_t needed = uint64_t(headerSize) + masks + palette * 4 +
                            uint64_t(RowBytes(width, bits)) * height +
                            uint64_t(RowBytes(width, 1)) * height;
    if (needed > image.size()) return std::nullopt;
    return TIcoImage{width, height, bits, false, 0, image.size()};
}
} // namespace

std::vector<TIcoBytes> ReadIconListStream(std::span<const uint8_t> data) {
    ByteReader reader(data);
    auto count = reader.Int32();
    // Every entry needs at least its size field, which bounds a sane count
    // before anything is reserved for it.
    if (!count || *count < 0 || uint64_t(*count) * 4 > reader.Remaining())
        throw Error(kDamagedList);
    std::vector<TIcoBytes> entries;
    entries.reserve(size_t(*count));
    for (int32_t i = 0; i < *count; ++i) {
        auto size = reader.Int32();
        if (!size) throw Error(kDamagedList);
        if (*size <= 0) {
            entries.emplace_back();
            continue;
        }
        if (size_t(*size) > reader.Remaining()) throw Error(kDamagedList);
        auto bytes = reader.Take(size_t(*size));
        entries.emplace_back(bytes.begin(), bytes.end());
    }
    if (reader.Remaining() != 0) throw Error(kDamagedList);
    return entries;
}

std::vector<uint8_t> WriteIconListStream(const std::vector<TIcoBytes>& entries) {
    std::vector<uint8_t> out;
    Put32(out, uint32_t(entries.size()));
    for (const TIcoBytes& entry : entries) {
        Put32(out, uint32_t(entry.size()));
        out.insert(out.end(), entry.begin(), entry.end());
    }
    return out;
}

std::optional<std::vector<TIcoImage>> ParseIcoFile(std::span<const uint8_t> data) {
    if (data.size() < kIcoHeaderSize) return std::nullopt;
    const uint16_t reserved = U16(data, 0), type = U16(data, 2), count = U16(data, 4);
    if (reserved != 0 || type != 1 || count == 0) return std::nullopt;
    if (kIcoHeaderSize + size_t(count) * kIcoEntrySize > data.size()) return std::nullopt;
    std::vector<TIcoImage> images;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = kIcoHeaderSize + i * kIcoEntrySize;
        const uint32_t size = U32(data, entry + 8), offset = U32(data, entry + 12);
        if (size == 0 || offset > data.size() || size > data.size() - offset) return std::nullopt;
        auto image = data.subspan(offset, size);
        std::optional<TIcoImage> checked;
        if (image.size() >= sizeof kPngSignature &&
            std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.begin())) {
            // The PNG decoder checks its own chunks; the size comes from the
            // directory, where 0 stands for 256.
            int w = data[entry] ? data[entry] : kLargestIcon;
            int h = data[entry + 1] ? data[entry + 1] : kLargestIcon;
            checked = TIcoImage{w, h, 0, true, 0, 0};
        } else {
            checked = CheckBitmapImage(image);
        }
        if (!checked) return std::nullopt;
        checked->offset = offset;
        checked->size = size;
        images.push_back(*checked);
    }
    return images;
}

const TIcoImage& PickIcoImage(const std::vector<TIcoImage>& images, int size) {
    auto rank = [size](const TIcoImage& image) {
        // Nearer sizes first, then larger ones, then more colours (PNG
        // images are true colour).
        const int depth = image.png ? 32 : image.bitCount;
        return std::make_tuple(std::abs(image.width - size), -image.width, -depth);
    };
    return *std::min_element(images.begin(), images.end(),
                             [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
}

TIcoBytes MakeIcoFile(int width, int height, std::span<const uint32_t> pixels) {
    const size_t maskRow = RowBytes(width, 1);
    const uint32_t imageSize =
        uint32_t(kBitmapHeaderSize + size_t(width) * height * 4 + maskRow * height);
    TIcoBytes out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(uint8_t(width % kLargestIcon));
    out.push_back(uint8_t(height % kLargestIcon));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, imageSize);
    Put32(out, uint32_t(kIcoHeaderSize + kIcoEntrySize));
    // The bitmap header, with the height doubled for the mask; rows bottom-up.
    Put32(out, kBitmapHeaderSize);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height * 2));
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x)
            Put32(out, pixels[size_t(y) * width + x]);
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskRow, 0);
        for (int x = 0; x < width; ++x)
            if ((pixels[size_t(y) * width + x] >> 24) == 0) row[x / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}
