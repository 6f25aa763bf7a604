// The application object: the message loop with its idle and deactivation
// events, the error box every handler's error ends in, the title, the help
// file, the main icon and the table of cursors.
#pragma once

#include "framework/Window.h"
#include <windows.h>
#include <exception>
#include <functional>
#include <map>
#include <string>

class TForm;

// Cursor numbers: positive ones are the program's own slots, the rest stand
// for the system's shapes.
enum : int {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crHourGlass = -11,
    crHandPoint = -21,
    crSizeAll = -22,
};

class TApplication : public TWindowHandler {
public:
    // Registers the window classes the framework uses and creates the hidden
    // application window that owns popup menus. Call once, before any form.
    void Initialize();
    void Run();
    // Makes `form` the main form, creates it and runs the message loop.
    // Returns the program's exit code: 0 once the user has ended the
    // program, 1 when the form could not be created; the error box has then
    // said why, and no process stays behind without its window.
    int CreateAndRun(TForm& form);
    // Handles every message that is waiting, then returns.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    const std::wstring& Title() const { return title_; }
    void SetTitle(std::wstring title) { title_ = std::move(title); }
    const std::wstring& HelpFile() const { return helpFile_; }
    void SetHelpFile(std::wstring file) { helpFile_ = std::move(file); }
    bool ShowMainForm = true;

    HINSTANCE Instance() const;
    // Handle(): the hidden window that owns the program's popup menus and
    // carries requests made to the application as a whole.
    // The executable's main icon.
    HICON Icon() const { return icon_; }
    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form) { mainForm_ = form; }

    // Runs when the message queue has become empty. A handler may clear it
    // while it runs.
    std::function<void()> OnIdle;
    // Runs when the program loses activation to another program.
    std::function<void()> OnDeactivate;

    // nullptr for a slot that holds no cursor; crNone also gives nullptr,
    // which hides the pointer.
    HCURSOR Cursor(int slot) const;
    void SetCursor(int slot, HCURSOR cursor);

    // The default error box: the error's text, the application title as caption.
    void ShowException(const std::exception& error);
    // Shows the error currently being handled; for catch (...) blocks.
    void HandleException() noexcept;

    // Called by forms for WM_ACTIVATEAPP; fires OnDeactivate once per loss.
    void ActivationChanged(bool active);

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool PreviewKey(MSG& msg);
    void DispatchOne(MSG& msg);
    void Idle();

    std::wstring title_;
    std::wstring helpFile_;
    HICON icon_ = nullptr;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool active_ = false;
    std::map<int, HCURSOR> cursors_;
};

extern TApplication Application;

// The system's message box for an error, over the active window. (The
// program shows errors through ShowErrorBox in SystemAnswers.h.)
void SystemErrorBox(const std::wstring& text, const std::wstring& caption);

// Wraps the body of a Win32 callback: any error it raises is shown by the
// application's error box instead of crossing into Windows.
template <typename F> void GuardedCall(F&& body) noexcept {
    try {
        body();
    } catch (...) {
        Application.HandleException();
    }
}
