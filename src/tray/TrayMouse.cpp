#include "tray/TrayMouse.h"

bool TTrayMouse::Notify(unsigned mouseMessage, uint32_t keyShift, bool enabled,
                        TTrayMouseTarget& target) {
    if (!enabled) return false;
    using namespace traymsg;
    switch (mouseMessage) {
    case MouseMove:
        target.MouseMove(keyShift);
        break;
    case LeftDown:
        target.MouseDown(TTrayButton::Left, keyShift | trayshift::Left);
        pressed_ |= trayshift::Left;
        break;
    case LeftUp:
        Release(TTrayButton::Left, trayshift::Left, keyShift | trayshift::Left, target);
        break;
    case LeftDouble:
        // The shell sends down, up, double, up: the double takes the place of
        // the second down, so the second up finds nothing pressed and no
        // second click follows.
        if (!target.ClickDefaultItem()) target.DblClick();
        target.MouseDown(TTrayButton::Left, keyShift | trayshift::Double);
        break;
    case RightDown:
        target.MouseDown(TTrayButton::Right, keyShift | trayshift::Right);
        pressed_ |= trayshift::Right;
        break;
    case RightUp:
        Release(TTrayButton::Right, trayshift::Right, keyShift | trayshift::Right, target);
        break;
    case RightDouble:
        target.MouseDown(TTrayButton::Right, keyShift | trayshift::Double);
        break;
    case MiddleDown:
        target.MouseDown(TTrayButton::Middle, keyShift | trayshift::Middle);
        break;
    case MiddleUp:
        target.MouseUp(TTrayButton::Middle, keyShift | trayshift::Middle);
        break;
    case MiddleDouble:
        target.MouseDown(TTrayButton::Middle, keyShift | trayshift::Double);
        break;
    default:
        break;
    }
    return true;
}

void TTrayMouse::Release(TTrayButton button, uint32_t flag, uint32_t shift,
                         TTrayMouseTarget& target) {
    if (pressed_ & flag) {
        pressed_ &= ~flag;
        ClickRule(button, shift, target);
    }
    target.MouseUp(button, shift);
}

void TTrayMouse::ClickRule(TTrayButton button, uint32_t shift, TTrayMouseTarget& target) {
    // A right click opens the menu instead of being a click; without a menu
    // to show it is an ordinary click.
    if (button == TTrayButton::Right && target.Popup()) return;
    target.Click(button, shift);
}

std::wstring TrayShortHint(std::wstring_view hint) {
    hint = hint.substr(0, hint.find(L'|'));
    return std::wstring(hint.substr(0, kTrayTipLength));
}
