// The frame the zoom view draws around the Dropper's sample square: plain
// arithmetic over the view's enlargement, tested natively.
#pragma once

#include "framework/Geometry.h"
#include <cstdint>
#include <optional>

// A view of width x height enlarges the picture `scale` times (a usable
// scale) around the pointer's pixel; the frame runs on the view pixels just
// outside those that show the side x side square centred on that pixel, so
// every pixel of the square stays in sight: the outline of the rectangle
// answered, one pixel wide on its inside. None for one pixel.
std::optional<TRect> SampleFrame(std::int32_t width, std::int32_t height, std::int32_t scale,
                                 int side);
