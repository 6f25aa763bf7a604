#include "shell/RegistrySettings.h"
#include "framework/Application.h"
#include "framework/ProgramPath.h"

RegistrySettingsStore::RegistrySettingsStore(HKEY root)
    : root_(root), ini_(root, kSettingsBaseKey) {}

std::optional<std::wstring> RegistrySettingsStore::Read(std::wstring_view section,
                                                        std::wstring_view name) {
    return ini_.ReadValue(section, name);
}

void RegistrySettingsStore::Write(std::wstring_view section, std::wstring_view name,
                                  std::wstring_view value) {
    ini_.WriteString(section, name, value);
}

void RegistrySettingsStore::WriteRunEntry(std::wstring_view exePath) {
    HKEY key = nullptr;
    RegCreateKeyExW(root_, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    UniqueRegKey owned(key);
    // The path goes in without quotes; the shell copes with spaces in it.
    RegistryWriteText(key, kRunValueName, exePath);
}

void RegistrySettingsStore::DeleteRunEntry() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root_, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    UniqueRegKey owned(key);
    RegDeleteValueW(key, kRunValueName);
}

int32_t ScreenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

bool LoadSettings() {
    RegistrySettingsStore store;
    return LoadSettings(store, ExecutablePath(), ScreenPixelsPerInch(),
                        [] { Application.HandleException(); });
}

void SaveSettings() {
    RegistrySettingsStore store;
    SaveSettings(store, ExecutablePath());
}
