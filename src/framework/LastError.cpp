#include "framework/LastError.h"
#include "framework/Error.h"
#include <windows.h>

void ThrowLastError(std::wstring_view context) {
    const DWORD code = GetLastError();
    std::wstring text(context);
    wchar_t* reason = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr);
    std::wstring why =
        length ? std::wstring(reason, length) : L"System error " + std::to_wstring(code);
    if (reason) LocalFree(reason);
    while (!why.empty() && (why.back() == L'\n' || why.back() == L'\r' || why.back() == L' '))
        why.pop_back();
    throw Error(text + L". " + why);
}
