// A plain child window of the program's own: a background colour, an
// optional line of text, and callbacks for what its owner wants to hear
// about (mouse moves, clicks, painting, any other message).
#pragma once

#include "framework/ControlInput.h"
#include "framework/Geometry.h"
#include "framework/Handle.h"
#include "framework/Window.h"
#include <functional>
#include <string>

enum class TTextLayout { None, Centre };

class TControl : public TWindowHandler, public TControlInput {
public:
    // Creates the window at once, hidden unless `style` says WS_VISIBLE.
    // `className` names the window class (registered once); windows of one
    // class can be told apart from outside by it. With `ownDC` the window
    // keeps one device context for its whole life (DC()), for controls drawn
    // on outside painting many times a second.
    TControl(const wchar_t* className, HWND parent, DWORD style, DWORD exStyle = 0,
             bool ownDC = false);
    ~TControl() override;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    // The window's own device context; nullptr unless made with `ownDC`.
    HDC DC() const { return dc_; }

    // In the parent's client area.
    void SetBounds(const TRect& r);
    RECT BoundsRect() const; // in the parent's client coordinates
    int ClientWidth() const;
    int ClientHeight() const;
    void SetColor(COLORREF color);
    // Text drawn centred in the client area when `layout` asks for it; always
    // readable from outside as the window's text.
    void SetText(const std::wstring& text, TTextLayout layout = TTextLayout::None);
    void SetFont(HFONT font, COLORREF textColor); // not owned
    // Paints the client area itself instead of the plain background.
    std::function<void(HDC dc, const RECT& update)> OnPaint;
    // Runs before anything else for every message; true when it handled it.
    std::function<bool(UINT message, WPARAM, LPARAM, LRESULT& result)> OnMessage;

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    HDC dc_ = nullptr; // a class DC of its own: it goes with the window
    COLORREF color_ = RGB(255, 255, 255);
    UniqueBrush brush_;
    HFONT font_ = nullptr;
    COLORREF textColor_ = RGB(0, 0, 0);
    TTextLayout layout_ = TTextLayout::None;
};
