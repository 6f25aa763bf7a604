// The Measurer: a line with its dotted bounding frame drawn by exclusive-or
// while the left button is held, and its offsets, distance and angles in
// pixels, inches and millimetres on the information panel.
#pragma once

#include "info/UserLocale.h"
#include "tools/InfoTool.h"
#include "tools/Selection.h"
#include "tools/XorFrame.h"
#include <string>

class TMeasurer : public TInfoTool {
public:
    using TInfoTool::TInfoTool;

    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, TOverlayPoint p) override;
    void MouseUp(TMouseButton button, TShiftState shift, TOverlayPoint p) override;
    void Paint() override;

    // The line, from its start point to its end point.
    const TCorners& ToolRect() const { return toolRect_; }
    bool Dragging() const { return dragging_; }

protected:
    void FollowCursor(TOverlayPoint cursor) override;
    // The first press starts a line as the left button does, the second
    // ends it as the button's release does.
    void PointerButton(TOverlayPoint p, TShiftState shift) override;

private:
    // The figure of toolRect_: the dotted frame, then the line without its
    // end pixel, both by exclusive-or; drawn again, it is gone.
    void DrawMeasureFigure();
    void EndMeasurement();

    TCorners toolRect_;
    bool dragging_ = false;
    TDottedXorFrame frame_;
    // Read once for the activation: asking the system on every move cost
    // a registry read each time.
    const std::wstring decimalSeparator_ = UserDecimalSeparator();
};
