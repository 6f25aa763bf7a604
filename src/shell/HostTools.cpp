// The host form's side of a tool activation: its start and its end, the
// per-tool setup at every show, the base painting, and the one place where
// the overlay's input and menu commands go to the running tool.
#include "framework/Application.h"
#include "framework/Handle.h"
#include "framework/Input.h"
#include "shell/Host.h"

void TfrmHost::StartTool(int tool, bool fromMenu) {
    // Only tags 0 to 3 name a tool; -1 is the main tray icon's.
    if (!IsTool(tool) || activation_) return;
    CurrentTool = tool;
    // From here on a start is under way: a second request queued behind this
    // one (another hot key, a tray click) finds it and is ignored.
    activation_ = std::make_unique<TToolActivation>(*this, tool, [this] { StopTool(); });
    try {
        // Let a tray menu that started the tool close before the screen is
        // copied. A loss of activation handled meanwhile was the previous
        // activation's, and does not end this one.
        BringToForeground();
        Application.ProcessMessages();
        // The windows below a closed menu repaint in their own processes, on
        // a busy machine later than ours: the picture must not hold the menu.
        if (fromMenu) WaitForTrayMenuToLeaveTheScreen();
        activation_->Freeze();
    } catch (...) {
        // No picture, no activation.
        FreeAfterMessages(std::move(activation_));
        throw;
    }
    try {
        // The shell calls behind the tray images let sent messages in, a loss
        // of activation among them: its end waits until the start is done.
        activation_->Hold([&] {
            Show();
            // The picture first: the tray's images cost the shell's time, and
            // the user is waiting for the picture, not for them.
            Update();
            SetRunningToolIcons(tool);
            activation_->Start(pmnInfoWin, [this] { FormMouseMove(ShiftStateNow(), 0, 0); });
        });
    } catch (...) {
        StopTool();
        throw;
    }
}

void TfrmHost::StopTool() {
    if (!ToolActive()) return;
    // A dialog or a menu of the activation is open, or its start is under
    // way: the end comes when that step is over, so a save still writes the
    // picture the user selected and no second tool starts meanwhile.
    if (activation_->Held()) {
        activation_->EndWhenReleased();
        return;
    }
    // From here on no tool is active: a deactivation or a close arriving while
    // the form hides finds nothing to end.
    std::shared_ptr<TToolActivation> ending = std::move(activation_);
    // Whatever fails on the way (the settings save may), the panel goes and
    // the tray shows no running tool again.
    ScopeExit restore([&] {
        GuardedCall([&] { ending->FreePanel(); });
        GuardedCall([&] { SetToolIcons(IconNormal, kAllTools); });
        // A handler of the tool may still be running further up the stack.
        FreeAfterMessages(std::move(ending));
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
        StopTool();
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

void TfrmHost::GetMaximizedRect(RECT& rect) {
    // The overlay covers every monitor the picture holds.
    if (activation_ && activation_->Frozen()) {
        const TScreenRect& screen = activation_->ScreenRect();
        rect = {screen.left, screen.top, screen.right, screen.bottom};
    } else {
        rect = VirtualScreenRect();
    }
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

void TfrmHost::FormPaint() {
    if (!ToolActive()) return;
    Canvas().CopyFrom(ClientRect(), activation_->Picture().DC(), 0, 0);
    activation_->Tool().Paint();
}

void TfrmHost::FormKeyDown(WORD& key, TShiftState shift) {
    if (ToolActive()) activation_->Tool().KeyDown(key, shift);
}

void TfrmHost::FormMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (ToolActive()) activation_->Tool().MouseDown(button, shift, {x, y});
}

void TfrmHost::FormMouseMove(TShiftState shift, int, int) {
    if (ToolActive()) activation_->Tool().MouseMove(shift);
}

void TfrmHost::FormMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (ToolActive()) activation_->Tool().MouseUp(button, shift, {x, y});
}

std::optional<int> TfrmHost::CursorAt(POINT p) {
    return ToolActive() ? activation_->Tool().CursorAt(p) : std::nullopt;
}

void TfrmHost::ContextMenu(LPARAM lParam) {
    // The menu's loop lets messages in; the command chosen in it acts on the
    // activation the menu was opened over.
    if (ToolActive())
        activation_->Hold([&] { TForm::ContextMenu(lParam); });
    else
        TForm::ContextMenu(lParam);
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
                if (ToolActive())
                    activation_->Tool().MenuCommand(static_cast<TToolCommand>(sender.Tag));
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
