// The base of the program's windows: one window procedure that decodes
// messages and calls virtual handlers named as the program's events.
#pragma once

#include "framework/Canvas.h"
#include "framework/Window.h"
#include <cstdint>
#include <optional>
#include <string>

class TPopupMenu;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys and mouse buttons held during an input event.
enum TShiftFlag : uint32_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
    // A key stroke the keyboard repeats because the key is held down.
    ssRepeat = 128,
};
using TShiftState = uint32_t;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

struct TFormParams {
    const wchar_t* className;
    std::wstring caption;
    DWORD style = WS_POPUP;
    DWORD exStyle = 0;
    // The window paints its whole client area itself, so background erasing
    // would only flicker.
    bool paintsEverything = false;
};

class TForm : public TWindowHandler {
public:
    explicit TForm(TFormParams params);
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    // Creates the window, hidden, then runs FormCreate.
    void Create();
    // Runs FormDestroy and destroys the window; harmless when already done.
    void Destroy();

    static TForm* FromHandle(HWND window);

    void Show();
    void Hide();
    bool Visible() const;
    // Asks the form to close: FormCloseQuery, then FormClose, then what the
    // close action says. Closing the main form ends the program.
    void Close();
    void SetWindowState(TWindowState state);
    TWindowState WindowState() const { return windowState_; }
    void BringToForeground();
    void Invalidate();
    void Update();
    RECT ClientRect() const;

    TCanvas& Canvas() { return canvas_; }
    // A cursor number of the application's table, used over the client area
    // unless CursorAt says otherwise for a point.
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor);
    void SetMouseCapture(bool capture);
    TPopupMenu* PopupMenu = nullptr;
    bool KeyPreview = false;

    // For the application's key preview; true when the form swallowed the key.
    // `repeat`: the key was already down (the keyboard's auto-repeat).
    bool PreviewKeyDown(WPARAM key, bool repeat = false);

protected:
    virtual void FormCreate() {}
    virtual void FormDestroy() {}
    virtual void FormShow() {}
    virtual void FormHide() {}
    virtual void FormCloseQuery(bool& /*canClose*/) {}
    virtual void FormClose(TCloseAction& /*action*/) {}
    virtual void FormPaint() {}
    // Setting key to 0 marks the stroke as handled.
    virtual void FormKeyDown(WORD& /*key*/, TShiftState /*shift*/) {}
    virtual void FormMouseDown(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
    virtual void FormMouseMove(TShiftState, int /*x*/, int /*y*/) {}
    virtual void FormMouseUp(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
    // Messages the base does not decode; return true when handled.
    virtual bool HandleMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) {
        return false;
    }
    // The cursor over a point of the client area; nothing: the form's Cursor().
    virtual std::optional<int> CursorAt(POINT /*client*/) { return std::nullopt; }

    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Opens PopupMenu at the message's point; its command runs before it returns.
    virtual void ContextMenu(LPARAM lParam);

private:
    void Paint();
    bool MenuShortCut(WORD key, TShiftState shift);
    // True when a shortcut or the form's handler took the key.
    bool KeyDown(WPARAM key, bool repeat);

    TFormParams params_;
    TCanvas canvas_;
    int cursor_ = crDefaultCursor;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool destroyed_ = false;
    bool swallowSysChar_ = false;

    static constexpr int crDefaultCursor = 0;
};

TShiftState ShiftStateNow();
