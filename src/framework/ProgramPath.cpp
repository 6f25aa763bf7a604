#include "framework/ProgramPath.h"
#include <windows.h>
#include <vector>

std::wstring ExecutablePath() {
    // Paths may be longer than MAX_PATH; grow until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring ExecutableFolder() {
    const std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}
