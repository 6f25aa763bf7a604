// The frame the zoom view draws around the Dropper's sample square: plain
// arithmetic over the view's enlargement, tested natively.
#pragma once

#include <cstdint>

// The frame's pixels in the view: the outline of this rectangle (right and
// bottom exclusive), drawn one pixel wide on its inside. None for one pixel.
struct TZoomFrame {
    bool shown = false;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const TZoomFrame&) const = default;
};

// A view of width x height enlarges the picture `scale` times (a usable
// scale) around the pointer's pixel; the frame runs on the view pixels just
// outside those that show the side x side square centred on that pixel, so
// every pixel of the square stays in sight.
TZoomFrame SampleFrame(std::int32_t width, std::int32_t height, std::int32_t scale, int side);
