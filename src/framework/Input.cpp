#include "framework/Input.h"

POINT CursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

void SetCursorPosition(POINT p) {
    SetCursorPos(p.x, p.y);
}

RECT VirtualScreenRect() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void Beep() {
    MessageBeep(MB_OK);
}
