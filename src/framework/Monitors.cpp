#include "framework/Monitors.h"
#include <windows.h>

namespace {
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) noexcept {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    auto& rects = *reinterpret_cast<std::vector<TScreenRect>*>(found);
    const RECT& r = info.rcMonitor;
    const TScreenRect rect{r.left, r.top, r.right, r.bottom};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        rects.insert(rects.begin(), rect);
    else
        rects.push_back(rect);
    return TRUE;
}
} // namespace

std::vector<TScreenRect> SystemMonitorRects() {
    std::vector<TScreenRect> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    if (rects.empty())
        rects.push_back(
            TScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return rects;
}

RECT CentredOnMonitorAt(TScreenPoint p, int width, int height) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({p.x, p.y}, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    return {left, top, left + width, top + height};
}
