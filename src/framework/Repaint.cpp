#include "framework/Repaint.h"
#include "framework/GeometryWin.h"
#include "framework/Handle.h"
#include "framework/SystemFunction.h"
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

TScreenRect VirtualScreen() {
    const int64_t left = GetSystemMetrics(SM_XVIRTUALSCREEN),
                  top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// `area` of the screen into the same place of `into`, a picture of `screen`.
void CopyScreen(const TBitmap& into, const TScreenRect& screen, const TScreenRect& area) {
    WindowDC display(nullptr);
    BitBlt(into.DC(), static_cast<int>(area.left - screen.left),
           static_cast<int>(area.top - screen.top), static_cast<int>(area.Width()),
           static_cast<int>(area.Height()), display.get(), static_cast<int>(area.left),
           static_cast<int>(area.top), SRCCOPY);
}

// The smallest rectangle holding every pixel in which the two differ, in the
// pictures' own coordinates; empty when they are alike. Both are 32-bit
// pictures of one size.
TRect DifferingArea(const TBitmap& a, const TBitmap& b) {
    TRect area{};
    for (int y = 0; y < a.Height(); ++y) {
        const auto* rowA = reinterpret_cast<const uint32_t*>(a.ScanLine(y));
        const auto* rowB = reinterpret_cast<const uint32_t*>(b.ScanLine(y));
        if (std::memcmp(rowA, rowB, static_cast<size_t>(a.Width()) * 4) == 0) continue;
        int left = 0, right = a.Width() - 1;
        while (rowA[left] == rowB[left])
            ++left;
        while (rowA[right] == rowB[right])
            --right;
        area = Bounding(area, TRect{left, y, right + 1, y + 1});
    }
    return area;
}

// Whether `area` (in pixels of b) is alike in a, whose pixel (0, 0) is b's
// pixel `offset`.
bool AlikeIn(const TBitmap& a, TPoint offset, const TBitmap& b, const TRect& area) {
    for (int64_t y = area.top; y < area.bottom; ++y)
        if (std::memcmp(a.ScanLine(static_cast<int>(y - offset.y)) + (area.left - offset.x) * 4,
                        b.ScanLine(static_cast<int>(y)) + area.left * 4,
                        static_cast<size_t>(area.Width()) * 4) != 0)
            return false;
    return true;
}

// Where the desktop composes the screen (Windows since Vista), its next frame.
void FlushComposition() {
    using DwmFlushFunction = HRESULT(WINAPI*)();
    static const auto flush = SystemFunction<DwmFlushFunction>(L"dwmapi.dll", "DwmFlush");
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

TScreenBefore::TScreenBefore() : screen_(VirtualScreen()) {
    shot_.SetSize(static_cast<int>(screen_.Width()), static_cast<int>(screen_.Height()));
    CopyScreen(shot_, screen_, screen_);
}

TScreenRect TScreenBefore::ChangedArea() const {
    if (VirtualScreen() != screen_) return {};
    TBitmap now(shot_.Width(), shot_.Height());
    CopyScreen(now, screen_, screen_);
    const TRect r = DifferingArea(shot_, now);
    return r.Empty() ? TScreenRect{}
                     : TScreenRect{r.left + screen_.left, r.top + screen_.top,
                                   r.right + screen_.left, r.bottom + screen_.top};
}

void TScreenBefore::WaitUntilUncovered(const TScreenRect& area, DWORD budgetMs) const {
    const ULONGLONG deadline = GetTickCount64() + budgetMs;
    const TScreenRect left = Intersect(area, screen_);
    if (left.Empty() || VirtualScreen() != screen_) return;
    TBitmap now(static_cast<int>(left.Width()), static_cast<int>(left.Height()));
    const TRect inShot{left.left - screen_.left, left.top - screen_.top, left.right - screen_.left,
                       left.bottom - screen_.top};
    // The programs below repaint on their own time; a short pause between
    // looks leaves them the processor.
    constexpr DWORD kLookIntervalMs = 10;
    for (;;) {
        CopyScreen(now, left, left);
        if (AlikeIn(now, {static_cast<int32_t>(inShot.left), static_cast<int32_t>(inShot.top)},
                    shot_, inShot) ||
            GetTickCount64() >= deadline)
            return;
        Sleep(kLookIntervalMs);
    }
}

void TScreenBefore::RestoreCovered(TBitmap& picture, const TScreenRect& screen,
                                   const TScreenRect& area) const {
    if (screen != screen_) return; // another layout: the copy shows another screen
    const TScreenRect covered = Intersect(area, screen_);
    if (covered.Empty()) return;
    const TRect r{covered.left - screen_.left, covered.top - screen_.top,
                  covered.right - screen_.left, covered.bottom - screen_.top};
    if (AlikeIn(picture, {0, 0}, shot_, r)) return;
    picture.Canvas().CopyFrom(ToRECT(r), shot_.DC(), static_cast<int>(r.left),
                              static_cast<int>(r.top));
}
