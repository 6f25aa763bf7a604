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

std::wstring PairText(int64_t x, int64_t y) {
    return L"x: " + std::to_wstring(x) + L"\t y: " + std::to_wstring(y);
}

void TInfoTool::MouseMove(TShiftState) {
    const TScreenPoint p = KeyOrMousePointer();
    // The system may send more than one move for its pointer's one.
    if (keyStepShown_ && !keyTrail_.empty() && p == keyTrail_.back()) return;
    keyStepShown_ = false;
    Follow(p);
}

void TInfoTool::Follow(TScreenPoint cursor) {
    ShowCursorPosition(cursor);
    const TOverlayPoint onOverlay = Activation.ToOverlay(cursor);
    FollowCursor(onOverlay);
    UpdateZoom(onOverlay);
}

TScreenPoint TInfoTool::KeyOrMousePointer() {
    const TScreenPoint now = Activation.PointerOnScreen();
    if (keyTrail_.empty()) return now;
    for (const TScreenPoint& p : keyTrail_)
        if (p == now) return keyTrail_.back();
    keyTrail_.clear();
    return now;
}

bool TInfoTool::PointerKeyDown(WORD& key, TShiftState shift) {
    const TShiftState modifiers = shift & (ssShift | ssCtrl | ssAlt);
    if (const auto arrow = ArrowOf(key); arrow && (modifiers & ~ssShift) == 0) {
        key = 0;
        // Right after a step nothing else has moved the pointer: a mouse
        // move before this key would have been handled first and ended the
        // trail. So a held key asks the system only once.
        const TScreenPoint from =
            keyStepShown_ && !keyTrail_.empty() ? keyTrail_.back() : KeyOrMousePointer();
        const TScreenPoint to =
            PointerStep(from, *arrow, modifiers == ssShift, Activation.ScreenRect());
        // A trail as long as a held key's run of a few seconds.
        constexpr size_t kLongestTrail = 256;
        if (keyTrail_.empty() || keyTrail_.size() >= kLongestTrail) keyTrail_.assign(1, from);
        keyTrail_.push_back(to);
        MovePointerTo(to);
        // Now, not at the move the system may send for it: the rows and the
        // figure follow every stroke of a held key. That move, if it comes,
        // finds everything where it already is.
        Follow(to);
        keyStepShown_ = true;
        return true;
    }
    if ((key == VK_SPACE || key == VK_RETURN) && (modifiers & (ssCtrl | ssAlt)) == 0) {
        key = 0;
        // A held key is one press: its repeats would start and end lines,
        // hold and release colours, faster than anyone could follow.
        if (shift & ssRepeat) return true;
        const TOverlayPoint at = Activation.ToOverlay(KeyOrMousePointer());
        // What the button draws must reach the zoom view at the next move.
        keyStepShown_ = false;
        PointerButton(at, modifiers);
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
