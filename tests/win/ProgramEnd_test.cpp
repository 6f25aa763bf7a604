// The program ended from outside while a tool runs, through its main window:
// a close request, a log-off, an installer's close request through the
// Restart Manager. When the message returns, the tool has ended as by Escape
// (every setting saved: the system may end the process right after a
// WM_ENDSESSION) and the message loop is asked to end with exit code 0.
#include "HostTestSupport.h"
#include "shell/SingleInstance.h"
#include <gtest/gtest.h>

namespace {
// Written by a save only: the start writes the product's values alone.
bool SettingsSaved() {
    return TRegistryIniFile(HKEY_CURRENT_USER, kSettingsBaseKey)
        .ReadValue(kOptionsSection, L"AutoStart")
        .has_value();
}
} // namespace

TEST(ProgramEnd, ACloseRequestOrTheSessionsEndEndsTheRunningToolThenTheProgram) {
    const LPARAM logOff = static_cast<LPARAM>(ENDSESSION_LOGOFF);
    const LPARAM closeApp = static_cast<LPARAM>(ENDSESSION_CLOSEAPP);
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {{"a close request", WM_CLOSE, 0, 0},
                 {"a log-off", WM_ENDSESSION, TRUE, logOff},
                 {"the Restart Manager", WM_ENDSESSION, TRUE, closeApp}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StoreKnownStart();
        auto host = CreateHost();
        {
            TInstanceClaim claim;
            TInstanceWindow mainWindow(
                claim, [] {}, [&] { EndProgram(*host); });
            host->StartTool(kMeasurer);
            ASSERT_TRUE(host->ToolActive());
            ASSERT_FALSE(SettingsSaved());
            if (c.message == WM_ENDSESSION) {
                // Asked first; the session's end may still be called off then.
                EXPECT_TRUE(SendMessageW(mainWindow.Handle(), WM_QUERYENDSESSION, 0, c.lParam));
                EXPECT_TRUE(host->ToolActive());
            }
            SendMessageW(mainWindow.Handle(), c.message, c.wParam, c.lParam);
            EXPECT_FALSE(host->ToolActive());
            EXPECT_FALSE(IsWindowVisible(host->Handle()));
            EXPECT_TRUE(SettingsSaved());
        }
        MSG quit{};
        EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(quit.wParam, 0u); // the exit code
        host.reset();
        Application.SetMainForm(nullptr);
    }
    StoreKnownStart();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Vantacle");
}
