// The system's answers as the Windows-side tests choose them; the system's
// own wherever a test chose none.
#include "StandIns.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/Monitors.h"
#include "framework/SystemAnswers.h"
#include <cstdio>

int MonitorDpiOf(HMONITOR monitor) {
    return StandIns::MonitorDpi ? StandIns::MonitorDpi(monitor) : SystemMonitorDpi(monitor);
}

RECT FrameAroundClient(RECT client, DWORD style, DWORD exStyle, int dpi) {
    return StandIns::Frame ? StandIns::Frame(client, style, exStyle, dpi)
                           : SystemFrameAroundClient(client, style, exStyle, dpi);
}

std::vector<TScreenRect> MonitorRects() {
    return StandIns::Monitors.empty() ? SystemMonitorRects() : StandIns::Monitors;
}

void ShowErrorBox(const std::wstring& text, const std::wstring&) {
    // An error no test expects still shows in the test's output.
    fprintf(stderr, "error box: %ls\n", text.c_str());
    StandIns::Errors.push_back(text);
}
