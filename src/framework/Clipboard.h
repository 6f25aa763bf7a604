// The clipboard, opened the one way the program opens it, and text on it as
// any program can paste it.
#pragma once

#include <windows.h>
#include <string_view>

// The clipboard opened for `owner` and emptied, for as long as this lives.
// Another program may hold it for a moment: a few short tries cover that
// without making a click feel slow; when it stays held, `busy` is thrown as
// the error's text.
class TClipboard {
public:
    TClipboard(HWND owner, const wchar_t* busy);
    ~TClipboard() { CloseClipboard(); }
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // Puts `data` there in `format`; on success the clipboard owns it.
    bool Put(UINT format, HANDLE data) { return SetClipboardData(format, data) != nullptr; }
};

// Replaces the clipboard's contents by the text as Unicode text; throws when
// the clipboard cannot be had.
void ClipboardSetText(HWND owner, std::wstring_view text);
