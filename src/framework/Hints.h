// Hints: short texts the system shows beside a control while the mouse rests
// on it, through one tooltip window per owner.
#pragma once

#include "framework/Handle.h"
#include <commctrl.h>
#include <string>
#include <vector>

class THints {
public:
    explicit THints(HWND owner);
    // Takes its hooks off the controls before the tooltip goes; the controls
    // must still exist.
    ~THints();
    THints(const THints&) = delete;
    THints& operator=(const THints&) = delete;

    void Add(HWND control, const std::wstring& text);

private:
    TTTOOLINFOW ToolOf(HWND control) const;

    HWND owner_;
    std::vector<HWND> controls_;
    UniqueWindow tips_; // a top-level window: it does not go with a child owner
};
