// Turns the system's last error into the program's error, with its text.
#pragma once

#include <string>
#include <string_view>

// The system's text for an error code, without its line break.
std::wstring SystemErrorText(unsigned long code);

// Throws Error("<context>. <the system's text for GetLastError()>").
[[noreturn]] void ThrowLastError(std::wstring_view context);
