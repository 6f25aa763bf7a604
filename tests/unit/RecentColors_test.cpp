// The recent colours and their stored text: what a stored text may hold,
// and a held colour going to the front.
#include "info/RecentColors.h"
#include <gtest/gtest.h>

TEST(RecentColors, StoredTextsReadAsAListWhateverTheyHold) {
    struct Case {
        const wchar_t* text;
        TRecentColors expected;
    };
    const Case cases[] = {
        {L"", {}},
        // Red is written first, and kept in the value's lowest byte.
        {L"FF8000,0c2238", {0x0080FF, 0x38220C}},
        // Not six hex digits: skipped. Twice: kept where it first stands.
        {L"FF0000,,GG0000,12345,1234567, 00FF00,0000FF,ff0000,", {0x0000FF, 0xFF0000}},
        {L"000001,000002,000003,000004,000005,000006,000007,000008,000009,00000A,00000B",
         {0x010000, 0x020000, 0x030000, 0x040000, 0x050000, 0x060000, 0x070000, 0x080000, 0x090000,
          0x0A0000}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecentColorsFromText(c.text), c.expected) << c.text;
    EXPECT_EQ(RecentColorsText({0x0080FF, 0x38220C}), L"FF8000,0C2238");
    EXPECT_EQ(RecentColorsText({}), L"");
}

TEST(RecentColors, AHeldColourGoesToTheFrontOnceAndTheEleventhGoes) {
    TRecentColors colors;
    for (std::uint32_t c = 1; c <= 10; ++c)
        AddRecentColor(colors, c);
    EXPECT_EQ(colors, (TRecentColors{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    AddRecentColor(colors, 0xFF000004); // a pixel's unused top byte is no colour
    EXPECT_EQ(colors, (TRecentColors{4, 10, 9, 8, 7, 6, 5, 3, 2, 1}));
    AddRecentColor(colors, 11);
    EXPECT_EQ(colors, (TRecentColors{11, 4, 10, 9, 8, 7, 6, 5, 3, 2}));
}
