// The tray menu's two dialogs as the host runs them: tools blocked while
// they are open, and everything put back however they end.
#include "dialogs/About.h"
#include "dialogs/Setup.h"
#include "framework/Application.h"
#include "shell/Host.h"
#include "shell/RegistrySettings.h"
#include "shell/Settings.h"

namespace {
THotKeySettings ToolHotKeySettings() {
    THotKeySettings hotKeys{};
    static_assert(kSetupToolCount == kToolCount);
    for (int tool = 0; tool < kToolCount; ++tool)
        hotKeys[tool] = kTools[tool].HotKey;
    return hotKeys;
}
} // namespace

void TfrmHost::mniPreferencesClick() {
    TfrmSetup dialog;
    dialog.Values = SetupValuesFromSettings(Settings, ToolHotKeySettings());

    UnregisterHotKeys();
    ToolsEnabled = false;
    SetToolIcons(IconUnavailable, kAllTools);
    // Also when the dialog or the saving fails: a program left without its
    // hot keys and with its tools blocked could only be ended.
    ScopeExit restore([this] {
        RegisterHotKeys();
        ToolsEnabled = true;
        SetToolIcons(IconNormal, kAllTools);
        UpdateTrayIconVisibility();
    });

    if (dialog.ShowModal() != IDOK) return;
    SettingsFromSetupValues(dialog.Values, Settings, ToolHotKeySettings());
    SaveSettings();
}

void TfrmHost::mniAboutClick() {
    ToolsEnabled = false;
    SetToolIcons(IconUnavailable, kAllTools);
    ScopeExit restore([this] {
        pmnTray.Find(L"mniAbout")->Enabled = true;
        // No taskbar entry may stay behind after the dialog.
        ShowWindow(Application.Handle(), SW_HIDE);
        SetToolIcons(IconNormal, kAllTools);
        ToolsEnabled = true;
    });
    TfrmAbout dialog;
    dialog.ShowModal();
}
