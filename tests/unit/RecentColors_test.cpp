// The recent colours: what a stored text may hold, and a held colour going
// to the front.
#include "info/RecentColors.h"
#include <gtest/gtest.h>

TEST(RecentColors, ReadFromAnyTextNewestFirstNoneTwiceAtMostTen) {
    // Red is written first and kept in the value's lowest byte; entries that
    // are not six hex digits are skipped, a repeated one kept where it
    // first stands.
    EXPECT_EQ(RecentColorsFromText(L"FF8000,,GG0000,12345,1234567, 00FF00,0c2238,ff8000,"),
              (TRecentColors{0x0080FF, 0x38220C}));
    EXPECT_EQ(RecentColorsText({0x0080FF, 0x38220C}), L"FF8000,0C2238");
    EXPECT_EQ(RecentColorsFromText(L"000001,000002,000003,000004,000005,000006,000007,"
                                   L"000008,000009,00000A,00000B")
                  .back(),
              0x0A0000u);

    TRecentColors colors;
    for (std::uint32_t c = 1; c <= 10; ++c)
        AddRecentColor(colors, c);
    AddRecentColor(colors, 0xFF000004); // a pixel's unused top byte is no colour
    EXPECT_EQ(colors, (TRecentColors{4, 10, 9, 8, 7, 6, 5, 3, 2, 1}));
    AddRecentColor(colors, 11);
    EXPECT_EQ(colors, (TRecentColors{11, 4, 10, 9, 8, 7, 6, 5, 3, 2}));
}
