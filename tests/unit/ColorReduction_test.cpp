// Reduction of pictures to 256 colours for GIF files.
#include "export/ColorReduction.h"
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

namespace {
int Channel(std::uint32_t c, int shift) {
    return static_cast<int>((c >> shift) & 0xFF);
}

int Distance(std::uint32_t a, std::uint32_t b) {
    int sum = 0;
    for (int shift : {0, 8, 16}) {
        const int d = Channel(a, shift) - Channel(b, shift);
        sum += d * d;
    }
    return sum;
}

// Every red-green combination in steps of 4 with a blue ramp: 4096 colours.
std::vector<std::uint32_t> Gradient() {
    std::vector<std::uint32_t> pixels;
    for (int r = 0; r < 256; r += 4)
        for (int g = 0; g < 256; g += 4)
            pixels.push_back(0xFF000000u | (r << 16) | (g << 8) | ((r + g) / 2));
    return pixels;
}
} // namespace

TEST(ReduceToIndexed, PictureWithAtMost256ColoursKeepsEveryPixelExactly) {
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < 256; ++i)
        pixels.push_back(0xFF000000u | (i * 0x010203u & 0xFFFFFFu));
    // Repeats and colours differing only in the unused top byte add no entry.
    pixels.push_back(0x00000000u);
    pixels.push_back(0x7F000000u | (255 * 0x010203u & 0xFFFFFFu));
    const IndexedPixels reduced = ReduceToIndexed(pixels);
    ASSERT_EQ(reduced.indices.size(), pixels.size());
    EXPECT_EQ(reduced.palette.size(), 256u);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        ASSERT_EQ(reduced.palette[reduced.indices[i]], pixels[i] & 0xFFFFFFu) << "pixel " << i;
}

TEST(ReduceToIndexed, EmptyAndSingleColourPictures) {
    EXPECT_TRUE(ReduceToIndexed({}).palette.empty());
    EXPECT_TRUE(ReduceToIndexed({}).indices.empty());
    const std::vector<std::uint32_t> one(10, 0xFF123456u);
    const IndexedPixels reduced = ReduceToIndexed(one);
    EXPECT_EQ(reduced.palette, std::vector<std::uint32_t>{0x123456u});
    EXPECT_EQ(reduced.indices, std::vector<std::uint8_t>(10, 0));
}

TEST(ReduceToIndexed, RichPictureGetsFullPaletteAndEachPixelItsNearestEntry) {
    const std::vector<std::uint32_t> pixels = Gradient();
    const IndexedPixels reduced = ReduceToIndexed(pixels);
    ASSERT_EQ(reduced.indices.size(), pixels.size());
    // A fine gradient has enough variance to use every entry, each distinct.
    EXPECT_EQ(reduced.palette.size(), 256u);
    EXPECT_EQ(std::set<std::uint32_t>(reduced.palette.begin(), reduced.palette.end()).size(),
              reduced.palette.size());
    double squaredError = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const int chosen = Distance(pixels[i], reduced.palette[reduced.indices[i]]);
        for (std::uint32_t entry : reduced.palette)
            ASSERT_LE(chosen, Distance(pixels[i], entry)) << "pixel " << i;
        squaredError += chosen;
    }
    // 256 well placed colours for a 2-D set of 4096 leave about 4 levels of
    // error per channel; a 6x6x6 cube leaves about 12, a poor palette far more.
    const double rms = std::sqrt(squaredError / pixels.size() / 3);
    EXPECT_LT(rms, 6.0);
}

TEST(QuantizeWu, FindsSeparatedClustersAsTheirMeanColours) {
    // Four clusters, each of many slightly different colours.
    const std::uint32_t centres[] = {0x202020u, 0xE02020u, 0x20E020u, 0x2020E0u};
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t centre : centres)
        for (int d = -3; d <= 3; ++d)
            for (int e = -3; e <= 3; ++e)
                pixels.push_back(centre + (d << 16) + (e << 8) + d + e);
    const std::vector<std::uint32_t> palette = QuantizeWu(pixels, 4);
    ASSERT_EQ(palette.size(), 4u);
    for (std::uint32_t centre : centres) {
        int best = 1 << 30;
        for (std::uint32_t entry : palette)
            best = std::min(best, Distance(centre, entry));
        EXPECT_LE(best, 3) << std::hex << centre;
    }
}

TEST(QuantizeWu, NeverReturnsMoreColoursThanAskedOrThanThereAre) {
    const std::vector<std::uint32_t> pixels = Gradient();
    for (std::size_t limit : {1u, 2u, 17u, 256u})
        EXPECT_LE(QuantizeWu(pixels, limit).size(), limit);
    const std::vector<std::uint32_t> two = {0x000000u, 0xFFFFFFu, 0x000000u};
    const std::vector<std::uint32_t> palette = QuantizeWu(two, 256);
    EXPECT_EQ(std::set<std::uint32_t>(palette.begin(), palette.end()),
              (std::set<std::uint32_t>{0x000000u, 0xFFFFFFu}));
}
