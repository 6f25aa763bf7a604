// Turns the system's last error into the program's error, with its text.
#pragma once

#include <string_view>

// Throws Error("<context>. <the system's text for GetLastError()>").
[[noreturn]] void ThrowLastError(std::wstring_view context);
