// Mouse and keyboard of the host form during an activation, dispatched on the
// tool that runs.
#include "shell/Host.h"
#include "tools/Activation.h"
#include "tools/Magnifier.h"
#include "tools/PanelTool.h"

void TfrmHost::FormKeyDown(WORD& key, TShiftState) {
    if (!ToolActive) return;
    if (CurrentTool == kMagnifier) {
        MagnifierKeyDown(key);
        return;
    }
    if (key == VK_ESCAPE) {
        key = 0;
        StopTool();
    }
}

void TfrmHost::FormMouseDown(TMouseButton button, TShiftState shift, int, int) {
    if (!ToolActive) return;
    if (CurrentTool == kMagnifier) MagnifierMouseDown(button, shift);
}

void TfrmHost::FormMouseMove(TShiftState, int, int) {
    if (ToolActive && CurrentTool == kMagnifier) RefreshLens();
    if (ToolActive && InfoWin) ShowCursorOnPanel(*InfoWin, Canvas().Handle(), FrozenScreenSize);
}

void TfrmHost::FormMouseUp(TMouseButton, TShiftState, int, int) {}

// The marks a tool keeps over the frozen picture (a selection, a colour
// marker) are drawn again after every repaint of it.
void TfrmHost::PaintToolMarks() {}
