#include "shell/StartRequest.h"
#include <algorithm>

namespace {
constexpr std::wstring_view kCloseSwitch = L"/close";

// Switches are told apart in ASCII only: the user's locale must not decide
// whether a letter matches (a Turkish dotless i, say).
wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool IsSwitch(const std::wstring& argument, std::wstring_view name) {
    return argument.size() == name.size() &&
           std::equal(argument.begin(), argument.end(), name.begin(),
                      [](wchar_t a, wchar_t b) { return AsciiLower(a) == b; });
}
} // namespace

TStartRequest StartRequestFrom(const std::vector<std::wstring>& arguments) {
    for (const std::wstring& argument : arguments)
        if (IsSwitch(argument, kCloseSwitch)) return TStartRequest::CloseRunning;
    return TStartRequest::Run;
}
