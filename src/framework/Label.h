// A line of text as a system static control, so screen readers and other
// programs read it as text, with the callbacks the program's own controls
// have: mouse moves, clicks, a cursor and a background colour. The label
// paints its text itself: the static control keeps nothing of its own (the
// common controls' one allocates a record for a font, which Wine never
// frees).
#pragma once

#include "framework/ControlInput.h"
#include "framework/Geometry.h"
#include "framework/Handle.h"
#include <functional>
#include <string>

class TLabel : public TControlInput {
public:
    // `id` is the control's identifier, by which other programs can find it.
    // `parentDC`, the parent's own device context if it keeps one, lets a
    // change show at once, without a round trip through the window system.
    TLabel(HWND parent, const std::wstring& text, int id = 0, HDC parentDC = nullptr);
    ~TLabel();
    TLabel(const TLabel&) = delete;
    TLabel& operator=(const TLabel&) = delete;

    HWND Handle() const { return window_; }
    // The label under a static control's handle, or nullptr for any other window.
    static TLabel* FromHandle(HWND window);

    // In the parent's client area.
    void SetBounds(const TRect& r);
    void SetVisible(bool visible);
    // Shows the text at once. This program reads it at once too (WM_GETTEXT);
    // the window's own copy, which other programs may read, follows with
    // SyncWindowText: each write of it is a round trip to the window system,
    // which a row written on every mouse move need not pay every time.
    void SetText(const std::wstring& text);
    const std::wstring& Text() const;
    // True when the window's own copy of the text lags behind.
    bool SyncWindowText();
    void SetFont(HFONT font); // not owned; kept for the label's own painting
    // The background; the parent hands it out when the control asks for its colours.
    void SetColor(COLORREF color);

private:
    static LRESULT CALLBACK LabelProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands the window back to the static control's own procedure.
    void Detach();
    void Paint();
    // The label as it is now, drawn into `dc` at `r`.
    void Draw(HDC dc, const RECT& r) const;
    // Now where the parent's DC lets it, else at the next WM_PAINT.
    void Show();

    HWND window_ = nullptr; // destroyed by this object, or with its parent
    HDC parentDC_;
    RECT bounds_{}; // in the parent's client area
    bool windowTextStale_ = false;
    WNDPROC staticProc_ = nullptr;
    std::wstring text_; // as the window holds it; read on every mouse move
    COLORREF color_ = RGB(255, 255, 255);
    UniqueBrush brush_;
    HFONT font_ = nullptr;
};
