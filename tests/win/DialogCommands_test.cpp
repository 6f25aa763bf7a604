// The host's Preferences command when the settings cannot be saved after OK:
// the error reaches the caller's error box, and the hot keys and the tools
// are back all the same.
#include "HostTestSupport.h"
#include "framework/Application.h"
#include "framework/Error.h"
#include "framework/RegistryIni.h"
#include "shell/Host.h"
#include "shell/Settings.h"
#include <gtest/gtest.h>
#include <string>

namespace {
constexpr UINT kModifiers = MOD_CONTROL | MOD_ALT;
constexpr UINT kKey = VK_F11;
const std::wstring kProductKey = std::wstring(kSettingsBaseKey) + L"\\" + kProductSection;

// True when nobody holds Ctrl+Alt+F11: then this thread can take it.
bool HotKeyFree() {
    constexpr int kProbeId = 0x7000;
    if (!RegisterHotKey(nullptr, kProbeId, kModifiers, kKey)) return false;
    UnregisterHotKey(nullptr, kProbeId);
    return true;
}

struct WhileOpen {
    bool seen = false;
    bool toolsEnabled = true;
    bool hotKeyFree = false;
} whileOpen;

// Runs inside the dialog's modal loop: notes the state, then presses OK.
void CALLBACK PressOk(HWND, UINT, UINT_PTR, DWORD) noexcept {
    HWND dialog = FindWindowW(L"#32770", L"Preferences");
    if (!dialog || !IsWindowVisible(dialog) || whileOpen.seen) return;
    whileOpen = {true, ToolsEnabled, HotKeyFree()};
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}
} // namespace

TEST(PreferencesCommand, ARefusedSaveIsReportedAndTheHotKeysAndToolsAreBack) {
    StoreKnownStart();
    TRegistryIniFile(HKEY_CURRENT_USER, kSettingsBaseKey)
        .WriteString(kOptionsSection, L"MagnifierKey",
                     std::to_wstring(scCtrl | scAlt | kKey).c_str());
    const std::unique_ptr<TfrmHost> created = CreateHost();
    TfrmHost& host = *created;
    ASSERT_FALSE(HotKeyFree());

    // A volatile product key takes no lasting Options key: every save fails.
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsBaseKey);
    HKEY product;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey.c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &product, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(product);

    whileOpen = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PressOk);
    EXPECT_THROW(host.mniPreferencesClick(), Error);
    KillTimer(nullptr, timer);

    ASSERT_TRUE(whileOpen.seen);
    EXPECT_FALSE(whileOpen.toolsEnabled);
    EXPECT_TRUE(whileOpen.hotKeyFree);
    EXPECT_TRUE(ToolsEnabled);
    EXPECT_FALSE(HotKeyFree()) << "the hot keys stayed unregistered";
    EXPECT_FALSE(FindWindowW(L"#32770", L"Preferences"));

    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsBaseKey);
    Application.SetMainForm(nullptr);
    Settings = TSettings{};
}
