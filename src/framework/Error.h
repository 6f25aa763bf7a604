// The program's one error type. Handlers throw it; the application object
// catches it at the Win32 boundary and shows its text in the error box, and the
// program goes on running.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

class Error : public std::runtime_error {
public:
    explicit Error(std::wstring message);
    const std::wstring& Message() const noexcept { return message_; }

private:
    std::wstring message_;
};

// Replaces each "%s" in a message pattern by the next argument, in order.
std::wstring FormatMessageText(std::wstring_view pattern,
                               std::initializer_list<std::wstring_view> args);
