// The welcome dialog of a first start.
#include "dialogs/FirstRun.h"
#include "dialogs/ProductTexts.h"
#include "framework/Application.h"

namespace {
enum : int { imgIcon = 100, lblVantacle, lblDescription, lblText, btnOK = IDOK };

constexpr wchar_t kText[] =
    L"Vantacle defaults to a single tray icon, which can be right-clicked to activate any of these "
    L"utilities.\n\n"
    L"If you are doing intensive screen work, Vantacle can display separate icons for any or all "
    L"of the separate utilities - allowing quick access with a single click.\n\n"
    L"Any of these separated icons can be right-clicked to reveal the complete Vantacle menu.";

constexpr int kTitleFontHeight = 24;

constexpr TControlDef kControls[] = {
    {imgIcon, L"STATIC", L"", SS_ICON | SS_CENTERIMAGE, 16, 16, 32, 32},
    {lblVantacle, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 60, 10, 300, 32},
    {lblDescription, L"STATIC", kProductDescription, SS_LEFT | SS_NOPREFIX, 60, 44, 304, 16},
    {lblText, L"STATIC", kText, SS_LEFT | SS_NOPREFIX, 60, 66, 304, 145},
    // One button that is both the default and the cancel button: Enter and
    // Escape both close the dialog.
    {btnOK, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 150, 216, 75, 25},
};
} // namespace

// Client 375 by 250 at "Tahoma" of height 11.
TfrmFirstRun::TfrmFirstRun() : TDialog({L"Welcome!", 375, 250, 11, kControls}) {}

void TfrmFirstRun::FormCreate() {
    SetControlFont(lblVantacle, kTitleFontHeight, /*bold=*/true, /*underline=*/false);
    SetWindowTextW(Item(lblVantacle), Application.Title().c_str());
    SendMessageW(Item(imgIcon), STM_SETICON, reinterpret_cast<WPARAM>(Application.Icon()), 0);
}

void ShowFirstRun() {
    TfrmFirstRun dialog;
    dialog.ShowModal();
}
