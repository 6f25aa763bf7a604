// The system's own answers, for the program. Nothing but these functions
// lives here, so that a test program that brings its own takes none of them.
#include "framework/SystemAnswers.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/Monitors.h"

int MonitorDpiOf(HMONITOR monitor) {
    return SystemMonitorDpi(monitor);
}

RECT FrameAroundClient(RECT client, DWORD style, DWORD exStyle, int dpi) {
    return SystemFrameAroundClient(client, style, exStyle, dpi);
}

std::vector<TScreenRect> MonitorRects() {
    return SystemMonitorRects();
}

void ShowErrorBox(const std::wstring& text, const std::wstring& caption) {
    SystemErrorBox(text, caption);
}
