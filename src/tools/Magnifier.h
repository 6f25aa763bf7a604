// The Magnifier: a lens that follows the cursor over the frozen screen,
// enlarging the area around it, optionally with raised contrast.
#pragma once

#include "framework/Bitmap.h"
#include "tools/LensGeometry.h"
#include "tools/Tool.h"
#include <memory>
#include <vector>

// Working pictures kept from one lens move to the next, so a move allocates
// nothing unless the lens grew.
struct TLensPictures {
    std::vector<uint8_t> source;    // the source area, 32 bits a pixel
    std::unique_ptr<TBitmap> frame; // what goes to the screen, at least as large as needed
};

class TMagnifier : public TTool {
public:
    using TTool::TTool;
    ~TMagnifier() override;

    void Start() override;
    void Stop() override;
    // Any key but Shift or Ctrl on their own ends the Magnifier.
    void KeyDown(WORD& key, TShiftState shift) override;
    // Modified clicks change the factor or the lens size; a plain click ends.
    void MouseDown(TMouseButton button, TShiftState shift, TOverlayPoint p) override;
    void MouseMove(TShiftState shift, TOverlayPoint at) override;

    // Draws the lens for cursor position p on the overlay: restores what the
    // last lens covered and the new one does not, then the enlargement and
    // its outline.
    void DrawLens(TOverlayPoint p);
    // Draws the lens at the cursor's position.
    void RefreshLens();

    // The area the lens covered last, outline included; right and bottom exclusive.
    TOverlayRect LastLensRect{};

private:
    TLensPictures pictures_;
    bool idlePending_ = false;
};
