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
    const POINT p = Pointer();
    // The system may send more than one move for its pointer's one.
    if (keyStepShown_ && !keyTrail_.empty() && p.x == keyTrail_.back().x &&
        p.y == keyTrail_.back().y)
        return;
    keyStepShown_ = false;
    Follow(p);
}

void TInfoTool::Follow(POINT cursor) {
    ShowCursorPosition(cursor);
    const POINT onOverlay = Activation.ToOverlay(cursor);
    FollowCursor(onOverlay);
    UpdateZoom(onOverlay);
}

POINT TInfoTool::Pointer() {
    const POINT now = CursorPosition();
    if (keyTrail_.empty()) return now;
    for (const POINT& p : keyTrail_)
        if (p.x == now.x && p.y == now.y) return keyTrail_.back();
    keyTrail_.clear();
    return now;
}

bool TInfoTool::PointerKeyDown(WORD& key, TShiftState shift) {
    const TShiftState modifiers = shift & (ssShift | ssCtrl | ssAlt);
    if (const auto arrow = ArrowOf(key); arrow && (modifiers & ~ssShift) == 0) {
        key = 0;
        const TScreenRect& screen = Activation.ScreenRect();
        // Right after a step nothing else has moved the pointer: a mouse
        // move before this key would have been handled first and ended the
        // trail. So a held key asks the system only once.
        const POINT from = keyStepShown_ && !keyTrail_.empty() ? keyTrail_.back() : Pointer();
        const TToolPoint to = PointerStep({from.x, from.y}, *arrow, modifiers == ssShift,
                                          {screen.left, screen.top, screen.Width(), screen.Height()});
        // A trail as long as a held key's run of a few seconds.
        constexpr size_t kLongestTrail = 256;
        if (keyTrail_.empty() || keyTrail_.size() >= kLongestTrail) keyTrail_.assign(1, from);
        keyTrail_.push_back({to.x, to.y});
        SetCursorPosition({to.x, to.y});
        // Now, not at the move the system may send for it: the rows and the
        // figure follow every stroke of a held key. That move, if it comes,
        // finds everything where it already is.
        Follow({to.x, to.y});
        keyStepShown_ = true;
        return true;
    }
    if ((key == VK_SPACE || key == VK_RETURN) && (modifiers & (ssCtrl | ssAlt)) == 0) {
        key = 0;
        // A held key is one press: its repeats would start and end lines,
        // hold and release colours, faster than anyone could follow.
        if (shift & ssRepeat) return true;
        const POINT at = Activation.ToOverlay(Pointer());
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

void TInfoTool::ShowCursorPosition(POINT cursor) {
    SetInfoValue(irCursorPosition, PairText(cursor.x, cursor.y));
}

void TInfoTool::UpdateZoom(POINT cursor) {
    if (TInfoWin* panel = Activation.Panel())
        panel->UpdateZoom(cursor.x, cursor.y, Activation.Canvas().Handle(), Activation.ScreenSize(),
                          Settings.InfoScale, ZoomFrameSide());
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
