#include "framework/Error.h"

namespace {
// std::runtime_error wants a narrow text; it only matters to debuggers.
std::string NarrowForDebugger(const std::wstring& text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text)
        narrow.push_back(c < 128 ? static_cast<char>(c) : '?');
    return narrow;
}
} // namespace

Error::Error(std::wstring message)
    : std::runtime_error(NarrowForDebugger(message)), message_(std::move(message)) {}

std::wstring FormatMessageText(std::wstring_view pattern,
                               std::initializer_list<std::wstring_view> args) {
    std::wstring text;
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' &&
            next != args.end()) {
            text += *next++;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
