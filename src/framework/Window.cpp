#include "framework/Window.h"
#include "framework/Application.h"
#include "framework/LastError.h"

namespace {
// How many window messages are being handled, one inside the other.
int messageDepth = 0;
std::vector<std::shared_ptr<void>> freedAfterMessages;

void FreeWaitingObjects() noexcept {
    // Freeing may itself send messages (a window destroyed); take the list first.
    while (!freedAfterMessages.empty()) {
        auto waiting = std::move(freedAfterMessages);
        freedAfterMessages.clear();
        waiting.clear();
    }
}
} // namespace

TWindowHandler* TWindowHandler::FromHandle(HWND window) {
    if (!window) return nullptr;
    // Only windows of our own procedure carry our pointer; any other window
    // (a dialog, a control) may keep something else in its user data.
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&ProgramWindowProc))
        return nullptr;
    return reinterpret_cast<TWindowHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT TWindowHandler::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK ProgramWindowProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<TWindowHandler*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (created) created->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* handler = reinterpret_cast<TWindowHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!handler) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        handler->handle_ = nullptr;
        GuardedCall([handler] { handler->WindowDestroyed(); });
        return DefWindowProcW(window, message, wParam, lParam);
    }

    ++messageDepth;
    LRESULT result = 0;
    try {
        result = handler->WindowMessage(message, wParam, lParam);
    } catch (...) {
        Application.HandleException();
        // A paint that failed must still validate, or it would be asked for
        // again and again.
        if (message == WM_PAINT) ValidateRect(window, nullptr);
    }
    if (--messageDepth == 0) FreeWaitingObjects();
    return result;
}

void RegisterWindowClassOnce(const TWindowClass& windowClass) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(Application.Instance(), windowClass.name, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = windowClass.style;
    wc.lpfnWndProc = ProgramWindowProc;
    wc.hInstance = Application.Instance();
    wc.hIcon = windowClass.icon;
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    if (!RegisterClassExW(&wc)) ThrowLastError(L"Cannot register the window class");
}

HWND CreateHandlerWindow(TWindowHandler& handler, const TWindowParams& params) {
    const RECT& r = params.bounds;
    HWND window = CreateWindowExW(params.exStyle, params.className, params.title, params.style,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, params.parent,
                                  nullptr, Application.Instance(), &handler);
    if (!window) ThrowLastError(L"Cannot create a window");
    return window;
}

void FreeAfterMessages(std::shared_ptr<void> object) {
    if (messageDepth == 0) return; // nothing can still be using it: it goes now
    freedAfterMessages.push_back(std::move(object));
}
