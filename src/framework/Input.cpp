#include "framework/Input.h"

TScreenPoint PointerOnScreen() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void MovePointerTo(TScreenPoint p) {
    SetCursorPos(p.x, p.y);
}

TScreenRect VirtualScreenRect() {
    const int64_t left = GetSystemMetrics(SM_XVIRTUALSCREEN),
                  top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void Beep() {
    MessageBeep(MB_OK);
}
