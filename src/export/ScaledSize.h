// The size a picture is reduced to so that its larger side fits a limit.
#pragma once

struct PictureSize {
    int width;
    int height;
    bool operator==(const PictureSize&) const = default;
};

// The picture's own size when the limit is 0 (or negative) or both sides
// already fit; otherwise the larger side becomes the limit and the other
// shrinks in proportion, truncated, but never below one pixel.
PictureSize FitLargestSide(PictureSize size, int largestSide);
