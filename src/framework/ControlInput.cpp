// Mouse messages shared by the program's controls.
#include "framework/ControlInput.h"
#include "framework/Application.h"
#include <commctrl.h>
#include <windowsx.h>

bool TControlInput::HandleInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                LRESULT& result) {
    result = 0;
    if (HintWindow && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG relayed{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        SendMessageW(HintWindow, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (message) {
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT || reinterpret_cast<HWND>(wParam) != window) return false;
        ::SetCursor(Application.Cursor(Cursor));
        result = TRUE;
        return true;
    case WM_MOUSEMOVE:
        if (OnMouseMove) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(window, &at);
            OnMouseMove({at.x, at.y});
        }
        return true;
    case WM_LBUTTONDOWN:
        if (OnClick) {
            pressed_ = true;
            SetCapture(window);
        }
        return true;
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            ReleaseCapture();
            // A click counts only when the button comes up over the control.
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT client{};
            GetClientRect(window, &client);
            if (PtInRect(&client, p) && OnClick) OnClick();
        }
        return true;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return false;
    case WM_CONTEXTMENU:
        if (!OnContextMenu) return false;
        OnContextMenu(lParam);
        return true;
    default:
        return false;
    }
}
