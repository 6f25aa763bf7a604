// The Screenshot tool: a rectangle marked on the frozen screen with the mouse
// and the arrow keys, copied to the clipboard or saved to a file; without a
// selection the same commands take the whole screen.
#pragma once

#include "tools/InfoTool.h"
#include "tools/Selection.h"
#include "tools/XorFrame.h"

class TScreenshot : public TInfoTool {
public:
    using TInfoTool::TInfoTool;

    void Start() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, TOverlayPoint p) override;
    void MouseUp(TMouseButton button, TShiftState shift, TOverlayPoint p) override;
    void Paint() override;
    std::optional<int> CursorAt(TOverlayPoint p) override;
    void MenuCommand(TToolCommand command) override;
    bool Marked() const override { return marked_; }

    const TCorners& ToolRect() const { return toolRect_; }

protected:
    void FollowCursor(TOverlayPoint cursor) override;

private:
    void Press(TOverlayPoint p);
    void Release();
    // Draws or erases the selection's frame, whichever it is now.
    void ToggleFrame();
    void ShowSelectionRows();
    void mniCopyClick();
    void mniSaveClick();
    // The selection when there is one and `selection` asks for it, else the
    // whole screen.
    TOverlayRect Exported(bool selection) const;

    TCorners toolRect_;        // ToolRect
    TCorners pressRect_;       // PressRect
    TOverlayPoint dragAnchor_; // DragAnchor
    THitZone dragZone_ = hzNone;
    bool dragging_ = false;
    bool marked_ = false;
    // The frame of toolRect_ is on the overlay now; a repaint draws it again,
    // also during a first drag, so no stray frame is ever left behind.
    bool frameShown_ = false;
    TDottedXorFrame frame_;
};
