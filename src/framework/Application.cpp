#include "framework/Application.h"
#include "framework/Error.h"
#include "framework/Form.h"
#include "framework/Handle.h"
#include "framework/SystemAnswers.h"

TApplication Application;

namespace {
constexpr wchar_t kApplicationWindowClass[] = L"TApplication.Vantacle";

// The icon the resource compiler lists first is the executable's icon.
constexpr wchar_t kMainIconName[] = L"MAINICON";

LPCWSTR SystemCursorName(int slot) {
    switch (slot) {
    case crArrow:
        return IDC_ARROW;
    case crCross:
        return IDC_CROSS;
    case crIBeam:
        return IDC_IBEAM;
    case crSizeNESW:
        return IDC_SIZENESW;
    case crSizeNS:
        return IDC_SIZENS;
    case crSizeNWSE:
        return IDC_SIZENWSE;
    case crSizeWE:
        return IDC_SIZEWE;
    case crHourGlass:
        return IDC_WAIT;
    case crHandPoint:
        return IDC_HAND;
    case crSizeAll:
        return IDC_SIZEALL;
    default:
        return nullptr;
    }
}
} // namespace

HINSTANCE TApplication::Instance() const {
    return GetModuleHandleW(nullptr);
}

void TApplication::Initialize() {
    icon_ = LoadIconW(Instance(), kMainIconName);
    if (!icon_) icon_ = LoadIconW(nullptr, IDI_APPLICATION);

    RegisterWindowClassOnce({kApplicationWindowClass, 0, icon_});
    // A tool window that is never shown: it has no taskbar entry, yet it can
    // be brought to the foreground, which popup menus of the tray need.
    CreateHandlerWindow(*this,
                        {kApplicationWindowClass, title_.c_str(), WS_POPUP, WS_EX_TOOLWINDOW});
}

LRESULT TApplication::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // A close request to the program as a whole goes to its main form,
        // which decides.
        if (mainForm_) mainForm_->Close();
        return 0;
    case WM_ACTIVATEAPP:
        ActivationChanged(wParam != FALSE);
        return 0;
    default:
        return DefaultMessage(message, wParam, lParam);
    }
}

void TApplication::Run() {
    if (mainForm_ && ShowMainForm) mainForm_->Show();
    while (!terminated_) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                terminated_ = true;
                break;
            }
            DispatchOne(msg);
        } else {
            Idle();
            if (!terminated_) WaitMessage();
        }
    }
}

int TApplication::CreateAndRun(TForm& form) {
    SetMainForm(&form);
    ScopeExit forget([this] { SetMainForm(nullptr); });
    try {
        form.Create();
    } catch (...) {
        HandleException();
        return 1;
    }
    Run();
    return 0;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            // Leave the quit request for the main loop to see.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchOne(msg);
    }
}

void TApplication::DispatchOne(MSG& msg) {
    if (PreviewKey(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

// Key preview: a form that asks for it sees key strokes meant for its
// controls first, and can swallow them.
bool TApplication::PreviewKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (!top || top == msg.hwnd) return false;
    TForm* form = TForm::FromHandle(top);
    if (!form || !form->KeyPreview) return false;
    bool swallowed = false;
    GuardedCall(
        [&] { swallowed = form->PreviewKeyDown(msg.wParam, (msg.lParam & (1 << 30)) != 0); });
    return swallowed;
}

void TApplication::Idle() {
    if (!OnIdle) return;
    // The handler may unbind itself; keep it alive until it returns.
    auto handler = OnIdle;
    GuardedCall(handler);
}

void TApplication::Terminate() {
    if (terminated_) return;
    PostQuitMessage(0);
}

HCURSOR TApplication::Cursor(int slot) const {
    if (slot == crNone) return nullptr;
    if (slot == crDefault) return LoadCursorW(nullptr, IDC_ARROW);
    if (LPCWSTR name = SystemCursorName(slot)) return LoadCursorW(nullptr, name);
    auto found = cursors_.find(slot);
    return found == cursors_.end() ? nullptr : found->second;
}

void TApplication::SetCursor(int slot, HCURSOR cursor) {
    if (cursor)
        cursors_[slot] = cursor;
    else
        cursors_.erase(slot);
}

void TApplication::ShowException(const std::exception& error) {
    std::wstring text;
    if (auto* own = dynamic_cast<const Error*>(&error)) {
        text = own->Message();
    } else {
        const char* what = error.what();
        text.assign(what, what + strlen(what));
    }
    ShowErrorBox(text, title_);
}

void SystemErrorBox(const std::wstring& text, const std::wstring& caption) {
    MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void TApplication::HandleException() noexcept {
    try {
        throw;
    } catch (const std::exception& error) {
        try {
            ShowException(error);
        } catch (...) {
        }
    } catch (...) {
        ShowErrorBox(L"Unknown error.", title_);
    }
}

void TApplication::ActivationChanged(bool active) {
    bool lost = active_ && !active;
    active_ = active;
    if (lost && OnDeactivate) {
        auto handler = OnDeactivate;
        handler();
    }
}
