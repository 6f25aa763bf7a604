// The base of the program's dialogs: controls created from a table laid out
// at the design font's size, the system's message font adopted at the DPI of
// the dialog's monitor with the layout scaled to it, a modal loop with key
// preview, and a dialog procedure that turns messages into the dialog's
// handlers.
#pragma once

#include "framework/Handle.h"
#include <span>
#include <string>
#include <vector>

// One control, in pixels at the design font; created in table order, which
// is therefore also the tab order.
struct TControlDef {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int x, y, width, height;
    // Topic of the help file that F1 opens while the control has the focus.
    int helpContext = 0;
    DWORD exStyle = 0;
};

struct TDialogParams {
    const wchar_t* caption;
    int clientWidth, clientHeight; // at the design font
    int designFontHeight;          // absolute, in pixels
    std::span<const TControlDef> controls;
};

class TDialog {
public:
    explicit TDialog(TDialogParams params);
    virtual ~TDialog();
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;

    // Creates the dialog, owned by the application's window, runs it until
    // it ends and destroys it; returns the button that ended it (IDOK,
    // IDCANCEL). Errors of the creation reach the caller, errors of the
    // handlers while it runs are shown and it goes on.
    int ShowModal();
    // Creates the dialog hidden, with its controls, the adopted font and its
    // FormCreate, centred on the screen; ShowModal does it when not done yet.
    void Create();
    // Ends the modal run with this result.
    void ModalResult(int result);

    HWND Handle() const { return window_.get(); }
    HWND Item(int id) const { return GetDlgItem(window_.get(), id); }
    // The message font the dialog adopted.
    HFONT Font() const { return font_.get(); }
    // A design-size length in the adopted font's scale.
    int Scale(int designLength) const;
    // Gives a control a font of the dialog's face with a design height of
    // its own, scaled like the rest; it follows the dialog to a monitor of
    // another scaling.
    void SetControlFont(int id, int designHeight, bool bold, bool underline);

    bool KeyPreview = false;

protected:
    // After the controls exist in the adopted font; the dialog is still hidden.
    virtual void FormCreate() {}
    // Right after the dialog has appeared.
    virtual void FormShow() {}
    // With key preview: sees key-downs before the focused control; setting
    // key to 0 discards the stroke.
    virtual void FormKeyDown(WORD& /*key*/) {}
    // WM_COMMAND from a control; the default ends the run on OK and Cancel.
    virtual void Command(int id, int code);
    // Messages the base does not decode; true when handled, with the dialog
    // procedure's result.
    virtual bool HandleMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR& /*result*/) {
        return false;
    }

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void AdoptMessageFont();
    void CreateControls();
    // Moved to a monitor of another scaling: fonts and layout at the new
    // DPI, in the window rectangle the system suggests.
    void ChangeDpi(int dpi, const RECT& suggested);
    // The window's size for the layout at dpi_, with the frame drawn there.
    SIZE WindowSize() const;
    UniqueFont MakeFont(int designHeight, bool bold, bool underline) const;
    bool PreviewKey(const MSG& msg);
    void ShowHelp();

    TDialogParams params_;
    UniqueWindow window_;
    UniqueFont font_;
    int fontHeight_ = 0; // absolute height of the adopted font
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<HWND> controls_; // in table order
    struct OwnFont {
        int id, designHeight;
        bool bold, underline;
        UniqueFont font;
    };
    std::vector<OwnFont> ownFonts_;
    bool running_ = false;
    int result_ = IDCANCEL;
};
