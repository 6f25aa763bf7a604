// The state of a tool activation, shared by the host form and the tools.
#pragma once

#include "framework/Bitmap.h"
#include "info/InfoWin.h"
#include "shell/Settings.h"
#include <memory>

// Tool identifiers; tray icons and menu items carry them as tags, hot keys as
// their registration identifiers.
enum : int { kNoTool = -1, kMagnifier = 0, kScreenshot = 1, kMeasurer = 2, kDropper = 3 };
constexpr int kToolCount = 4;
constexpr unsigned kAllTools = 0b1111;
constexpr unsigned ToolBit(int tool) {
    return 1u << tool;
}
constexpr bool IsTool(int tool) {
    return tool >= 0 && tool < kToolCount;
}

// The desktop's own device context, for the one copy of the screen an
// activation takes.
class TDesktopCanvas {
public:
    TDesktopCanvas();
    HDC Handle() const { return dc_.get(); }

private:
    WindowDC dc_; // released after the canvas below lets go of it
    TCanvas canvas_;
};

// The tool of the current activation; keeps naming the last tool after it ends.
extern int CurrentTool;
// The frozen screen, larger than the screen by half a lens at the right and
// bottom (white there); exists only during an activation.
extern std::unique_ptr<TBitmap> ScreenBitmap;
extern std::unique_ptr<TDesktopCanvas> DesktopCanvas;
// The primary screen's size when the picture was taken; asking the system on
// every mouse move would cost more than drawing the lens.
extern SIZE FrozenScreenSize;
// The area the Magnifier's lens covered last, right and bottom exclusive.
extern RECT LastLensRect;
// The information panel of the Screenshot tool, the Measurer and the Dropper.
extern std::unique_ptr<TInfoWin> InfoWin;

// The settings that keep where a tool's information panel was left: the
// Screenshot tool's, the Measurer's and the Dropper's.
struct TPanelPositionSetting {
    int32_t TSettings::*x;
    int32_t TSettings::*y;
};
TPanelPositionSetting PanelPositionSetting(int tool);

// The largest margin the frozen picture gets beside the screen: half the
// largest lens side the Preferences dialog offers. Guards the picture's size
// against lens sizes no dialog can set.
constexpr int kMaxLensMargin = 800;
// Margin for a lens side: half of it, truncated, within 0..kMaxLensMargin.
int LensMargin(int lensSide);
