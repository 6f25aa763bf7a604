// Hints: short texts the system shows beside a control while the mouse rests
// on it, through one tooltip window per owner.
#pragma once

#include "framework/ControlInput.h"
#include "framework/Handle.h"
#include <string>

class THints {
public:
    explicit THints(HWND owner);
    THints(const THints&) = delete;
    THints& operator=(const THints&) = delete;

    // The control relays its mouse messages to the tooltip itself: the
    // tooltip's own hook on a control leaves records behind under Wine when
    // the control goes.
    void Add(TControlInput& control, HWND handle, const std::wstring& text);

private:
    HWND owner_;
    UniqueWindow tips_; // a top-level window: it does not go with a child owner
};
