#include "framework/Input.h"

POINT CursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

void Beep() {
    MessageBeep(MB_OK);
}
