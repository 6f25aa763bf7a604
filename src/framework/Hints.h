// Hints: short texts the system shows beside a control while the mouse rests
// on it, through one tooltip window per owner.
#pragma once

#include "framework/Handle.h"
#include <string>

class THints {
public:
    explicit THints(HWND owner);
    THints(const THints&) = delete;
    THints& operator=(const THints&) = delete;

    void Add(HWND control, const std::wstring& text);

private:
    HWND owner_;
    UniqueWindow tips_; // a top-level window: it does not go with a child owner
};
