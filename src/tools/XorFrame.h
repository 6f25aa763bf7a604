// The dotted frame the Screenshot tool and the Measurer draw by exclusive-or:
// a one-pixel checkerboard outline in which the pixels with x + y odd are
// combined with silver and the others are left alone. Drawing the same frame
// twice restores the picture exactly, which is how it is erased.
#pragma once

#include "framework/Handle.h"
#include "tools/Selection.h"

class TDottedXorFrame {
public:
    TDottedXorFrame();
    // The outline of r, both edges included; r need not be normalised. Each
    // pixel of the outline is changed once, in screen coordinates of `dc`.
    void Draw(HDC dc, const TCorners& r) const;

private:
    UniqueBrush pattern_;
};
