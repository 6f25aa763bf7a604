// The Dropper: the colour of the frozen picture under the cursor in several
// notations on the information panel; a click holds a colour, marked on the
// picture with a swatch, and a second click lets it go.
#pragma once

#include "info/ColorModels.h"
#include "tools/InfoTool.h"

class TDropper : public TInfoTool {
public:
    using TInfoTool::TInfoTool;

    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, TOverlayPoint p) override;
    void Paint() override;
    bool Marked() const override { return marked_; }

    TColorValue PickedColor() const { return pickedColor_; }

protected:
    void FollowCursor(TOverlayPoint cursor) override;
    // Holds or releases the colour as a left click does.
    void PointerButton(TOverlayPoint p, TShiftState shift) override;

private:
    // A 21 x 21 white square with a black outline around the point, and in
    // it an 11 x 11 square of the colour with a black outline.
    void DrawColorMarker(TOverlayPoint p, TColorValue color);
    TColorValue ColorAt(TOverlayPoint p) const;

    TOverlayPoint held_{}; // ToolRect's point while a colour is held
    TColorValue pickedColor_ = 0;
    bool marked_ = false;
};
