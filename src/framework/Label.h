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
    TLabel(HWND parent, const std::wstring& text, int id = 0);
    ~TLabel();
    TLabel(const TLabel&) = delete;
    TLabel& operator=(const TLabel&) = delete;

    HWND Handle() const { return window_; }
    // The label under a static control's handle, or nullptr for any other window.
    static TLabel* FromHandle(HWND window);

    // In the parent's client area.
    void SetBounds(const TRect& r);
    void SetVisible(bool visible);
    void SetText(const std::wstring& text);
    const std::wstring& Text() const;
    void SetFont(HFONT font); // not owned; kept for the label's own painting
    // The background; the parent hands it out when the control asks for its colours.
    void SetColor(COLORREF color);

private:
    static LRESULT CALLBACK LabelProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands the window back to the static control's own procedure.
    void Detach();
    void Paint();

    HWND window_ = nullptr; // destroyed by this object, or with its parent
    WNDPROC staticProc_ = nullptr;
    std::wstring text_; // as the window holds it; read on every mouse move
    COLORREF color_ = RGB(255, 255, 255);
    UniqueBrush brush_;
    HFONT font_ = nullptr;
};
