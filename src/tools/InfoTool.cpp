#include "tools/InfoTool.h"
#include "framework/Input.h"
#include "shell/Settings.h"
#include "tools/PointerStep.h"
#include "tools/ToolActivation.h"
#include <optional>

std::optional<TArrowKey> ArrowOf(WORD key) {
    switch (key) {
    case VK_LEFT:
        return TArrowKey::Left;
    case VK_UP:
        return TArrowKey::Up;
    case VK_RIGHT:
        return TArrowKey::Right;
    case VK_DOWN:
        return TArrowKey::Down;
    default:
        return std::nullopt;
    }
}

namespace {
// When the message being handled happened, in the system's milliseconds.
DWORD MessageTime() {
    return static_cast<DWORD>(GetMessageTime());
}
} // namespace

std::wstring PairText(int64_t x, int64_t y) {
    return L"x: " + std::to_wstring(x) + L"\t y: " + std::to_wstring(y);
}

void TInfoTool::MouseMove(TShiftState, TOverlayPoint at) {
    // Each move is followed from its own place: the mouse always leads, also
    // onto a place the keys took the pointer through. One move only is not
    // the mouse's: Wine reports, once more, the place a key step left, from
    // no later than the step (as the position of the key's own event).
    const TScreenPoint p = Activation.ToScreen(at);
    if (keyStep_ && p == keyStep_->from &&
        static_cast<LONG>(MessageTime() - keyStep_->time) <= 0)
        return;
    // The system's own move for a key's step finds it shown already.
    if (shown_ != p) Follow(p);
}

void TInfoTool::Follow(TScreenPoint cursor) {
    shown_ = cursor;
    ShowCursorPosition(cursor);
    const TOverlayPoint onOverlay = Activation.ToOverlay(cursor);
    FollowCursor(onOverlay);
    UpdateZoom(onOverlay);
}

bool TInfoTool::PointerKeyDown(WORD& key, TShiftState shift) {
    const TShiftState modifiers = shift & (ssShift | ssCtrl | ssAlt);
    if (const auto arrow = ArrowOf(key); arrow && (modifiers & ~ssShift) == 0) {
        key = 0;
        const TScreenPoint from = shown_.value_or(Activation.PointerOnScreen());
        const TScreenPoint to =
            PointerStep(from, *arrow, modifiers == ssShift, Activation.Monitors());
        MovePointerTo(to);
        keyStep_ = TKeyStep{from, GetTickCount()};
        // Now, not at the move the system may send for it: the rows and the
        // figure follow every stroke of a held key.
        Follow(to);
        return true;
    }
    if ((key == VK_SPACE || key == VK_RETURN) && (modifiers & (ssCtrl | ssAlt)) == 0) {
        key = 0;
        // A held key is one press: its repeats would start and end lines,
        // hold and release colours, faster than anyone could follow.
        if (shift & ssRepeat) return true;
        const TOverlayPoint at =
            Activation.ToOverlay(shown_.value_or(Activation.PointerOnScreen()));
        PointerButton(at, modifiers);
        UpdateZoom(at); // what the button drew

        return true;
    }
    return false;
}

void TInfoTool::SetInfoValue(TInfoRow row, std::wstring_view text) {
    if (TInfoWin* panel = Activation.Panel()) panel->SetInfoValue(row, text);
}

void TInfoTool::ShowCursorPosition(TScreenPoint cursor) {
    SetInfoValue(irCursorPosition, PairText(cursor.x, cursor.y));
}

void TInfoTool::UpdateZoom(TOverlayPoint cursor) {
    if (TInfoWin* panel = Activation.Panel())
        panel->UpdateZoom(cursor, Activation.Canvas().Handle(), Activation.OverlaySize(),
                          Settings.InfoScale);
}

void TInfoTool::MenuCommand(TToolCommand command) {
    if (command != TToolCommand::ShowHideInfo) return TTool::MenuCommand(command);
    // mniShoHideInfoClick
    TInfoWin* panel = Activation.Panel();
    if (!panel) return;
    if (panel->Visible())
        panel->Hide();
    else
        panel->Show();
}

bool TInfoTool::InfoShown() const {
    const TInfoWin* panel = Activation.Panel();
    return panel && panel->Visible();
}
