// Starting and ending a tool activation: the frozen copy of the screen, the
// host form over it, and the per-tool cursor, pen, brush and context menu.
#include "framework/Application.h"
#include "info/InfoWin.h"
#include "shell/Host.h"
#include "shell/Settings.h"
#include "tools/Activation.h"
#include "tools/Magnifier.h"
#include <algorithm>

int CurrentTool = kMagnifier;
std::unique_ptr<TBitmap> ScreenBitmap;
std::unique_ptr<TDesktopCanvas> DesktopCanvas;
SIZE FrozenScreenSize{};
RECT LastLensRect{};
std::unique_ptr<TInfoWin> InfoWin;

namespace {
// The desktop window's DC including its non-client area, from the cache.
constexpr DWORD kDesktopDCFlags = DCX_WINDOW | DCX_CACHE;

struct ToolSetup {
    int cursor; // for the Magnifier the MagnifierCursor setting decides
    COLORREF penColor;
    TPenMode penMode;
    TPenStyle penStyle;
    TBrushStyle brushStyle;
    TPopupMenu TfrmHost::*contextMenu; // nullptr: none
    uint32_t infoRows;                 // rows of the information panel; 0: no panel
};

constexpr ToolSetup kToolSetup[kToolCount] = {
    {crNone, clBlack, TPenMode::Copy, TPenStyle::Solid, TBrushStyle::Clear, nullptr, 0},
    {1, clSilver, TPenMode::Xor, TPenStyle::Dot, TBrushStyle::Clear, &TfrmHost::pmnScreenshot, 113},
    {2, clSilver, TPenMode::Xor, TPenStyle::Solid, TBrushStyle::Clear,
     &TfrmHost::pmnMeasurerDropper, 1935},
    {3, clBlack, TPenMode::Copy, TPenStyle::Solid, TBrushStyle::Solid,
     &TfrmHost::pmnMeasurerDropper, 260097},
};

// The MagnifierCursor setting: 0 no pointer, 1 arrow, 2 cross; other values
// leave the pointer as it was.
constexpr int kMagnifierCursors[] = {crNone, crArrow, crCross};

} // namespace

TDesktopCanvas::TDesktopCanvas() : dc_(GetDesktopWindow(), kDesktopDCFlags) {
    canvas_.Attach(dc_.get());
}

TPanelPositionSetting PanelPositionSetting(int tool) {
    switch (tool) {
    case kScreenshot:
        return {&TSettings::ScreenshotPosX, &TSettings::ScreenshotPosY};
    case kMeasurer:
        return {&TSettings::MeasurerPosX, &TSettings::MeasurerPosY};
    default:
        return {&TSettings::DropperPosX, &TSettings::DropperPosY};
    }
}

int LensMargin(int lensSide) {
    return std::clamp(lensSide / 2, 0, kMaxLensMargin);
}

void TfrmHost::StartTool(int tool) {
    // Only tags 0 to 3 name a tool; -1 is the main tray icon's.
    if (!IsTool(tool) || ToolActive) return;
    CurrentTool = tool;

    SetToolIcons(IconUnavailable, kAllTools & ~ToolBit(tool));
    SetToolIcons(IconActive, ToolBit(tool));

    // Let a tray menu that started the tool close before the screen is copied.
    BringToForeground();
    Application.ProcessMessages();

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    try {
        DesktopCanvas = std::make_unique<TDesktopCanvas>();
        ScreenBitmap = std::make_unique<TBitmap>();
        ScreenBitmap->SetSize(screenWidth + LensMargin(Settings.ZoomWidth),
                              screenHeight + LensMargin(Settings.ZoomHeight));
        ScreenBitmap->Canvas().CopyFrom({0, 0, screenWidth, screenHeight}, DesktopCanvas->Handle(),
                                        0, 0);
    } catch (...) {
        // No picture, no activation: put everything back as it was.
        DesktopCanvas.reset();
        ScreenBitmap.reset();
        SetToolIcons(IconNormal, kAllTools);
        throw;
    }
    FrozenScreenSize = {screenWidth, screenHeight};
    ToolActive = true;

    Show();

    if (tool == kMagnifier) {
        Application.OnIdle = [this] { IdleRefreshLens(); };
        POINT p{};
        GetCursorPos(&p);
        const int w = Settings.ZoomWidth, h = Settings.ZoomHeight;
        LastLensRect = {0, 0, w / 2, h / 2};
        OffsetRect(&LastLensRect, p.x - w / 4, p.y - h / 4);
    } else {
        InfoWin = std::make_unique<TInfoWin>(*this, pmnInfoWin, [this] { FormMouseMove(0, 0, 0); },
                                             kToolSetup[tool].infoRows);
        TPanelPositionSetting saved = PanelPositionSetting(tool);
        InfoWin->SetPosition({Settings.*saved.x, Settings.*saved.y}, FrozenScreenSize);
    }
}

void TfrmHost::IdleRefreshLens() {
    Application.OnIdle = nullptr;
    RefreshLens();
}

void TfrmHost::StopTool() {
    if (!ToolActive) return;
    ToolActive = false;
    DesktopCanvas.reset();
    ScreenBitmap.reset();
    ReleaseLensPictures();
    // FormHide reads the panel's position, so the panel must still exist.
    Hide();
    InfoWin.reset();
    SetToolIcons(IconNormal, kAllTools);
}

void TfrmHost::FormShow() {
    ToolRect = {0, 0, 0, 0};
    DragZone = THitZone::hzNone;
    Dragging = false;
    Marked = false;
    ApplyToolSetup();
}

void TfrmHost::ApplyToolSetup() {
    if (!IsTool(CurrentTool)) return;
    const ToolSetup& setup = kToolSetup[CurrentTool];
    if (CurrentTool == kMagnifier) {
        if (Settings.MagnifierCursor >= 0 && Settings.MagnifierCursor < 3)
            SetCursor(kMagnifierCursors[Settings.MagnifierCursor]);
    } else {
        SetCursor(setup.cursor);
    }
    Canvas().SetPen(setup.penColor, setup.penMode, setup.penStyle);
    Canvas().SetBrush(clWhite, setup.brushStyle);
    PopupMenu = setup.contextMenu ? &(this->*setup.contextMenu) : nullptr;
}

void TfrmHost::FormPaint() {
    if (!ScreenBitmap) return;
    Canvas().CopyFrom(ClientRect(), ScreenBitmap->DC(), 0, 0);
    if (Marked) PaintToolMarks();
}
