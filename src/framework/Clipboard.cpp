// The clipboard and text on it.
#include "framework/Clipboard.h"
#include "framework/Error.h"
#include "framework/Handle.h"
#include <cstring>

namespace {
constexpr int kOpenTries = 5;
constexpr DWORD kOpenRetryMs = 20;
} // namespace

TClipboard::TClipboard(HWND owner, const wchar_t* busy) {
    for (int i = 0; !OpenClipboard(owner); ++i) {
        if (i + 1 == kOpenTries) throw Error(busy);
        Sleep(kOpenRetryMs);
    }
    EmptyClipboard();
}

void ClipboardSetText(HWND owner, std::wstring_view text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) throw Error(L"Not enough memory to copy the text.");
    auto* target = static_cast<wchar_t*>(GlobalLock(memory.get()));
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    target[text.size()] = L'\0';
    GlobalUnlock(memory.get());

    TClipboard clipboard(owner, L"The clipboard is in use by another program.");
    if (!clipboard.Put(CF_UNICODETEXT, memory.get()))
        throw Error(L"The text could not be put on the clipboard.");
    memory.release();
}
