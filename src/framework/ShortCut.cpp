#include "framework/ShortCut.h"

namespace {
struct NamedKey {
    unsigned key;
    const wchar_t* name;
};

constexpr NamedKey kNamedKeys[] = {
    {0x08, L"BkSp"},    {0x09, L"Tab"},   {0x0D, L"Enter"}, {0x13, L"Pause"}, {0x1B, L"Esc"},
    {0x20, L"Space"},   {0x21, L"PgUp"},  {0x22, L"PgDn"},  {0x23, L"End"},   {0x24, L"Home"},
    {0x25, L"Left"},    {0x26, L"Up"},    {0x27, L"Right"}, {0x28, L"Down"},  {0x2C, L"PrtSc"},
    {0x2D, L"Ins"},     {0x2E, L"Del"},   {0x6A, L"Num *"}, {0x6B, L"Num +"}, {0x6D, L"Num -"},
    {0x6E, L"Num Del"}, {0x6F, L"Num /"}, {0xBA, L";"},     {0xBB, L"="},     {0xBC, L","},
    {0xBD, L"-"},       {0xBE, L"."},     {0xBF, L"/"},     {0xC0, L"`"},     {0xDB, L"["},
    {0xDC, L"\\"},      {0xDD, L"]"},     {0xDE, L"'"},
};

std::wstring KeyName(unsigned key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::wstring(1, wchar_t(key));
    if (key >= 0x60 && key <= 0x69) return L"Num " + std::to_wstring(key - 0x60);
    if (key >= 0x70 && key <= 0x87) return L"F" + std::to_wstring(key - 0x70 + 1);
    for (const NamedKey& named : kNamedKeys)
        if (named.key == key) return named.name;
    return {};
}
} // namespace

HotKeyCombination HotKeyFromShortCut(TShortCut shortcut) {
    unsigned modifiers = 0;
    if (shortcut & scCtrl) modifiers |= kHotKeyControl;
    if (shortcut & scShift) modifiers |= kHotKeyShift;
    if (shortcut & scAlt) modifiers |= kHotKeyAlt;
    return {modifiers, static_cast<unsigned>(shortcut & scKeyMask)};
}

std::wstring ShortCutToText(TShortCut shortcut) {
    std::wstring name = KeyName(shortcut & scKeyMask);
    if (name.empty()) return {};
    std::wstring text;
    if (shortcut & scShift) text += L"Shift+";
    if (shortcut & scCtrl) text += L"Ctrl+";
    if (shortcut & scAlt) text += L"Alt+";
    return text + name;
}
