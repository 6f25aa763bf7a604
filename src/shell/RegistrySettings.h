// The settings in the user's registry, and the program-level load and save
// that the host form and the dialogs call.
#pragma once

#include "framework/RegistryIni.h"
#include "shell/Settings.h"

class RegistrySettingsStore : public SettingsStore {
public:
    // root is HKEY_CURRENT_USER for the program; tests may point elsewhere.
    explicit RegistrySettingsStore(HKEY root = HKEY_CURRENT_USER);
    std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view name) override;
    void Write(std::wstring_view section, std::wstring_view name, std::wstring_view value) override;
    void WriteRunEntry(std::wstring_view exePath) override;
    void DeleteRunEntry() override;

private:
    HKEY root_;
    TRegistryIniFile ini_;
};

// The screen's logical pixels per inch.
int32_t ScreenPixelsPerInch();

// Load with the executable's path and the screen's resolution; a failure to
// record the start is shown in the error box and loading goes on.
bool LoadSettings();
void SaveSettings();
