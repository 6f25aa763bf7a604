// What the program's own controls do with the mouse: a cursor, moves, a
// click (press and release over the control, with the mouse captured between)
// and the context menu. TControl and TLabel both take their mouse messages here.
#pragma once

#include "framework/Geometry.h"
#include <windows.h>
#include <functional>

class TControlInput {
public:
    // A cursor number of the application's table, shown over the client area.
    int Cursor = 0;
    // A mouse move over the control, to `at` on the screen.
    std::function<void(TScreenPoint at)> OnMouseMove;
    // A left press and release over the control.
    std::function<void()> OnClick;
    // A right click (or the menu key) over the control; `at` is the
    // screen position as WM_CONTEXTMENU gives it.
    std::function<void(LPARAM at)> OnContextMenu;
    // The tooltip that shows the control's hint (THints), told of every
    // mouse message the control gets.
    HWND HintWindow = nullptr;

protected:
    // True when `message` was a mouse message this handled, with its result.
    bool HandleInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    bool pressed_ = false;
};
