// The 16-bit shortcut of hot keys and menu items: a virtual-key code in the
// low 13 bits and the flags Shift 0x2000, Ctrl 0x4000, Alt 0x8000; 0 is none.
#pragma once

#include <cstdint>
#include <string>

using TShortCut = uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scKeyMask = 0x1FFF;

// Modifier bits of the system's hot-key registration.
constexpr unsigned kHotKeyAlt = 1;
constexpr unsigned kHotKeyControl = 2;
constexpr unsigned kHotKeyShift = 4;

struct HotKeyCombination {
    unsigned modifiers; // kHotKey* bits
    unsigned key;       // virtual-key code
};

HotKeyCombination HotKeyFromShortCut(TShortCut shortcut);

// "Ctrl+Alt+M", "Shift+F5", "Num 3"; empty for 0 and for keys without a name.
std::wstring ShortCutToText(TShortCut shortcut);
