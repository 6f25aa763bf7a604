#include "framework/SaveDialog.h"
#include "framework/Application.h"
#include "framework/CommonControls.h"
#include "framework/Error.h"
#include "framework/Input.h"
#include "framework/LastError.h"
#include "framework/Monitors.h"
#include "framework/SavePath.h"
#include "framework/SystemFunction.h"
#include <algorithm>
#include <commdlg.h>
#include <vector>

namespace {
// Names of any length the file system takes.
constexpr size_t kFileNameCapacity = 32768;

std::wstring WithoutDot(const std::wstring& extension) {
    return !extension.empty() && extension[0] == L'.' ? extension.substr(1) : extension;
}

// The system wants the pairs separated and ended by zeros.
std::wstring SystemFilter(const std::wstring& filter) {
    std::wstring text = filter;
    for (wchar_t& c : text)
        if (c == L'|') c = L'\0';
    text.push_back(L'\0');
    text.push_back(L'\0');
    return text;
}
} // namespace

namespace {
constexpr UINT_PTR kNameGuard = 1;
constexpr wchar_t kNameTooLong[] =
    L"The file name is too long. Choose a shorter name or a folder nearer the top of the drive.";

std::wstring DialogText(HWND dialog, UINT message) {
    const LRESULT size = SendMessageW(dialog, message, 0, 0);
    if (size <= 0) return {};
    std::vector<wchar_t> text(static_cast<size_t>(size) + 1, L'\0');
    SendMessageW(dialog, message, static_cast<WPARAM>(text.size()),
                 reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

// The dialog builds the full path in a buffer of MAX_PATH characters; a
// longer name must not reach it (Wine's dialog crashes on one), so it is
// refused here, before the dialog sees the button.
LRESULT CALLBACK GuardName(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) noexcept {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        const std::wstring name = DialogText(dialog, CDM_GETSPEC);
        if (!name.empty() &&
            SavePathLength(name, DialogText(dialog, CDM_GETFOLDERPATH)) >= MAX_PATH) {
            wchar_t title[256] = L"";
            GetWindowTextW(dialog, title, 256);
            MessageBoxW(dialog, kNameTooLong, title, MB_OK | MB_ICONWARNING);
            return 0;
        }
    }
    if (message == WM_NCDESTROY) DropWindowSubclass(dialog, GuardName, kNameGuard);
    return NextSubclassProc(dialog, message, wParam, lParam);
}
} // namespace

UINT_PTR CALLBACK TSaveDialog::Hook(HWND dialog, UINT message, WPARAM, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        SetWindowLongPtrW(dialog, GWLP_USERDATA, ofn->lCustData);
        AddWindowSubclass(GetParent(dialog), GuardName, kNameGuard, 0);
        return 0;
    }
    if (message != WM_NOTIFY) return 0;
    const auto* notice = reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (notice->hdr.code == CDN_INITDONE) {
        // On the monitor the user works on, as the program's own dialogs
        // are, whatever the owner's rectangle (the overlay spans them all).
        HWND window = GetParent(dialog);
        RECT r{};
        GetWindowRect(window, &r);
        const RECT placed =
            CentredOnMonitorAt(PointerOnScreen(), r.right - r.left, r.bottom - r.top);
        SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    if (notice->hdr.code != CDN_TYPECHANGE) return 0;
    auto* self = reinterpret_cast<TSaveDialog*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (!self) return 0;
    GuardedCall([&] {
        self->FilterIndex = static_cast<int>(notice->lpOFN->nFilterIndex);
        if (self->OnTypeChange) self->OnTypeChange(*self);
        const std::wstring extension = WithoutDot(self->DefaultExt);
        CommDlg_OpenSave_SetDefExt(GetParent(dialog), extension.c_str());
    });
    return 0;
}

bool TSaveDialog::Execute(HWND owner) {
    const std::wstring filter = SystemFilter(Filter);
    const std::wstring extension = WithoutDot(DefaultExt);
    std::vector<wchar_t> name(kFileNameCapacity, L'\0');
    FileName.copy(name.data(), std::min(FileName.size(), name.size() - 1));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrDefExt = extension.c_str();
    // The hook places the dialog and listens for type changes.
    ofn.Flags = Options | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    ofn.lpfnHook = Hook;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);

    // The common dialogs' library is loaded at the first save, not at the start.
    using ShowFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
    using FailureFunction = DWORD(WINAPI*)();
    static const auto show = SystemFunction<ShowFunction>(L"comdlg32.dll", "GetSaveFileNameW");
    static const auto failureOf =
        SystemFunction<FailureFunction>(L"comdlg32.dll", "CommDlgExtendedError");
    if (!show || !failureOf) ThrowLastError(L"The save dialog cannot open");
    const int chosenBefore = FilterIndex;
    if (!show(&ofn)) {
        FilterIndex = chosenBefore;
        if (const DWORD failure = failureOf())
            throw Error(L"The save dialog cannot open (error " + std::to_wstring(failure) + L").");
        return false;
    }
    FileName = name.data();
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}
