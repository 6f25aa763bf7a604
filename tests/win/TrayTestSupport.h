// Helpers shared by the tray tests: small icons made in memory, a message
// pump, and closing whatever modal loop a test has to open.
#pragma once

#include "framework/Application.h"
#include "tray/Icon.h"
#include <chrono>
#include <vector>

inline void EnsureApplication() {
    if (!Application.Handle()) Application.Initialize();
}

// A 16 x 16 icon of one colour (0xAARRGGBB) as .ico bytes.
inline TIcoBytes SolidIco(uint32_t colour, int size = 16) {
    std::vector<uint32_t> pixels(size_t(size) * size, colour);
    return MakeIcoFile(size, size, pixels);
}

inline void LoadSolid(TIcon& icon, uint32_t colour) {
    icon.LoadFromIco(SolidIco(colour));
}

// Handles the thread's messages for a while (timers, posted frames).
inline void PumpFor(std::chrono::milliseconds duration) {
    auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

// Ends the menu or message box this thread is about to show modally, from
// a timer that runs inside its modal loop.
inline void CloseModalSoon() {
    struct Closer {
        static BOOL CALLBACK CloseDialog(HWND window, LPARAM) noexcept {
            wchar_t name[16] = L"";
            GetClassNameW(window, name, 16);
            if (lstrcmpW(name, L"#32770") == 0) PostMessageW(window, WM_COMMAND, IDOK, 0);
            return TRUE;
        }
        static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) noexcept {
            KillTimer(nullptr, id);
            EndMenu();
            EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
        }
    };
    SetTimer(nullptr, 0, 100, Closer::Tick);
}
