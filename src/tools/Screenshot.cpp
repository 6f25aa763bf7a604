#include "tools/Screenshot.h"
#include "export/ScreenExport.h"
#include "framework/Application.h"
#include "framework/Input.h"
#include "tools/ToolActivation.h"

namespace {
// The pointer over each zone of a selection.
int ZoneCursor(THitZone zone) {
    switch (zone) {
    case hzInside:
        return crSizeAll;
    case hzTopLeft:
    case hzBottomRight:
        return crSizeNWSE;
    case hzTop:
    case hzBottom:
        return crSizeNS;
    case hzTopRight:
    case hzBottomLeft:
        return crSizeNESW;
    case hzLeft:
    case hzRight:
        return crSizeWE;
    case hzNone:
        break;
    }
    return crDefault;
}
} // namespace

TOverlayRect TScreenshot::Exported(bool selection) const {
    const SIZE screen = Activation.OverlaySize();
    return ExportRect(toolRect_, selection && marked_, screen.cx, screen.cy);
}

void TScreenshot::Start() {
    // Nothing is selected: the rows read the screen's origin, zeros on
    // every layout of monitors.
    const TOverlayPoint origin = Activation.ToOverlay(TScreenPoint{0, 0});
    toolRect_ = pressRect_ = {origin, origin};
}

void TScreenshot::ToggleFrame() {
    frame_.Draw(Activation.Canvas().Handle(), toolRect_);
    frameShown_ = !frameShown_;
}

void TScreenshot::ShowSelectionRows() {
    const TCorners& r = toolRect_;
    // The user reads screen coordinates.
    const TScreenPoint first = Activation.ToScreen(r.first), last = Activation.ToScreen(r.last);
    SetInfoValue(irSelectionStart, PairText(first.x, first.y));
    SetInfoValue(irSelectionEnd, PairText(last.x, last.y));
    SetInfoValue(irSelectionSize, PairText(std::abs(int64_t{r.last.x} - r.first.x),
                                           std::abs(int64_t{r.last.y} - r.first.y)));
}

void TScreenshot::MouseDown(TMouseButton button, TShiftState, TOverlayPoint p) {
    if (button != TMouseButton::mbLeft) {
        // A second button during a drag ends the drag as its release would;
        // the right button then opens the menu, which takes the mouse.
        if (dragging_) Release();
        dragZone_ = hzNone;
        pressRect_ = toolRect_;
        return;
    }
    Press(p);
}

void TScreenshot::Press(TOverlayPoint p) {
    if (dragging_) Release(); // a press the last release never reached
    // Where the button went down, which the pointer may have left by the
    // time the press is handled.
    dragZone_ = HitTest(toolRect_, p);
    if (dragZone_ == hzNone) {
        // A new selection: the old frame goes at once.
        if (frameShown_) ToggleFrame();
        toolRect_ = {p, p};
        frameShown_ = true; // the frame of a point is no pixel at all
    }
    dragAnchor_ = p;
    dragging_ = true;
    pressRect_ = toolRect_;
    // The release must come here, also when it happens over the panel.
    Activation.CaptureMouse(true);
}

void TScreenshot::FollowCursor(TOverlayPoint cursor) {
    if (dragging_) {
        if (frameShown_) ToggleFrame();
        const SIZE screen = Activation.OverlaySize();
        toolRect_ = DragRect(pressRect_, dragZone_, dragAnchor_, cursor, screen.cx, screen.cy);
        ToggleFrame();
    }
    ShowSelectionRows();
}

void TScreenshot::MouseUp(TMouseButton button, TShiftState, TOverlayPoint) {
    if (button == TMouseButton::mbLeft && dragging_) Release();
}

void TScreenshot::Release() {
    toolRect_ = Normalized(toolRect_);
    marked_ = dragging_ && IsSelection(toolRect_);
    if (!marked_) {
        // Nothing selected: no frame stays, not even the two pixels of a
        // rectangle without width.
        if (frameShown_) ToggleFrame();
        for (TInfoRow row : {irSelectionStart, irSelectionEnd, irSelectionSize})
            SetInfoValue(row, L"");
    }
    dragging_ = false;
    pressRect_ = toolRect_;
    Activation.CaptureMouse(false);
}

void TScreenshot::KeyDown(WORD& key, TShiftState shift) {
    const TShiftState modifiers = shift & (ssShift | ssCtrl | ssAlt);
    if (const auto arrow = ArrowOf(key)) {
        key = 0;
        // Keys while dragging would fight the mouse over the same rectangle.
        if (!marked_ || dragging_) return;
        ToggleFrame();
        const SIZE screen = Activation.OverlaySize();
        if (modifiers == 0 || modifiers == ssShift)
            toolRect_ = ArrowKeyRect(toolRect_, *arrow, modifiers == ssShift, screen.cx, screen.cy);
        pressRect_ = toolRect_;
        ToggleFrame();
        ShowSelectionRows();
        UpdateZoom(Activation.PointerOnOverlay());
        return;
    }
    if ((key == 'C' || key == VK_INSERT) && modifiers == ssAlt) {
        key = 0;
        if (marked_)
            mniCopyClick();
        else
            Beep();
        return;
    }
    if (key == VK_INSERT && modifiers == ssCtrl) {
        key = 0;
        CopyScreenRect(Activation.Picture(), Exported(false));
        return;
    }
    if (key == 'S' && modifiers == ssAlt) {
        key = 0;
        if (marked_)
            mniSaveClick();
        else
            Beep();
        return;
    }
    TInfoTool::KeyDown(key, shift);
}

void TScreenshot::mniCopyClick() {
    CopyScreenRect(Activation.Picture(), Exported(true));
}

void TScreenshot::mniSaveClick() {
    // The dialog may stay open while another program takes the foreground:
    // the activation, and with it the picture and the selection, lives until
    // the file is written.
    const TOverlayRect exported = Exported(true);
    Activation.Hold(
        [&] { SaveScreenRect(Activation.OverlayWindow(), Activation.Picture(), exported); });
}

void TScreenshot::MenuCommand(TToolCommand command) {
    switch (command) {
    case TToolCommand::Copy:
        mniCopyClick();
        break;
    case TToolCommand::Save:
        mniSaveClick();
        break;
    default:
        TInfoTool::MenuCommand(command);
        break;
    }
}

void TScreenshot::Paint() {
    // The repaint put the frozen picture back over the frame.
    if (frameShown_) frame_.Draw(Activation.Canvas().Handle(), toolRect_);
}

std::optional<int> TScreenshot::CursorAt(TOverlayPoint p) {
    if (!marked_) return std::nullopt;
    const THitZone zone = HitTest(toolRect_, p);
    if (zone == hzNone) return std::nullopt;
    return ZoneCursor(zone);
}
