// Hints through the common controls' tooltip window.
#include "framework/Hints.h"
#include "framework/Application.h"
#include <commctrl.h>

THints::THints(HWND owner) : owner_(owner) {
    // The tooltip window class comes with the common controls' bar classes.
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    tips_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                nullptr, Application.Instance(), nullptr));
}

THints::~THints() {
    // Destroying the tooltip alone leaves its hook records on the controls
    // behind, a little memory per control every time a panel goes.
    if (!tips_) return;
    for (HWND control : controls_) {
        TTTOOLINFOW info = ToolOf(control);
        SendMessageW(tips_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

TTTOOLINFOW THints::ToolOf(HWND control) const {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    // The tooltip watches the control's own mouse messages, whatever handles them.
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    return info;
}

void THints::Add(HWND control, const std::wstring& text) {
    if (!tips_) return; // a missing hint is no reason to refuse the control
    TTTOOLINFOW info = ToolOf(control);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    if (SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
        controls_.push_back(control);
}
