// Hints through the common controls' tooltip window.
#include "framework/Hints.h"
#include "framework/Application.h"
#include "framework/CommonControls.h"

THints::THints(HWND owner) : owner_(owner) {
    // The tooltip window class comes with the common controls' bar classes.
    InitControlClasses(ICC_BAR_CLASSES);
    tips_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                nullptr, Application.Instance(), nullptr));
}

void THints::Add(TControlInput& control, HWND handle, const std::wstring& text) {
    if (!tips_) return; // a missing hint is no reason to refuse the control
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = owner_;
    info.uId = reinterpret_cast<UINT_PTR>(handle);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    if (SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
        control.HintWindow = tips_.get();
}
