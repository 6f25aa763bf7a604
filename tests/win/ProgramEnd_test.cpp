// The real program ended from outside while a tool runs: by a close request
// to its main window, and by the session's end as the system and the Restart
// Manager send it. Each ends the tool as Escape does (the settings saved),
// and the process, with exit code 0. At the session's end the settings are
// saved before WM_ENDSESSION returns: the system may end the process then.
#include "HostTestSupport.h"
#include "framework/Handle.h"
#include "framework/ProgramPath.h"
#include "shell/SingleInstance.h"
#include "tools/ToolTable.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
const LPARAM kLogOff = static_cast<LPARAM>(ENDSESSION_LOGOFF);
const LPARAM kCloseApp = static_cast<LPARAM>(ENDSESSION_CLOSEAPP);

struct TMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The shipped program of this build folder: tests/win_tests.exe is one below it.
std::wstring ProgramPath() {
    const std::wstring relative = ExecutableFolder() + L"..\\Vantacle.exe";
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(relative.c_str(), MAX_PATH, full, nullptr);
    return length && length < MAX_PATH ? std::wstring(full, length) : relative;
}

struct TWindowSearch {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM data) noexcept {
    auto* search = reinterpret_cast<TWindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD process) {
    TWindowSearch search{process, {}};
    EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WindowOf(DWORD process, const wchar_t* className) {
    for (HWND window : TopLevelWindowsOf(process)) {
        wchar_t name[64]{};
        GetClassNameW(window, name, 64);
        if (std::wstring(name) == className) return window;
    }
    return nullptr;
}

template <typename Condition> bool WaitFor(Condition done, DWORD milliseconds = 30000) {
    for (DWORD start = GetTickCount(); !done();) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(20);
    }
    return true;
}

std::wstring RunValue() {
    wchar_t data[MAX_PATH]{};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Vantacle", RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS)
        return L"(none)";
    return data;
}

DWORD StoredOptionCount() {
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kSettingsBaseKey) + L"\\" + kOptionsSection;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    UniqueRegKey owned(key);
    DWORD values = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    return values;
}
} // namespace

TEST(ProgramEnd, ARequestToEndWhileAToolRunsEndsTheToolAndTheProcessWithTheSettingsSaved) {
    const struct {
        const char* name;
        // Sent to every top-level window of the program, as the system sends
        // the session's end; otherwise posted to its main window alone.
        bool everyWindow;
        std::vector<TMessage> messages;
    } cases[] = {
        {"a close request to the main window", false, {{WM_CLOSE, 0, 0}}},
        {"a log-off", true, {{WM_QUERYENDSESSION, 0, kLogOff}, {WM_ENDSESSION, TRUE, kLogOff}}},
        {"an installer's close request through the Restart Manager",
         true,
         {{WM_QUERYENDSESSION, 0, kCloseApp}, {WM_ENDSESSION, TRUE, kCloseApp}}},
    };
    const std::wstring program = ProgramPath();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StoreKnownStart();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Vantacle");

        std::wstring command = L"\"" + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &started))
            << GetLastError();
        UniqueKernelHandle process(started.hProcess), thread(started.hThread);
        ScopeExit noneLeft([&] {
            if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT)
                TerminateProcess(process.get(), 99);
        });

        HWND host = nullptr, mainWindow = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            host = WindowOf(started.dwProcessId, L"TfrmHost");
            mainWindow = WindowOf(started.dwProcessId, kInstanceWindowClass);
            return host && mainWindow;
        }));
        // As the Measurer's hot key would.
        PostMessageW(host, WM_HOTKEY, kMeasurer, 0);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(host) != FALSE; })) << "no tool started";
        ASSERT_EQ(StoredOptionCount(), 0u) << "settings saved before the end";

        if (c.everyWindow) {
            const std::vector<HWND> windows = TopLevelWindowsOf(started.dwProcessId);
            for (const TMessage& m : c.messages) {
                for (HWND window : windows) {
                    DWORD_PTR answer = 0;
                    const bool answered = SendMessageTimeoutW(window, m.message, m.wParam, m.lParam,
                                                              SMTO_NORMAL, 10000, &answer) != 0;
                    // Every window agrees that the session may end.
                    if (m.message == WM_QUERYENDSESSION) {
                        EXPECT_TRUE(answered && answer);
                    }
                }
            }
        } else {
            for (const TMessage& m : c.messages)
                PostMessageW(mainWindow, m.message, m.wParam, m.lParam);
        }

        ASSERT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0) << "still running";
        DWORD exitCode = 99;
        GetExitCodeProcess(process.get(), &exitCode);
        EXPECT_EQ(exitCode, 0u);
        // What the end of every activation saves: all settings, and the
        // start with Windows they ask for.
        EXPECT_EQ(StoredOptionCount(), 24u);
        EXPECT_EQ(RunValue(), program);
    }
    StoreKnownStart();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Vantacle");
}

TEST(ProgramEnd, AtTheSessionsEndTheToolHasEndedAndTheSettingsAreSavedWhenTheMessageReturns) {
    StoreKnownStart();
    auto host = CreateHost();
    {
        // In this process, so nothing can happen between the message's
        // return and the look at what it did.
        TInstanceClaim claim;
        TInstanceWindow mainWindow(
            claim, [] {}, [&] { EndProgram(*host); });
        host->StartTool(kMeasurer);
        ASSERT_TRUE(host->ToolActive());
        ASSERT_EQ(StoredOptionCount(), 0u);
        SendMessageW(mainWindow.Handle(), WM_QUERYENDSESSION, 0, kLogOff);
        EXPECT_TRUE(host->ToolActive()) << "the session's end may still be called off";
        SendMessageW(mainWindow.Handle(), WM_ENDSESSION, TRUE, kLogOff);
        EXPECT_FALSE(host->ToolActive());
        EXPECT_FALSE(IsWindowVisible(host->Handle()));
        EXPECT_EQ(StoredOptionCount(), 24u);
    }
    // The program's end was asked for: its message loop would stop here.
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    host.reset();
    Application.SetMainForm(nullptr);
    StoreKnownStart();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Vantacle");
}
