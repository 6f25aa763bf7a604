// The program's own plain child windows.
#include "framework/Control.h"
#include "framework/Application.h"
#include "framework/Error.h"
#include "framework/Label.h"
#include <windowsx.h>

namespace {
void RegisterControlClass(const wchar_t* name, WNDPROC proc, bool ownDC) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(Application.Instance(), name, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = ownDC ? CS_OWNDC : 0;
    wc.lpfnWndProc = proc;
    wc.hInstance = Application.Instance();
    wc.hCursor = nullptr;       // WM_SETCURSOR decides
    wc.hbrBackground = nullptr; // painted in the control's own colour
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}
} // namespace

TControl::TControl(const wchar_t* className, HWND parent, DWORD style, DWORD exStyle, bool ownDC) {
    RegisterControlClass(className, WindowProc, ownDC);
    brush_.reset(CreateSolidBrush(color_));
    // The window procedure finds this object from the first message on, so
    // the handle is stored there too.
    CreateWindowExW(exStyle, className, L"", style | WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                    nullptr, Application.Instance(), this);
    if (!window_) throw Error(L"The window could not be created.");
    if (ownDC) dc_ = GetDC(window_.get());
}

TControl::~TControl() {
    // Children go with their parents; one whose parent went first is gone
    // already, and its handle must not be destroyed again.
    if (window_ && !IsWindow(window_.get())) window_.release();
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

TControl* TControl::FromHandle(HWND window) {
    return reinterpret_cast<TControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void TControl::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TControl::BoundsRect() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int TControl::ClientWidth() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.right;
}

int TControl::ClientHeight() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void TControl::SetColor(COLORREF color) {
    color_ = color;
    brush_.reset(CreateSolidBrush(color));
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TControl::SetText(const std::wstring& text, TTextLayout layout) {
    layout_ = layout;
    SetWindowTextW(Handle(), text.c_str());
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TControl::SetFont(HFONT font, COLORREF textColor) {
    font_ = font;
    textColor_ = textColor;
    InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT CALLBACK TControl::WindowProc(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* control =
            static_cast<TControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        control->window_.reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    TControl* control = FromHandle(window);
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        control->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool failed = true;
    try {
        result = control->Dispatch(message, wParam, lParam);
        failed = false;
    } catch (...) {
        Application.HandleException();
    }
    if (failed && message == WM_PAINT) ValidateRect(window, nullptr);
    return result;
}

LRESULT TControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage && OnMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers the whole client area
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
            ::SetCursor(Application.Cursor(Cursor));
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove();
        return 0;
    case WM_LBUTTONDOWN:
        if (OnClick) {
            pressed_ = true;
            SetCapture(Handle());
        }
        return 0;
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            ReleaseCapture();
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT client{};
            GetClientRect(Handle(), &client);
            if (PtInRect(&client, p) && OnClick) OnClick();
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush =
                LabelColors(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        break;
    case WM_CONTEXTMENU:
        if (OnContextMenu) {
            OnContextMenu(lParam);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

void TControl::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (OnPaint) {
        OnPaint(dc, ps.rcPaint);
    } else {
        FillRect(dc, &ps.rcPaint, brush_.get());
        if (layout_ == TTextLayout::Centre) {
            wchar_t text[64] = L"";
            GetWindowTextW(Handle(), text, 64);
            RECT client{};
            GetClientRect(Handle(), &client);
            SelectedObject font(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, textColor_);
            DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    EndPaint(Handle(), &ps);
}
