// Text on the clipboard.
#include "framework/Clipboard.h"
#include "framework/Error.h"
#include "framework/Handle.h"
#include <cstring>

namespace {
// Another program may hold the clipboard for a moment; a few short tries
// cover that without making a click feel slow.
constexpr int kOpenTries = 5;
constexpr DWORD kOpenRetryMs = 20;

using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalFree>;
} // namespace

void ClipboardSetText(HWND owner, std::wstring_view text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) throw Error(L"Not enough memory to copy the text.");
    auto* target = static_cast<wchar_t*>(GlobalLock(memory.get()));
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    target[text.size()] = L'\0';
    GlobalUnlock(memory.get());

    bool open = false;
    for (int i = 0; i < kOpenTries && !(open = OpenClipboard(owner)); ++i)
        Sleep(kOpenRetryMs);
    if (!open) throw Error(L"The clipboard is in use by another program.");
    ScopeExit close([] { CloseClipboard(); });
    EmptyClipboard();
    // The clipboard owns the memory once it took it.
    if (SetClipboardData(CF_UNICODETEXT, memory.get()))
        memory.release();
    else
        throw Error(L"The text could not be put on the clipboard.");
}
