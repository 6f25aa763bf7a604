// Static controls as the program's labels.
#include "framework/Label.h"
#include "framework/Application.h"
#include "framework/GeometryWin.h"
#include "framework/LabelText.h"
#include "framework/LastError.h"
#include <algorithm>
#include <vector>

namespace {
// Every label that exists. A window's user data says which label it is only
// when the window is a label's: another control may keep anything there, and
// the window procedure read back is no proof (Wine hands out a handle of its
// own for a subclassed system control).
std::vector<TLabel*>& LiveLabels() {
    static std::vector<TLabel*> labels;
    return labels;
}
// One line with tabs expanded at the standard stops; "&" is plain text.
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
} // namespace

// The label's own procedure in front of the static control's, with the label
// in the window's user data (a static control keeps its state elsewhere).
// Not the common controls' subclassing: under Wine it looks up a window
// property, a round trip to the server, for every message, and labels get
// several messages per mouse move.
TLabel::TLabel(HWND parent, const std::wstring& text, int id, HDC parentDC)
    : parentDC_(parentDC), text_(text) {
    brush_.reset(CreateSolidBrush(color_));
    window_ = CreateWindowExW(0, L"STATIC", text.c_str(), kLabelStyle, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              Application.Instance(), nullptr);
    if (!window_) ThrowLastError(L"Cannot create a window");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    staticProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LabelProc)));
    LiveLabels().push_back(this);
}

TLabel::~TLabel() {
    std::erase(LiveLabels(), this);
    if (!IsWindow(window_)) return; // went with its parent
    Detach();
    DestroyWindow(window_);
}

void TLabel::Detach() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(staticProc_));
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

TLabel* TLabel::FromHandle(HWND window) {
    auto* label = reinterpret_cast<TLabel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!label || std::ranges::find(LiveLabels(), label) == LiveLabels().end() ||
        label->window_ != window)
        return nullptr;
    return label;
}

void TLabel::SetBounds(const TRect& r) {
    bounds_ = ToRECT(r);
    SetWindowPos(window_, nullptr, static_cast<int>(r.left), static_cast<int>(r.top),
                 static_cast<int>(r.Width()), static_cast<int>(r.Height()),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabel::SetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

void TLabel::SetText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    windowTextStale_ = true;
    Show();
}

bool TLabel::SyncWindowText() {
    if (!windowTextStale_) return false;
    windowTextStale_ = false;
    // Past the label's own handling: the pixels show the text already.
    DefWindowProcW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
    return true;
}

const std::wstring& TLabel::Text() const {
    return text_;
}

void TLabel::SetFont(HFONT font) {
    font_ = font;
    InvalidateRect(window_, nullptr, FALSE);
}

void TLabel::SetColor(COLORREF color) {
    if (color == color_) return; // the Dropper sets it on every move
    color_ = color;
    brush_.reset(CreateSolidBrush(color));
    Show();
}

void TLabel::Show() {
    // A hidden label paints when it shows again.
    if (!parentDC_)
        InvalidateRect(window_, nullptr, FALSE);
    else if (IsWindowVisible(window_))
        Draw(parentDC_, bounds_);
}

// One line, tabs expanded at the standard stops, "&" as plain text, clipped
// at the right: what the static control itself would draw.
void TLabel::Draw(HDC dc, const RECT& r) const {
    FillRect(dc, &r, brush_.get());
    SelectedObject font(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawLabelText(dc, r, text_);
}

void TLabel::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT client{};
    GetClientRect(window_, &client);
    Draw(dc, client);
    EndPaint(window_, &ps);
}

LRESULT CALLBACK TLabel::LabelProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    LRESULT result = 0;
    try {
        result = reinterpret_cast<TLabel*>(GetWindowLongPtrW(window, GWLP_USERDATA))
                     ->Dispatch(message, wParam, lParam);
    } catch (...) {
        Application.HandleException();
    }
    return result;
}

LRESULT TLabel::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; HandleInput(window_, message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT; // a static would let the mouse fall through to its parent
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers the whole client area
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETFONT:
        SetFont(reinterpret_cast<HFONT>(wParam));
        return 0;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(text_.size());
    case WM_GETTEXT: {
        // The text as shown, also before the window's own copy follows.
        if (wParam == 0) return 0;
        const size_t n = std::min(text_.size(), static_cast<size_t>(wParam) - 1);
        auto* out = reinterpret_cast<wchar_t*>(lParam);
        std::copy_n(text_.c_str(), n, out);
        out[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
        // A text set from outside: the window's copy holds it already.
        const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        if (result) {
            text_ = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
            windowTextStale_ = false;
            Show();
        }
        return result;
    }
    case WM_NCDESTROY: {
        const WNDPROC staticProc = staticProc_;
        Detach();
        return CallWindowProcW(staticProc, window_, message, wParam, lParam);
    }
    default:
        break;
    }
    return CallWindowProcW(staticProc_, window_, message, wParam, lParam);
}
