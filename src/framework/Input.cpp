#include "framework/Input.h"

TScreenPoint PointerOnScreen() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void MovePointerTo(TScreenPoint p) {
    SetCursorPos(p.x, p.y);
}

void Beep() {
    MessageBeep(MB_OK);
}
