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

// Moves the pointer and returns once the system reports it there: right
// after SetCursorPos, Wine may still name the earlier place for a moment.
inline bool PutPointerAt(int x, int y) {
    SetCursorPos(x, y);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2000;) {
        POINT p{};
        if (GetCursorPos(&p) && p.x == x && p.y == y) return true;
        Sleep(1);
    }
    return false;
}

// The program's main form, created over the settings as stored now.
inline std::unique_ptr<TfrmHost> CreateHost() {
    auto host = std::make_unique<TfrmHost>();
    Application.SetMainForm(host.get());
    host->Create();
    return host;
}
