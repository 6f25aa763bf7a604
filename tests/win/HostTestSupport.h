// A host form over a known registry: the settings key holds only the current
// version, so a start shows no welcome dialog and every setting is its default.
#pragma once

#include "framework/Application.h"
#include "framework/RegistryIni.h"
#include "shell/Host.h"
#include "shell/Settings.h"
#include <memory>
#include <string>

inline void StoreKnownStart() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsBaseKey);
    TRegistryIniFile(HKEY_CURRENT_USER, kSettingsBaseKey)
        .WriteString(kProductSection, L"@Version", L"1.71");
    Settings = TSettings{};
}

// Moves the pointer and returns once the system keeps reporting it there.
// Wine answers from its own record for a moment after SetCursorPos, then
// asks the X server, which may not have taken the warp (it is refused while
// another client holds the pointer): the warp is then made again.
inline bool PutPointerAt(int x, int y) {
    auto there = [&] {
        POINT p{};
        return GetCursorPos(&p) && p.x == x && p.y == y;
    };
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000;) {
        SetCursorPos(x, y);
        const DWORD warped = GetTickCount();
        while (there() && GetTickCount() - warped < 300)
            Sleep(5);
        if (there()) return true;
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

struct ChildQuery {
    const wchar_t* className;
    int id;
    HWND found;
};

inline BOOL CALLBACK MatchChild(HWND window, LPARAM query) noexcept {
    auto* q = reinterpret_cast<ChildQuery*>(query);
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (_wcsicmp(name, q->className) || (q->id >= 0 && GetDlgCtrlID(window) != q->id)) return TRUE;
    q->found = window;
    return FALSE;
}

// A window anywhere inside `parent` by class and, for cells, identifier.
inline HWND FindPart(HWND parent, const wchar_t* className, int id = -1) {
    ChildQuery q{className, id, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

// The text of a value cell of the running tool's panel.
inline std::wstring PanelRowText(TfrmHost& host, int row) {
    wchar_t text[256] = L"";
    GetWindowTextW(FindPart(host.Activation()->Panel()->Handle(), L"Static", 200 + row), text, 256);
    return text;
}
