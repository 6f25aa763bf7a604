// The one window procedure behind every window class of the program, the
// registration of a class once, and the creation of a window for an object.
// Every window's messages go to the C++ object that created it; errors its
// handlers raise end in the application's error box, never in Windows.
#pragma once

#include <windows.h>
#include <memory>
#include <vector>

class TWindowHandler {
public:
    virtual ~TWindowHandler() = default;

    // The window this object handles, from its first message to its last.
    HWND Handle() const { return handle_; }
    // The object behind one of the program's windows; nullptr for any other window.
    static TWindowHandler* FromHandle(HWND window);

protected:
    // Every message from WM_NCCREATE on, up to but not including WM_NCDESTROY.
    virtual LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window is gone; the object stays.
    virtual void WindowDestroyed() {}
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend LRESULT CALLBACK ProgramWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    HWND handle_ = nullptr;
};

LRESULT CALLBACK ProgramWindowProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept;

struct TWindowClass {
    const wchar_t* name;
    UINT style = 0;
    HICON icon = nullptr;
    HBRUSH background = nullptr;
};
// Registers a class of ProgramWindowProc the first time it is asked for;
// throws when the system refuses.
void RegisterWindowClassOnce(const TWindowClass& windowClass);

struct TWindowParams {
    const wchar_t* className;
    const wchar_t* title = L"";
    DWORD style = WS_POPUP;
    DWORD exStyle = 0;
    HWND parent = nullptr; // HWND_MESSAGE for a message-only window
    RECT bounds{};
};
// Creates a window whose messages go to `handler`; throws with the system's
// reason when it cannot, so no handler ever runs for a window that is not there.
HWND CreateHandlerWindow(TWindowHandler& handler, const TWindowParams& params);

// Objects that a message handler further up the stack may still be using
// (an activation ended from inside one of its own tool's handlers, or while a
// menu of it is open) are freed once the outermost message has been handled.
void FreeAfterMessages(std::shared_ptr<void> object);
