#include "framework/Repaint.h"
#include "framework/Handle.h"
#include <algorithm>
#include <cstring>
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

SIZE PrimaryScreen() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void CopyScreen(const TBitmap& into, const RECT& area) {
    WindowDC screen(nullptr);
    BitBlt(into.DC(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           screen.get(), area.left, area.top, SRCCOPY);
}

// The smallest rectangle holding every pixel in which the two differ; empty
// when they are alike. Both are 32-bit pictures of one size.
RECT DifferingArea(const TBitmap& a, const TBitmap& b) {
    RECT area{a.Width(), a.Height(), 0, 0};
    for (int y = 0; y < a.Height(); ++y) {
        const auto* rowA = reinterpret_cast<const uint32_t*>(a.ScanLine(y));
        const auto* rowB = reinterpret_cast<const uint32_t*>(b.ScanLine(y));
        if (std::memcmp(rowA, rowB, static_cast<size_t>(a.Width()) * 4) == 0) continue;
        int left = 0, right = a.Width() - 1;
        while (rowA[left] == rowB[left])
            ++left;
        while (rowA[right] == rowB[right])
            --right;
        area = {std::min<LONG>(area.left, left), std::min<LONG>(area.top, y),
                std::max<LONG>(area.right, right + 1), y + 1};
    }
    return area;
}

bool AlikeIn(const TBitmap& a, const TBitmap& b, const RECT& area) {
    for (int y = area.top; y < area.bottom; ++y)
        if (std::memcmp(a.ScanLine(y) + area.left * 4, b.ScanLine(y) + area.left * 4,
                        static_cast<size_t>(area.right - area.left) * 4) != 0)
            return false;
    return true;
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

TScreenBefore::TScreenBefore() {
    const SIZE screen = PrimaryScreen();
    shot_.SetSize(screen.cx, screen.cy);
    CopyScreen(shot_, {0, 0, screen.cx, screen.cy});
}

void TScreenBefore::WaitUntilUncovered(DWORD budgetMs) const {
    const ULONGLONG deadline = GetTickCount64() + budgetMs;
    const SIZE screen = PrimaryScreen();
    if (screen.cx != shot_.Width() || screen.cy != shot_.Height()) return;
    TBitmap now(screen.cx, screen.cy);
    CopyScreen(now, {0, 0, screen.cx, screen.cy});
    // What the window left behind, and whatever else changed meanwhile.
    const RECT left = DifferingArea(shot_, now);
    if (left.right <= left.left) return;
    // The programs below repaint on their own time; a short pause between
    // looks leaves them the processor.
    constexpr DWORD kLookIntervalMs = 10;
    while (GetTickCount64() < deadline) {
        Sleep(kLookIntervalMs);
        CopyScreen(now, left);
        if (AlikeIn(shot_, now, left)) return;
    }
}
