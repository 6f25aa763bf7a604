// The stored icon list and the .ico checks: round trips, empty slots, and
// damaged bytes that must give an error or an empty slot, never a read past
// the buffer.
#include "framework/Error.h"
#include "tray/IconListStream.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
using Bytes = std::vector<uint8_t>;

Bytes Int32(int32_t v) {
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(uint32_t(v) >> 24)};
}
Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A 16 x 16 icon: opaque red with a transparent top-left pixel.
TIcoBytes RedIcon(int size = 16) {
    std::vector<uint32_t> pixels(size * size, 0xFFFF0000);
    pixels[0] = 0;
    return MakeIcoFile(size, size, pixels);
}

void ExpectDamaged(const Bytes& data) {
    EXPECT_THROW(ReadIconListStream(data), Error) << "bytes: " << data.size();
}
} // namespace

TEST(IconListStream, RoundTripKeepsEntriesAndEmptySlots) {
    const std::vector<TIcoBytes> list{RedIcon(), {}, RedIcon(32)};
    const Bytes stored = WriteIconListStream(list);
    // count, then size and bytes per entry; an empty slot is a size of 0
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 8),
              Cat({Int32(3), Int32(int32_t(list[0].size()))}));
    EXPECT_EQ(ReadIconListStream(stored), list);
    EXPECT_EQ(WriteIconListStream({}), Int32(0));
    EXPECT_TRUE(ReadIconListStream(Int32(0)).empty());
}

TEST(IconListStream, NegativeSizeIsAnEmptySlotWithoutBytes) {
    const auto list = ReadIconListStream(Cat({Int32(2), Int32(-5), Int32(2), {7, 8}}));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0].empty());
    EXPECT_EQ(list[1], (Bytes{7, 8}));
}

TEST(IconListStream, DamagedStreamsAreRefused) {
    ExpectDamaged({});
    ExpectDamaged({1, 0});                                  // count cut short
    ExpectDamaged(Int32(-1));                               // negative count
    ExpectDamaged(Cat({Int32(0x7FFFFFFF), Int32(0)}));      // huge count
    ExpectDamaged(Cat({Int32(1)}));                         // size missing
    ExpectDamaged(Cat({Int32(1), {4, 0}}));                 // size cut short
    ExpectDamaged(Cat({Int32(1), Int32(10), {1, 2, 3}}));   // fewer bytes than announced
    ExpectDamaged(Cat({Int32(1), Int32(0x7FFFFFFF), {1}})); // absurd size
    ExpectDamaged(Cat({Int32(1), Int32(1), {1}, {9}}));     // bytes left over
}

TEST(IcoFile, OwnIconsParseAndPickTheNearestSize) {
    const TIcoBytes ico = RedIcon();
    auto images = ParseIcoFile(ico);
    ASSERT_TRUE(images);
    ASSERT_EQ(images->size(), 1u);
    EXPECT_EQ((*images)[0].width, 16);
    EXPECT_EQ((*images)[0].bitCount, 32);
    EXPECT_EQ((*images)[0].offset + (*images)[0].size, ico.size());

    std::vector<TIcoImage> choice{{32, 32, 32, false, 0, 1},
                                  {16, 16, 4, false, 0, 1},
                                  {16, 16, 32, false, 0, 1},
                                  {48, 48, 32, false, 0, 1}};
    EXPECT_EQ(&PickIcoImage(choice, 16), &choice[2]);
    EXPECT_EQ(&PickIcoImage(choice, 40), &choice[3]); // 48 is as near as 32; larger wins
    EXPECT_EQ(&PickIcoImage(choice, 100), &choice[3]);
}

TEST(IcoFile, BytesThatAreNoIconAreRefused) {
    const TIcoBytes good = RedIcon();
    auto with = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        TIcoBytes bad = good;
        std::copy(bytes.begin(), bytes.end(), bad.begin() + at);
        return bad;
    };
    EXPECT_FALSE(ParseIcoFile(Bytes{}));
    EXPECT_FALSE(ParseIcoFile(Bytes{'B', 'M', 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(ParseIcoFile(with(2, {2})));                       // a cursor, not an icon
    EXPECT_FALSE(ParseIcoFile(with(4, {0})));                       // no images
    EXPECT_FALSE(ParseIcoFile(with(4, {200})));                     // directory past the end
    EXPECT_FALSE(ParseIcoFile(with(14, {0xFF, 0xFF, 0, 0})));       // image past the end
    EXPECT_FALSE(ParseIcoFile(with(18, {0xF0, 0xFF, 0xFF, 0xFF}))); // offset wraps around
    EXPECT_FALSE(ParseIcoFile(with(22 + 4, {0, 1}))); // 256 wide: more pixels than bytes
    EXPECT_FALSE(ParseIcoFile(with(22 + 14, {7})));   // 7 bits per pixel
    EXPECT_FALSE(ParseIcoFile(TIcoBytes(good.begin(), good.end() - 1))); // mask cut short
    // A PNG image is left to the PNG decoder once it lies inside the file.
    auto png = ParseIcoFile(with(22, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    ASSERT_TRUE(png);
    EXPECT_TRUE((*png)[0].png);
}

#ifndef _WIN32
#include <unistd.h>

// icoutils' icotool is an independent reader of the files the list stores.
TEST(IcoFile, IcotoolReadsWhatWeWrite) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("iconlist-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto list = ReadIconListStream(WriteIconListStream({RedIcon(16), RedIcon(32)}));
    std::string listing;
    for (size_t i = 0; i < list.size(); ++i) {
        const auto path = dir / ("entry" + std::to_string(i) + ".ico");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(list[i].data()), std::streamsize(list[i].size()));
        FILE* p = popen(("icotool -l '" + path.string() + "' 2>&1").c_str(), "r");
        ASSERT_NE(p, nullptr);
        char line[256];
        while (fgets(line, sizeof line, p))
            listing += line;
        ASSERT_EQ(pclose(p), 0) << listing;
    }
    std::filesystem::remove_all(dir);
    EXPECT_NE(listing.find("--width=16 --height=16 --bit-depth=32"), std::string::npos) << listing;
    EXPECT_NE(listing.find("--width=32 --height=32 --bit-depth=32"), std::string::npos) << listing;
}
#endif
