// Text on the clipboard, as any program can paste it.
#pragma once

#include <windows.h>
#include <string_view>

// Replaces the clipboard's contents by the text as Unicode text; throws when
// the clipboard cannot be had.
void ClipboardSetText(HWND owner, std::wstring_view text);
