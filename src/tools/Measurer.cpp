#include "tools/Measurer.h"
#include "shell/Settings.h"
#include "tools/Measure.h"
#include "tools/ToolActivation.h"

void TMeasurer::DrawMeasureFigure() {
    TCanvas& canvas = Activation.Canvas();
    frame_.Draw(canvas.Handle(), toolRect_);
    // The overlay's pen is silver with the exclusive-or mix; a line leaves
    // out its end pixel, and a pixel it shares with the frame changes twice.
    canvas.MoveTo(toolRect_.first.x, toolRect_.first.y);
    canvas.LineTo(toolRect_.last.x, toolRect_.last.y);
}

void TMeasurer::MouseDown(TMouseButton button, TShiftState, TOverlayPoint p) {
    if (dragging_) EndMeasurement();            // any second press: no figure may stay behind
    if (button != TMouseButton::mbLeft) return; // the right button opens the menu
    toolRect_ = {p, p};
    DrawMeasureFigure();
    dragging_ = true;
    // The release must come here, also when it happens over the panel.
    Activation.CaptureMouse(true);
}

void TMeasurer::KeyDown(WORD& key, TShiftState shift) {
    if (!PointerKeyDown(key, shift)) TInfoTool::KeyDown(key, shift);
}

void TMeasurer::PointerButton(TOverlayPoint p, TShiftState shift) {
    if (dragging_)
        MouseUp(TMouseButton::mbLeft, shift, p);
    else
        MouseDown(TMouseButton::mbLeft, shift, p);
}

void TMeasurer::FollowCursor(TOverlayPoint cursor) {
    if (!dragging_) return;
    DrawMeasureFigure();
    toolRect_.last = cursor;
    DrawMeasureFigure();
    const auto texts = MeasureRowTexts(toolRect_, Settings.DPI, decimalSeparator_);
    for (size_t i = 0; i < texts.size(); ++i)
        SetInfoValue(static_cast<TInfoRow>(kMeasureRows[i]), texts[i]);
}

void TMeasurer::MouseUp(TMouseButton button, TShiftState, TOverlayPoint) {
    if (button == TMouseButton::mbLeft && dragging_) EndMeasurement();
}

void TMeasurer::EndMeasurement() {
    DrawMeasureFigure(); // off again; the rows keep their values
    dragging_ = false;
    Activation.CaptureMouse(false);
}

void TMeasurer::Paint() {
    // The repaint put the frozen picture over the figure of a measurement
    // under way; the next move erases it, so it must be there.
    if (dragging_) DrawMeasureFigure();
}
