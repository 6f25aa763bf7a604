// The platform's save-file dialog with the properties the program sets: a
// filter of file types, the type preselected, the default extension, the
// options, the name chosen, and a notice when the user picks another type.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <functional>
#include <string>

class TSaveDialog {
public:
    // "Label|pattern|Label|pattern": one file type per pair.
    std::wstring Filter;
    // The chosen type, counted from 1; read it after a confirmed dialog.
    int FilterIndex = 1;
    // Appended to a name typed without one; a leading "." is allowed.
    std::wstring DefaultExt;
    // The name chosen last; preselected when the dialog opens.
    std::wstring FileName;
    // OFN_ options.
    DWORD Options = 0;
    // The user picked another type while the dialog is open; FilterIndex
    // holds it. The handler may change DefaultExt, which applies at once.
    std::function<void(TSaveDialog& sender)> OnTypeChange;

    // Shows the dialog over `owner`; true when the user confirmed a name. A
    // cancelled dialog leaves FileName and FilterIndex as they were.
    bool Execute(HWND owner);

private:
    static UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
};
