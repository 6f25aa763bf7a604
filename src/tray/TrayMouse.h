// The mouse side of a notification-area icon, without any window: which
// events a shell notification fires and in what order, the click detection,
// and the rules that turn a right click into the popup menu and a double-click
// into the menu's default item. The component feeds it the notifications and
// carries out what it asks through TTrayMouseTarget.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class TTrayButton { Left, Right, Middle };

// Shift-state flags the decoder adds for the button; they have the values of
// the framework's ssLeft, ssRight, ssMiddle and ssDouble.
namespace trayshift {
constexpr uint32_t Left = 8;
constexpr uint32_t Right = 16;
constexpr uint32_t Middle = 32;
constexpr uint32_t Double = 64;
} // namespace trayshift

// The mouse messages the shell reports in a tray callback.
namespace traymsg {
constexpr unsigned MouseMove = 0x200;
constexpr unsigned LeftDown = 0x201;
constexpr unsigned LeftUp = 0x202;
constexpr unsigned LeftDouble = 0x203;
constexpr unsigned RightDown = 0x204;
constexpr unsigned RightUp = 0x205;
constexpr unsigned RightDouble = 0x206;
constexpr unsigned MiddleDown = 0x207;
constexpr unsigned MiddleUp = 0x208;
constexpr unsigned MiddleDouble = 0x209;
} // namespace traymsg

// What the decoder asks of the component. The event methods fire the
// component's events (when assigned); the two rules below need its menu.
class TTrayMouseTarget {
public:
    virtual ~TTrayMouseTarget() = default;
    virtual void MouseMove(uint32_t shift) = 0;
    virtual void MouseDown(TTrayButton button, uint32_t shift) = 0;
    virtual void MouseUp(TTrayButton button, uint32_t shift) = 0;
    virtual void Click(TTrayButton button, uint32_t shift) = 0;
    virtual void DblClick() = 0;
    // Shows the popup menu; false when it was refused (no menu, not active...).
    virtual bool Popup() = 0;
    // Clicks the menu's first default, enabled item; false when there is none.
    virtual bool ClickDefaultItem() = 0;
};

class TTrayMouse {
public:
    // Handles one notification; keyShift holds the Shift, Ctrl and Alt flags
    // read from the keyboard. Returns false when the notification is not
    // handled (the component is disabled), so the caller passes it on.
    bool Notify(unsigned mouseMessage, uint32_t keyShift, bool enabled, TTrayMouseTarget& target);
    // Forgets pressed buttons: a click must start and end on the same showing.
    void Reset() { pressed_ = 0; }

private:
    void Release(TTrayButton button, uint32_t flag, uint32_t shift, TTrayMouseTarget& target);
    static void ClickRule(TTrayButton button, uint32_t shift, TTrayMouseTarget& target);

    uint32_t pressed_ = 0; // trayshift::Left / Right of buttons pressed on the icon
};

// The tooltip the shell shows: the text before the first "|", at most 63
// characters, which is what the first-version record can carry.
constexpr size_t kTrayTipLength = 63;
std::wstring TrayShortHint(std::wstring_view hint);
