#include "framework/Dialog.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/Error.h"
#include "framework/Input.h"
#include "framework/Monitors.h"
#include "framework/SystemAnswers.h"
#include "framework/LastError.h"
#include "framework/CommonControls.h"
#include <cstdlib>

namespace {
// An empty template: the controls come from the table, in pixels.
struct alignas(DWORD) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu = 0, windowClass = 0, title = 0;
};

} // namespace

TDialog::TDialog(TDialogParams params) : params_(params) {}

TDialog::~TDialog() {
    // The derived dialog is gone already: the messages of the window's
    // destruction must not reach its handlers.
    if (window_) SetWindowLongPtrW(window_.get(), DWLP_USER, 0);
}

int TDialog::Scale(int designLength) const {
    return MulDiv(designLength, fontHeight_, params_.designFontHeight);
}

UniqueFont TDialog::MakeFont(int designHeight, bool bold, bool underline) const {
    LOGFONTW font{};
    GetObjectW(font_.get(), sizeof font, &font);
    font.lfHeight = -Scale(std::abs(designHeight));
    font.lfWidth = 0;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline;
    return UniqueFont(CreateFontIndirectW(&font));
}

void TDialog::Create() {
    // The hot-key box, track bar and up-down classes.
    InitControlClasses(ICC_HOTKEY_CLASS | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS);
    EmptyTemplate empty{};
    empty.header.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    HWND window =
        CreateDialogIndirectParamW(Application.Instance(), &empty.header, Application.Handle(),
                                   DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window) ThrowLastError(L"Cannot create a dialog");
    window_.reset(window);
    SetWindowTextW(window, params_.caption);
    // Laid out for, and centred on, the monitor the user works on: the one
    // with the pointer.
    const TScreenPoint pointer = PointerOnScreen();
    dpi_ = DpiAt(pointer);
    AdoptMessageFont();
    CreateControls();
    FormCreate();

    const SIZE size = WindowSize();
    const RECT placed = CentredOnMonitorAt(pointer, size.cx, size.cy);
    SetWindowPos(window, nullptr, placed.left, placed.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE TDialog::WindowSize() const {
    const RECT r = FrameAroundClient(
        {0, 0, Scale(params_.clientWidth), Scale(params_.clientHeight)},
        GetWindowLongW(Handle(), GWL_STYLE), GetWindowLongW(Handle(), GWL_EXSTYLE), dpi_);
    return {r.right - r.left, r.bottom - r.top};
}

int TDialog::ShowModal() {
    if (!window_) Create();
    HWND window = Handle();
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE))
        SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    FormShow();

    running_ = true;
    result_ = IDCANCEL;
    while (running_) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: leave the request for the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        bool swallowed = false;
        GuardedCall([&] { swallowed = PreviewKey(msg); });
        if (swallowed) continue;
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    running_ = false;
    window_.reset();
    return result_;
}

void TDialog::ModalResult(int result) {
    result_ = result;
    running_ = false;
}

void TDialog::AdoptMessageFont() {
    LOGFONTW font = SystemFontsAt(dpi_).message;
    font_.reset(CreateFontIndirectW(&font));
    if (!font_) ThrowLastError(L"Cannot create the dialog's font");
    fontHeight_ = std::abs(font.lfHeight);
    if (fontHeight_ == 0) fontHeight_ = params_.designFontHeight;
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void TDialog::CreateControls() {
    for (const TControlDef& c : params_.controls) {
        HWND control = CreateWindowExW(
            c.exStyle, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, Scale(c.x), Scale(c.y),
            Scale(c.width), Scale(c.height), Handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), Application.Instance(), nullptr);
        if (!control) ThrowLastError(L"Cannot create a control of a dialog");
        controls_.push_back(control);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (c.helpContext) SetWindowContextHelpId(control, c.helpContext);
    }
}

void TDialog::SetControlFont(int id, int designHeight, bool bold, bool underline) {
    UniqueFont font = MakeFont(designHeight, bold, underline);
    SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    ownFonts_.push_back({id, designHeight, bold, underline, std::move(font)});
}

void TDialog::ChangeDpi(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    // The controls take the new fonts before the old ones go.
    UniqueFont oldFont = std::move(font_);
    AdoptMessageFont();
    for (size_t i = 0; i < controls_.size() && i < params_.controls.size(); ++i) {
        const TControlDef& c = params_.controls[i];
        SetWindowPos(controls_[i], nullptr, Scale(c.x), Scale(c.y), Scale(c.width), Scale(c.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    // An up-down control sizes itself and its edit box to sit beside it:
    // attached again, it does so at the new size.
    for (HWND control : controls_) {
        wchar_t className[32] = L"";
        GetClassNameW(control, className, 32);
        if (_wcsicmp(className, UPDOWN_CLASSW) != 0) continue;
        if (auto buddy = SendMessageW(control, UDM_GETBUDDY, 0, 0))
            SendMessageW(control, UDM_SETBUDDY, static_cast<WPARAM>(buddy), 0);
    }
    for (OwnFont& own : ownFonts_) {
        UniqueFont font = MakeFont(own.designHeight, own.bold, own.underline);
        SendMessageW(Item(own.id), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        own.font = std::move(font);
    }
    // The system's suggestion scales the old size; the layout at the new
    // DPI, in the frame drawn there, is what the controls need.
    const SIZE size = WindowSize();
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool TDialog::PreviewKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
    if (msg.wParam == VK_F1) {
        ShowHelp();
        return true;
    }
    if (!KeyPreview) return false;
    WORD key = static_cast<WORD>(msg.wParam);
    FormKeyDown(key);
    return key == 0;
}

void TDialog::ShowHelp() {
    // The focused control's topic, or the nearest one among its parents.
    for (HWND w = GetFocus(); w && w != Handle(); w = GetParent(w))
        if (DWORD topic = GetWindowContextHelpId(w)) {
            WinHelpW(Handle(), Application.HelpFile().c_str(), HELP_CONTEXT, topic);
            return;
        }
}

void TDialog::Command(int id, int) {
    if (id == IDOK || id == IDCANCEL) ModalResult(id);
}

INT_PTR CALLBACK TDialog::DialogProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return FALSE; // the focus is set once the controls exist
    }
    auto* dialog = reinterpret_cast<TDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        return FALSE;
    }
    INT_PTR result = FALSE;
    GuardedCall([&] { result = dialog->Dispatch(message, wParam, lParam); });
    return result;
}

INT_PTR TDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        ModalResult(IDCANCEL);
        return TRUE;
    case WM_DPICHANGED:
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}
