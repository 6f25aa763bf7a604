// Down-scaling of a picture by its largest side before it is encoded.
#include "export/ScaledSize.h"
#include <gtest/gtest.h>

TEST(FitLargestSide, LimitsTheLargerSideAndKeepsTheProportion) {
    EXPECT_EQ(FitLargestSide({400, 100}, 200), (PictureSize{200, 50}));
    EXPECT_EQ(FitLargestSide({100, 400}, 200), (PictureSize{50, 200}));
    EXPECT_EQ(FitLargestSide({300, 300}, 200), (PictureSize{200, 200}));
    EXPECT_EQ(FitLargestSide({333, 100}, 200), (PictureSize{200, 60})); // 60.06 truncated
}

TEST(FitLargestSide, NoLimitOrAFittingPictureKeepsItsSize) {
    EXPECT_EQ(FitLargestSide({400, 100}, 0), (PictureSize{400, 100}));
    EXPECT_EQ(FitLargestSide({400, 100}, -5), (PictureSize{400, 100}));
    EXPECT_EQ(FitLargestSide({400, 100}, 400), (PictureSize{400, 100}));
    EXPECT_EQ(FitLargestSide({400, 100}, 1000), (PictureSize{400, 100}));
}

TEST(FitLargestSide, ExtremeProportionsStayAtLeastOnePixelAndDoNotOverflow) {
    EXPECT_EQ(FitLargestSide({1000, 1}, 10), (PictureSize{10, 1}));
    EXPECT_EQ(FitLargestSide({1, 1000}, 10), (PictureSize{1, 10}));
    EXPECT_EQ(FitLargestSide({60000, 50000}, 40000), (PictureSize{40000, 33333}));
}
