#include "framework/Form.h"
#include "framework/Application.h"
#include "framework/Menu.h"
#include "framework/ShortCut.h"
#include <windowsx.h>
#include <utility>

namespace {
TShortCut ShortCutOf(WORD key, TShiftState shift) {
    TShortCut shortcut = key & scKeyMask;
    if (shift & ssShift) shortcut |= scShift;
    if (shift & ssCtrl) shortcut |= scCtrl;
    if (shift & ssAlt) shortcut |= scAlt;
    return shortcut;
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
    // One question for all three keys: under Wine each costs a round trip
    // to its server, and a held arrow key asks at every repeat.
    BYTE keys[256]{};
    if (!GetKeyboardState(keys)) return 0;
    TShiftState shift = 0;
    if (keys[VK_SHIFT] & 0x80) shift |= ssShift;
    if (keys[VK_CONTROL] & 0x80) shift |= ssCtrl;
    if (keys[VK_MENU] & 0x80) shift |= ssAlt;
    return shift;
}

TForm::TForm(TFormParams params) : params_(std::move(params)) {}

TForm::~TForm() {
    // Derived forms call Destroy themselves so FormDestroy reaches them; this
    // only makes sure no window outlives its object.
    if (HWND window = Handle()) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

void TForm::Create() {
    // The class style gives every window its own DC, so the canvas can stay
    // attached to it; WM_SETCURSOR decides the pointer, so the class has none.
    RegisterWindowClassOnce({params_.className, CS_OWNDC | CS_DBLCLKS, Application.Icon(),
                             GetSysColorBrush(COLOR_APPWORKSPACE)});
    CreateHandlerWindow(
        *this, {params_.className, params_.caption.c_str(), params_.style, params_.exStyle});
    FormCreate();
}

void TForm::Destroy() {
    if (destroyed_ || !Handle()) return;
    destroyed_ = true;
    FormDestroy();
    canvas_.Detach();
    DestroyWindow(Handle());
}

TForm* TForm::FromHandle(HWND window) {
    return dynamic_cast<TForm*>(TWindowHandler::FromHandle(window));
}

LRESULT TForm::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleMessage(message, wParam, lParam, result)) return result;

    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_CREATE:
        canvas_.Attach(GetDC(Handle()));
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
    case WM_SETCURSOR:
        // Only over the form itself: its child windows choose their own.
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
            POINT p{};
            GetCursorPos(&p);
            ScreenToClient(Handle(), &p);
            ::SetCursor(Application.Cursor(CursorAt(p).value_or(cursor_)));
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        // Bit 30: the key was down before this message.
        const bool handled = KeyDown(wParam, (lParam & (1 << 30)) != 0);
        // Alt, F10 and Alt combinations still reach the system's handling,
        // like any other window, unless a handler took them; then the
        // character they make must not reach it either (it would beep).
        swallowSysChar_ = handled && message == WM_SYSKEYDOWN;
        if (message == WM_SYSKEYDOWN && wParam != VK_MENU && !handled) break;
        return 0;
    }
    case WM_SYSCHAR:
        if (std::exchange(swallowSysChar_, false)) return 0;
        break;
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
    return DefaultMessage(message, wParam, lParam);
}

void TForm::Paint() {
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    // The window's own DC is the one the canvas holds; BeginPaint clipped it
    // to the damaged area.
    FormPaint();
    EndPaint(Handle(), &ps);
}

bool TForm::KeyDown(WPARAM wParam, bool repeat) {
    // Tab moves between controls, as in any dialog, before the form sees it;
    // with Ctrl or Alt it is an ordinary key.
    if (wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) return false;
    return PreviewKeyDown(wParam, repeat);
}

bool TForm::PreviewKeyDown(WPARAM wParam, bool repeat) {
    WORD key = static_cast<WORD>(wParam);
    const TShiftState shift = ShiftStateNow();
    if (MenuShortCut(key, shift)) return true;
    FormKeyDown(key, shift | (repeat ? ssRepeat : 0));
    return key == 0;
}

// The shortcuts shown in the form's context menu work while the form has the
// keyboard, before the form's own key handling sees the stroke.
bool TForm::MenuShortCut(WORD key, TShiftState shift) {
    if (!PopupMenu) return false;
    return PopupMenu->ShortCut(ShortCutOf(key, shift));
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
    ShowWindow(Handle(), command);
}

void TForm::Hide() {
    if (!Visible()) return;
    ShowWindow(Handle(), SW_HIDE);
    FormHide();
}

bool TForm::Visible() const {
    return Handle() && IsWindowVisible(Handle());
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
        ShowWindow(Handle(), SW_RESTORE);
        break;
    case TWindowState::wsMinimized:
        ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case TWindowState::wsMaximized:
        ShowWindow(Handle(), SW_SHOWMAXIMIZED);
        break;
    }
}

void TForm::BringToForeground() {
    SetForegroundWindow(Handle());
}

void TForm::Invalidate() {
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TForm::Update() {
    UpdateWindow(Handle());
}

RECT TForm::ClientRect() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r;
}

void TForm::SetCursor(int cursor) {
    cursor_ = cursor;
    // Change the shape at once when the pointer is over the form already.
    POINT p;
    if (Visible() && GetCursorPos(&p) && WindowFromPoint(p) == Handle())
        ::SetCursor(Application.Cursor(cursor_));
}

void TForm::SetMouseCapture(bool capture) {
    if (capture)
        SetCapture(Handle());
    else if (GetCapture() == Handle())
        ReleaseCapture();
}
