// The host form's side of a tool activation: its start and its end, the
// per-tool setup at every show, the base painting, and the one place where
// the overlay's input and menu commands go to the running tool.
#include "framework/Application.h"
#include "framework/GeometryWin.h"
#include "framework/Handle.h"
#include "framework/Input.h"
#include "shell/Host.h"

void TfrmHost::StartTool(int tool, bool fromMenu) {
    // Only tags 0 to 3 name a tool; -1 is the main tray icon's.
    if (!IsTool(tool) || life_.On(TLifeEvent::StartRequest) != TLifeAnswer::Capture) return;
    CurrentTool = tool;
    TActivationOwner& owner = *this;
    activation_ = std::make_unique<TToolActivation>(*this, owner, tool);
    try {
        // Let a tray menu that started the tool close before the screen is
        // copied; a second request queued behind this one finds a start
        // under way and is refused.
        BringToForeground();
        Application.ProcessMessages();
        // The windows below a closed menu repaint in their own processes, on
        // a busy machine later than ours: the picture must not hold the menu.
        if (fromMenu) WaitForTrayMenuToLeaveTheScreen();
        activation_->Freeze();
    } catch (...) {
        Report(TLifeEvent::StepFailed); // no picture, no activation
        throw;
    }
    Report(TLifeEvent::PictureTaken);
    try {
        // Placed, not maximised, over every monitor the picture holds:
        // Windows puts a maximised window on one monitor only.
        const TScreenRect screen = activation_->ScreenRect();
        SetWindowPos(Handle(), HWND_TOPMOST, static_cast<int>(screen.left),
                     static_cast<int>(screen.top), static_cast<int>(screen.Width()),
                     static_cast<int>(screen.Height()), SWP_NOACTIVATE);
        Show();
        // The picture first: the tray's images cost the shell's time, and
        // the user is waiting for the picture, not for them.
        Update();
        SetRunningToolIcons(tool);
        activation_->Start(pmnInfoWin, [this](TScreenPoint at) { PanelMouseMove(at); });
    } catch (...) {
        Report(TLifeEvent::StepFailed);
        throw;
    }
    // The shell calls behind the tray images let sent messages in, a loss
    // of activation among them: its end comes now.
    Report(TLifeEvent::FirstFrameShown);
}

void TfrmHost::Report(TLifeEvent event) {
    switch (life_.On(event)) {
    case TLifeAnswer::EndNow:
        EndActivation();
        break;
    case TLifeAnswer::Discard:
        activation_.reset();
        break;
    case TLifeAnswer::StepAside:
        // Behind every other window and no longer topmost, with the dialog
        // it owns, until the user comes back to it; the picture stays.
        SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    default:
        break;
    }
}

void TfrmHost::EndActivation() {
    std::unique_ptr<TToolActivation> ending = std::move(activation_);
    // Whatever fails on the way (the settings save may), the panel goes and
    // the tray shows no running tool again.
    ScopeExit restore([&] {
        GuardedCall([&] { ending->FreePanel(); });
        GuardedCall([&] { SetToolIcons(IconNormal, kAllTools); });
        ending.reset();
        life_.On(TLifeEvent::Ended);
    });
    ending->Stop();
    // FormHide saves the settings, the panel's place among them.
    ending->StorePanelPosition();
    Hide();
}

bool TfrmHost::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_HOTKEY:
        if (wParam < static_cast<WPARAM>(kToolCount)) StartTool(static_cast<int>(wParam));
        break;
    case WM_DISPLAYCHANGE:
        // A monitor came, went or changed its mode: the picture and the
        // overlay no longer match the screen, so the activation ends.
        Report(TLifeEvent::DisplayChange);
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

void TfrmHost::FormShow() {
    if (IsTool(CurrentTool)) ApplyToolSetup(kTools[CurrentTool]);
}

void TfrmHost::ApplyToolSetup(const TToolInfo& tool) {
    if (tool.Cursor != kToolChoosesCursor) SetCursor(tool.Cursor);
    Canvas().SetPen(tool.PenColor, tool.PenMode, tool.PenStyle);
    Canvas().SetBrush(clWhite, tool.BrushStyle);
    PopupMenu = tool.ContextMenuName ? &ToolMenus[CurrentTool] : nullptr;
}

// The overlay's client area begins at the virtual screen's corner: its
// points are the overlay's.
void TfrmHost::FormPaint() {
    WithTool([&](TTool& tool) {
        Canvas().CopyFrom(ClientRect(), activation_->Picture().DC(), 0, 0);
        tool.Paint();
    });
}

void TfrmHost::FormKeyDown(WORD& key, TShiftState shift) {
    WithTool([&](TTool& tool) { tool.KeyDown(key, shift); });
}

void TfrmHost::FormMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    WithTool([&](TTool& tool) { tool.MouseDown(button, shift, TOverlayPoint{x, y}); });
}

void TfrmHost::FormMouseMove(TShiftState shift, int x, int y) {
    WithTool([&](TTool& tool) { tool.MouseMove(shift, TOverlayPoint{x, y}); });
}

void TfrmHost::PanelMouseMove(TScreenPoint at) {
    WithTool([&](TTool& tool) { tool.MouseMove(ShiftStateNow(), activation_->ToOverlay(at)); });
}

void TfrmHost::FormMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    WithTool([&](TTool& tool) { tool.MouseUp(button, shift, TOverlayPoint{x, y}); });
}

std::optional<int> TfrmHost::CursorAt(POINT p) {
    std::optional<int> cursor;
    WithTool([&](TTool& tool) { cursor = tool.CursorAt(TOverlayPoint{p.x, p.y}); });
    return cursor;
}

void TfrmHost::ContextMenu(LPARAM lParam) {
    // The menu's loop lets messages in; the command chosen in it acts on the
    // activation the menu was opened over.
    if (ToolActive()) {
        TActivationHold hold(*this);
        TForm::ContextMenu(lParam);
    } else {
        TForm::ContextMenu(lParam);
    }
}

void TfrmHost::CreateToolMenus() {
    for (int tool = 0; tool < kToolCount; ++tool) {
        const TToolInfo& info = kTools[tool];
        TPopupMenu& menu = ToolMenus[tool];
        if (!info.ContextMenuName) continue;
        menu.Name = info.ContextMenuName;
        for (const TToolMenuItem& row : info.ContextMenu) {
            TMenuItem& item = menu.Add(row.name, row.caption, static_cast<int>(row.command));
            item.ShortCut = row.shortCut;
            item.OnClick = [this](TMenuItem& sender) {
                WithTool(
                    [&](TTool& tool) { tool.MenuCommand(static_cast<TToolCommand>(sender.Tag)); });
            };
        }
        // pmnScreenshotPopup, pmnMeasurerDropperPopup
        menu.OnPopup = [this](TPopupMenu& sender) {
            const bool shown = ToolActive() && activation_->Tool().InfoShown();
            for (const auto& item : sender.Items())
                if (item->Tag == static_cast<int>(TToolCommand::ShowHideInfo))
                    item->Caption = shown ? L"Hide &info" : L"Show &info";
        };
    }
}
