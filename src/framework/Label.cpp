// Static controls as the program's labels.
#include "framework/Label.h"
#include "framework/Application.h"
#include "framework/LastError.h"
#include <commctrl.h>
#include <windowsx.h>

namespace {
constexpr UINT_PTR kLabelSubclassId = 0x4C61; // one subclass per label, told by this id
// The window property that leads from a static control to its label.
constexpr wchar_t kLabelProperty[] = L"Vantacle.TLabel";
// One line with tabs expanded at the standard stops; "&" is plain text.
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
} // namespace

TLabel::TLabel(HWND parent, const std::wstring& text, int id) {
    brush_.reset(CreateSolidBrush(color_));
    window_ = CreateWindowExW(0, L"STATIC", text.c_str(), kLabelStyle, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              Application.Instance(), nullptr);
    if (!window_) ThrowLastError(L"Cannot create a window");
    SetPropW(window_, kLabelProperty, this);
    SetWindowSubclass(window_, SubclassProc, kLabelSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

TLabel::~TLabel() {
    if (!IsWindow(window_)) return; // went with its parent
    RemovePropW(window_, kLabelProperty);
    RemoveWindowSubclass(window_, SubclassProc, kLabelSubclassId);
    DestroyWindow(window_);
}

TLabel* TLabel::FromHandle(HWND window) {
    return static_cast<TLabel*>(GetPropW(window, kLabelProperty));
}

void TLabel::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabel::SetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

bool TLabel::Visible() const {
    return (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TLabel::SetText(const std::wstring& text) {
    SetWindowTextW(window_, text.c_str());
}

std::wstring TLabel::Text() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TLabel::SetFont(HFONT font) {
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void TLabel::SetColor(COLORREF color) {
    color_ = color;
    brush_.reset(CreateSolidBrush(color));
    InvalidateRect(window_, nullptr, TRUE);
}

HBRUSH LabelColors(HWND control, HDC dc) {
    TLabel* label = TLabel::FromHandle(control);
    if (!label) return nullptr;
    SetBkColor(dc, label->Color());
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return label->Brush();
}

LRESULT CALLBACK TLabel::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) noexcept {
    LRESULT result = 0;
    try {
        result = reinterpret_cast<TLabel*>(self)->Dispatch(message, wParam, lParam);
    } catch (...) {
        Application.HandleException();
    }
    (void)window;
    return result;
}

LRESULT TLabel::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; HandleInput(window_, message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT; // a static would let the mouse fall through to its parent
    case WM_SETTEXT: {
        // A static control paints new text at once, outside any WM_PAINT,
        // which on a large screen costs the system far more than the drawing;
        // labels written on every mouse move paint with the next WM_PAINT.
        const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        InvalidateRect(window_, nullptr, TRUE);
        return result;
    }
    case WM_NCDESTROY:
        RemovePropW(window_, kLabelProperty);
        RemoveWindowSubclass(window_, SubclassProc, kLabelSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(window_, message, wParam, lParam);
}
