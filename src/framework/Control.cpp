// The program's own plain child windows.
#include "framework/Control.h"
#include "framework/Application.h"
#include <windowsx.h>

TControl::TControl(const wchar_t* className, HWND parent, DWORD style, DWORD exStyle, bool ownDC) {
    // No class background: WM_PAINT fills the client area in the control's colour.
    RegisterWindowClassOnce({className, static_cast<UINT>(ownDC ? CS_OWNDC : 0)});
    brush_.reset(CreateSolidBrush(color_));
    CreateHandlerWindow(*this,
                        {className, L"", style | WS_CHILD | WS_CLIPSIBLINGS, exStyle, parent});
    if (ownDC) dc_ = GetDC(Handle());
}

TControl::~TControl() {
    // A child whose parent went first is gone already.
    if (!Handle()) return;
    // The window's last messages must not reach an object half destroyed.
    HWND window = Handle();
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

void TControl::SetBounds(const TRect& r) {
    SetWindowPos(Handle(), nullptr, static_cast<int>(r.left), static_cast<int>(r.top),
                 static_cast<int>(r.Width()), static_cast<int>(r.Height()),
                 SWP_NOZORDER | SWP_NOACTIVATE);
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
    if (color == color_) return;
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

LRESULT TControl::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage && OnMessage(message, wParam, lParam, result)) return result;
    if (HandleInput(Handle(), message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers the whole client area
    case WM_PAINT:
        Paint();
        return 0;
    default:
        break;
    }
    return DefaultMessage(message, wParam, lParam);
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
