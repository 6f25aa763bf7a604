// A host form over a known registry: the settings key holds only the current
// version, so a start shows no welcome dialog and every setting is its default.
#pragma once

#include "framework/Application.h"
#include "framework/RegistryIni.h"
#include "shell/Host.h"
#include "shell/Settings.h"
#include <memory>

inline void StoreKnownStart() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsBaseKey);
    TRegistryIniFile(HKEY_CURRENT_USER, kSettingsBaseKey)
        .WriteString(kProductSection, L"@Version", L"1.71");
    Settings = TSettings{};
}

// The program's main form, created over the settings as stored now.
inline std::unique_ptr<TfrmHost> CreateHost() {
    auto host = std::make_unique<TfrmHost>();
    Application.SetMainForm(host.get());
    host->Create();
    return host;
}
