#include "framework/Form.h"
#include "framework/Application.h"
#include "framework/Menu.h"
#include <windowsx.h>

namespace {
// Each form class registers its window class once; the class style gives
// every window its own DC, so the canvas can stay attached to it.
void RegisterFormClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(Application.Instance(), name, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_OWNDC | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = Application.Instance();
    wc.hIcon = Application.Icon();
    wc.hCursor = nullptr; // WM_SETCURSOR decides
    wc.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

TShiftState ShiftFromMouseKeys(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    return shift;
}
} // namespace

TShiftState ShiftStateNow() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

TForm::TForm(TFormParams params) : params_(std::move(params)) {}

TForm::~TForm() {
    // Derived forms call Destroy themselves so FormDestroy reaches them; this
    // only makes sure no window outlives its object.
    if (handle_) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void TForm::Create() {
    RegisterFormClass(params_.className, WindowProc);
    CreateWindowExW(params_.exStyle, params_.className, params_.caption.c_str(), params_.style, 0,
                    0, 0, 0, nullptr, nullptr, Application.Instance(), this);
    FormCreate();
}

void TForm::Destroy() {
    if (destroyed_ || !handle_) return;
    destroyed_ = true;
    FormDestroy();
    canvas_.Detach();
    DestroyWindow(handle_);
}

TForm* TForm::FromHandle(HWND window) {
    return reinterpret_cast<TForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    TForm* form = FromHandle(window);
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->handle_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool failed = true;
    try {
        result = form->Dispatch(message, wParam, lParam);
        failed = false;
    } catch (...) {
        Application.HandleException();
    }
    if (failed && message == WM_PAINT) ValidateRect(window, nullptr);
    return result;
}

LRESULT TForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleMessage(message, wParam, lParam, result)) return result;

    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_CREATE:
        canvas_.Attach(GetDC(handle_));
        return 0;
    case WM_ERASEBKGND:
        if (params_.paintsEverything) return 1;
        break;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATEAPP:
        Application.ActivationChanged(wParam != FALSE);
        return 0;
    case WM_GETMINMAXINFO: {
        RECT r;
        GetMaximizedRect(r);
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMaxPosition = {r.left, r.top};
        info->ptMaxSize = {r.right - r.left, r.bottom - r.top};
        info->ptMaxTrackSize = info->ptMaxSize;
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(Application.Cursor(cursor_));
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        KeyDown(wParam);
        // Alt, F10 and Alt combinations still reach the system's handling,
        // like any other window, unless a handler took them.
        if (message == WM_SYSKEYDOWN && wParam != VK_MENU) break;
        return 0;
    }
    case WM_LBUTTONDOWN:
        FormMouseDown(TMouseButton::mbLeft, ShiftFromMouseKeys(wParam), x, y);
        return 0;
    case WM_RBUTTONDOWN:
        FormMouseDown(TMouseButton::mbRight, ShiftFromMouseKeys(wParam), x, y);
        return 0;
    case WM_MBUTTONDOWN:
        FormMouseDown(TMouseButton::mbMiddle, ShiftFromMouseKeys(wParam), x, y);
        return 0;
    case WM_LBUTTONDBLCLK:
        FormMouseDown(TMouseButton::mbLeft, ShiftFromMouseKeys(wParam) | ssDouble, x, y);
        return 0;
    case WM_RBUTTONDBLCLK:
        FormMouseDown(TMouseButton::mbRight, ShiftFromMouseKeys(wParam) | ssDouble, x, y);
        return 0;
    case WM_MBUTTONDBLCLK:
        FormMouseDown(TMouseButton::mbMiddle, ShiftFromMouseKeys(wParam) | ssDouble, x, y);
        return 0;
    case WM_MOUSEMOVE:
        FormMouseMove(ShiftFromMouseKeys(wParam), x, y);
        return 0;
    case WM_LBUTTONUP:
        FormMouseUp(TMouseButton::mbLeft, ShiftFromMouseKeys(wParam), x, y);
        return 0;
    case WM_RBUTTONUP:
        FormMouseUp(TMouseButton::mbRight, ShiftFromMouseKeys(wParam), x, y);
        break; // the system turns it into WM_CONTEXTMENU
    case WM_MBUTTONUP:
        FormMouseUp(TMouseButton::mbMiddle, ShiftFromMouseKeys(wParam), x, y);
        return 0;
    case WM_CONTEXTMENU:
        ContextMenu(lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

void TForm::Paint() {
    PAINTSTRUCT ps;
    BeginPaint(handle_, &ps);
    // The window's own DC is the one the canvas holds; BeginPaint clipped it
    // to the damaged area.
    FormPaint();
    EndPaint(handle_, &ps);
}

void TForm::KeyDown(WPARAM wParam) {
    // Tab moves between controls, as in any dialog, before the form sees it;
    // with Ctrl or Alt it is an ordinary key.
    if (wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) return;
    WORD key = static_cast<WORD>(wParam);
    FormKeyDown(key, ShiftStateNow());
}

bool TForm::PreviewKeyDown(WPARAM wParam) {
    WORD key = static_cast<WORD>(wParam);
    FormKeyDown(key, ShiftStateNow());
    return key == 0;
}

void TForm::ContextMenu(LPARAM lParam) {
    if (!PopupMenu) return;
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (p.x == -1 && p.y == -1) { // from the keyboard: open at the cursor
        GetCursorPos(&p);
    }
    PopupMenu->PopupComponent = this;
    PopupMenu->Popup(p.x, p.y);
}

// The show and hide events follow the form's own calls rather than
// WM_SHOWWINDOW, which Windows does not send for every change (showing a
// hidden window that keeps its maximised style, for one).
void TForm::Show() {
    if (!Visible()) FormShow();
    int command = windowState_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW;
    ShowWindow(handle_, command);
}

void TForm::Hide() {
    if (!Visible()) return;
    ShowWindow(handle_, SW_HIDE);
    FormHide();
}

bool TForm::Visible() const {
    return handle_ && IsWindowVisible(handle_);
}

void TForm::Close() {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) return;
    TCloseAction action = TCloseAction::caHide;
    FormClose(action);
    if (action == TCloseAction::caNone) return;
    if (Application.MainForm() == this)
        Application.Terminate();
    else if (action == TCloseAction::caMinimize)
        SetWindowState(TWindowState::wsMinimized);
    else
        Hide();
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (!Visible()) return;
    switch (state) {
    case TWindowState::wsNormal:
        ShowWindow(handle_, SW_RESTORE);
        break;
    case TWindowState::wsMinimized:
        ShowWindow(handle_, SW_MINIMIZE);
        break;
    case TWindowState::wsMaximized:
        ShowWindow(handle_, SW_SHOWMAXIMIZED);
        break;
    }
}

void TForm::BringToForeground() {
    SetForegroundWindow(handle_);
}

void TForm::Invalidate() {
    InvalidateRect(handle_, nullptr, FALSE);
}

void TForm::Update() {
    UpdateWindow(handle_);
}

RECT TForm::ClientRect() const {
    RECT r{};
    GetClientRect(handle_, &r);
    return r;
}

void TForm::SetCursor(int cursor) {
    cursor_ = cursor;
    // Change the shape at once when the pointer is over the form already.
    POINT p;
    if (Visible() && GetCursorPos(&p) && WindowFromPoint(p) == handle_)
        ::SetCursor(Application.Cursor(cursor_));
}

void TForm::GetMaximizedRect(RECT& rect) {
    rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
