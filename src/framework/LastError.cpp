#include "framework/LastError.h"
#include "framework/Error.h"
#include <windows.h>

std::wstring SystemErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text =
        length ? std::wstring(buffer, length) : L"System error " + std::to_wstring(code);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

void ThrowLastError(std::wstring_view context) {
    const DWORD code = GetLastError();
    throw Error(std::wstring(context) + L". " + SystemErrorText(code));
}
