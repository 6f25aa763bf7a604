// What the Screenshot tool, the Measurer and the Dropper share: the
// information panel, its place in their context menus, and the panel rows
// that follow the cursor.
#pragma once

#include "info/InfoRows.h"
#include "tools/PointerStep.h"
#include "tools/Tool.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TInfoTool : public TTool {
public:
    using TTool::TTool;
    // Row 0 and the zoom view follow the cursor, over the panel too; the
    // tool's own work comes between, so the zoom view shows what it drew.
    void MouseMove(TShiftState shift, TOverlayPoint at) final;
    void MenuCommand(TToolCommand command) override;
    bool InfoShown() const override;

protected:
    // The pointer moved to `cursor`, like the points of the mouse handlers.
    virtual void FollowCursor(TOverlayPoint /*cursor*/) {}
    // The Measurer's and the Dropper's keys for a hand that cannot drag or
    // stop on a pixel: an arrow moves the pointer by one physical pixel, ten
    // with Shift, and the tool follows as after a mouse move there; Space
    // and Enter are the left button at the pointer (PointerButton). True
    // when the stroke was one of them; it is then handled.
    bool PointerKeyDown(WORD& key, TShiftState shift);
    // Space or Enter at `p`: what the tool's left button does there.
    virtual void PointerButton(TOverlayPoint /*p*/, TShiftState /*shift*/) {}

    void SetInfoValue(TInfoRow row, std::wstring_view text);
    // Row 0 shows the cursor's position on the screen.
    void ShowCursorPosition(TScreenPoint cursor);
    // The zoom view shows the overlay around the cursor as it is now.
    void UpdateZoom(TOverlayPoint cursor);

private:
    // The pointer at `cursor`: the rows, the tool and the zoom view follow.
    void Follow(TScreenPoint cursor);
    // Where the pointer is as the tool shows it: the last mouse move's
    // place or the last key step's; nothing before the first of them.
    std::optional<TScreenPoint> shown_;
    // Where the last key step took the pointer from, and when (in the
    // system's milliseconds).
    struct TKeyStep {
        TScreenPoint from;
        DWORD time;
    };
    std::optional<TKeyStep> keyStep_;
};

// The arrow a key is, if it is one.
std::optional<TArrowKey> ArrowOf(WORD key);

// "x: %d\t y: %d", the panel's way of showing two numbers.
std::wstring PairText(int64_t x, int64_t y);
