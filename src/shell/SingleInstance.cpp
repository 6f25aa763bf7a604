#include "shell/SingleInstance.h"
#include "framework/Application.h"
#include "shell/Host.h"
#include <sddl.h>
#include <vector>

namespace {
constexpr wchar_t kNamePrefix[] = L"Quillmont.Vantacle.";
// Registered by name, so a later start of any build means the same message.
constexpr wchar_t kShowRequestName[] = L"Quillmont.Vantacle.Show";

// A running program may still be starting when a later start looks for it:
// its claim comes a moment before its window.
constexpr DWORD kFindWait = 10000;
// Ending saves the settings of a running tool; an error box on the way waits
// for the user, and an uninstaller must not wait for ever.
constexpr DWORD kEndWait = 30000;
constexpr DWORD kPollInterval = 50;

UINT ShowRequestMessage() {
    static const UINT message = RegisterWindowMessageW(kShowRequestName);
    return message;
}

// The user's security identifier as text: the instance is per user, also
// where two users' programs share one session (Run as another user).
std::wstring UserSidText() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    UniqueKernelHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::wstring text;
    std::vector<BYTE> buffer(size);
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        LPWSTR sid = nullptr;
        if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
            text = sid;
            LocalFree(sid);
        }
    }
    return text;
}

std::wstring InstanceName() {
    return kNamePrefix + UserSidText();
}

// The window of the running instance, waiting a while for one that is
// still starting (its claim exists, its window not yet).
HWND FindInstanceWindow(const std::wstring& name) {
    const std::wstring mutexName = L"Local\\" + name;
    for (DWORD start = GetTickCount();;) {
        if (HWND window = FindWindowW(kInstanceWindowClass, name.c_str())) return window;
        UniqueKernelHandle claim(OpenMutexW(SYNCHRONIZE, FALSE, mutexName.c_str()));
        if (!claim || GetTickCount() - start >= kFindWait) return nullptr;
        Sleep(kPollInterval);
    }
}
} // namespace

TInstanceClaim::TInstanceClaim() : name_(InstanceName()) {
    mutex_.reset(CreateMutexW(nullptr, FALSE, (L"Local\\" + name_).c_str()));
    // Without a mutex (its name taken by an object of another kind) the
    // program still runs: one instance too many is better than none.
    first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

TInstanceWindow::TInstanceWindow(const TInstanceClaim& claim, std::function<void()> onShowRequest,
                                 std::function<void()> onEndRequest)
    : onShowRequest_(std::move(onShowRequest)), onEndRequest_(std::move(onEndRequest)) {
    // Without it the program still runs, only later starts cannot reach it:
    // the error box says why, and the start goes on.
    GuardedCall([&] {
        RegisterWindowClassOnce({kInstanceWindowClass});
        // Top-level, so that the session's end reaches it (message-only
        // windows get no broadcasts); never shown, so no taskbar entry.
        CreateHandlerWindow(
            *this, {kInstanceWindowClass, claim.Name().c_str(), WS_POPUP, WS_EX_TOOLWINDOW});
    });
}

TInstanceWindow::~TInstanceWindow() {
    if (HWND window = Handle()) DestroyWindow(window);
}

LRESULT TInstanceWindow::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        onEndRequest_();
        return 0;
    case WM_QUERYENDSESSION:
        // Nothing needs the user's answer before the session ends.
        return TRUE;
    case WM_ENDSESSION:
        // wParam FALSE: the session goes on after all.
        if (wParam) onEndRequest_();
        return 0;
    default:
        if (message == ShowRequestMessage() && message != 0) {
            onShowRequest_();
            return 0;
        }
        return DefaultMessage(message, wParam, lParam);
    }
}

bool ShowRunningInstance(const TInstanceClaim& claim) {
    HWND window = FindInstanceWindow(claim.Name());
    if (!window) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // The user started us: the running program may take the foreground for
    // the window it shows.
    AllowSetForegroundWindow(process);
    return PostMessageW(window, ShowRequestMessage(), 0, 0) != FALSE;
}

bool CloseRunningInstance() {
    HWND window = FindInstanceWindow(InstanceName());
    if (!window) return true;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    if (!process || !PostMessageW(window, WM_CLOSE, 0, 0)) return !IsWindow(window);
    // The process, not its window: its executable file is free once the
    // process has ended, which is what an uninstaller waits for.
    return WaitForSingleObject(process.get(), kEndWait) == WAIT_OBJECT_0;
}

void ShowForLaterStart(TfrmHost& host) {
    // The overlay would cover what the user asked to see.
    host.StopTool();
    // A tool's own dialog (its save dialog) keeps the activation until it
    // closes; otherwise our dialogs are owned by the application's window.
    HWND owner = host.Activation() ? host.Handle() : Application.Handle();
    HWND open = GetLastActivePopup(owner);
    if (open && open != owner && IsWindowVisible(open)) {
        SetForegroundWindow(open);
        return;
    }
    if (host.Activation() || !ToolsEnabled || !host.Handle()) return;
    host.mniPreferencesClick();
}

void EndProgram(TfrmHost& host) {
    host.StopTool();
    Application.Terminate();
}
