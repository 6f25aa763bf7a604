// The About dialog and its home page link.
#include "dialogs/About.h"
#include "dialogs/ProductTexts.h"
#include "framework/Application.h"
#include "framework/Error.h"
#include <shellapi.h>

const wchar_t kHomePageAddress[] = L"http://www.quillmont.com/vantacle/";

namespace {
enum : int {
    imgIcon = 100,
    lblVantacle,
    lblDescription,
    lblVersion,
    lblCopyright,
    lblUrl,
    btnOK = IDOK
};

constexpr int kTitleFontHeight = 32;
constexpr int kDesignFontHeight = 11;
constexpr COLORREF kLinkColor = RGB(0, 0, 255);

constexpr TControlDef kControls[] = {
    {imgIcon, L"STATIC", L"", SS_ICON | SS_CENTERIMAGE, 16, 16, 32, 32},
    {lblVantacle, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 60, 6, 300, 40},
    {lblDescription, L"STATIC", kProductDescription, SS_LEFT | SS_NOPREFIX, 60, 50, 300, 16},
    {lblVersion, L"STATIC", L"version 1.71", SS_LEFT | SS_NOPREFIX, 60, 72, 300, 16},
    {lblCopyright, L"STATIC", L"Copyright \u00A9 Quillmont. All rights reserved.",
     SS_LEFT | SS_NOPREFIX, 60, 94, 300, 16},
    {lblUrl, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 60, 122, 300, 16},
    {btnOK, L"BUTTON", L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 147, 162, 75, 25},
};
} // namespace

// Client 369 by 200 at "MS Sans Serif" of height 11.
TfrmAbout::TfrmAbout() : TDialog({L"About", 369, 200, kDesignFontHeight, kControls}) {
    KeyPreview = true;
}

void TfrmAbout::FormCreate() {
    SendMessageW(Item(imgIcon), STM_SETICON, reinterpret_cast<WPARAM>(Application.Icon()), 0);
    SetControlFont(lblVantacle, kTitleFontHeight, /*bold=*/true, /*underline=*/false);
    SetControlFont(lblUrl, kDesignFontHeight, /*bold=*/false, /*underline=*/true);
    SetWindowTextW(Item(lblUrl), kHomePageAddress);
    SetWindowTextW(Item(lblVantacle), Application.Title().c_str());
}

void TfrmAbout::FormKeyDown(WORD& key) {
    // A lone Alt would put the dialog into its system menu's keyboard mode.
    if (key == VK_MENU) key = 0;
}

void TfrmAbout::lblUrlClick() {
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(Handle(), L"open", kHomePageAddress, nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32)
        throw Error(std::wstring(L"Cannot open the home page ") + kHomePageAddress + L".");
    Application.ProcessMessages();
    ModalResult(IDOK);
}

void TfrmAbout::Command(int id, int code) {
    if (id == lblUrl) {
        if (code == STN_CLICKED) lblUrlClick();
        return;
    }
    TDialog::Command(id, code);
}

bool TfrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Item(lblUrl)) {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kLinkColor);
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    if (message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == Item(lblUrl)) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
    }
    return false;
}
