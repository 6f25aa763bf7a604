#include "framework/Repaint.h"
#include <algorithm>
#include <vector>

namespace {
// One window of every other program's thread that shows a window: the
// desktop's own first, which paints the wallpaper.
struct Threads {
    DWORD ownProcess;
    std::vector<DWORD> ids;
    std::vector<HWND> windows;

    void Add(HWND window) {
        DWORD process = 0;
        const DWORD thread = GetWindowThreadProcessId(window, &process);
        if (!thread || process == ownProcess) return;
        if (std::find(ids.begin(), ids.end(), thread) != ids.end()) return;
        ids.push_back(thread);
        windows.push_back(window);
    }
};

BOOL CALLBACK AddVisible(HWND window, LPARAM threads) noexcept {
    if (IsWindowVisible(window)) reinterpret_cast<Threads*>(threads)->Add(window);
    return TRUE;
}

// Where the desktop composes the screen (Windows since Vista), its next frame.
void FlushComposition() {
    using DwmFlushFunction = HRESULT(WINAPI*)();
    static const auto flush = [] {
        HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
        return dwm ? reinterpret_cast<DwmFlushFunction>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmFlush")))
                   : nullptr;
    }();
    if (flush) flush();
}
} // namespace

void WaitForOtherProgramsToRepaint(DWORD budgetMs) {
    Threads threads{GetCurrentProcessId(), {}, {}};
    threads.Add(GetDesktopWindow());
    EnumWindows(AddVisible, reinterpret_cast<LPARAM>(&threads));
    const ULONGLONG deadline = GetTickCount64() + budgetMs;
    // A thread paints only once nothing else waits for it. The first round
    // trip finds each thread with its repaint still pending; the second comes
    // back once that thread has been idle again, so it has painted and handed
    // its pixels to the screen. A program that does not answer costs no more
    // than what is left of the budget.
    for (int round = 0; round < 2; ++round)
        for (HWND window : threads.windows) {
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) return;
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                                static_cast<UINT>(deadline - now), &ignored);
        }
    FlushComposition();
}
