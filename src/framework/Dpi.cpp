#include "framework/Dpi.h"
#include <cstddef>
#include "framework/Handle.h"
#include "framework/SystemAnswers.h"
#include "framework/SystemFunction.h"

namespace {
// MDT_EFFECTIVE_DPI: the DPI the user chose for the monitor.
constexpr int kEffectiveDpi = 0;
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

GetDpiForMonitorFn MonitorDpiFunction() {
    static const auto function =
        SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    return function;
}
} // namespace

int SystemDpi() {
    // Fixed for the process's life: a change takes a new sign-in.
    static const int dpi = [] {
        WindowDC screen(nullptr);
        const int found = GetDeviceCaps(screen.get(), LOGPIXELSY);
        return found > 0 ? found : USER_DEFAULT_SCREEN_DPI;
    }();
    return dpi;
}

int SystemMonitorDpi(HMONITOR monitor) {
    UINT x = 0, y = 0;
    if (GetDpiForMonitorFn function = MonitorDpiFunction();
        function && monitor && SUCCEEDED(function(monitor, kEffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return 0;
}

int DpiAt(TScreenPoint p) {
    const int dpi = MonitorDpiOf(MonitorFromPoint({p.x, p.y}, MONITOR_DEFAULTTONEAREST));
    return dpi > 0 ? dpi : SystemDpi();
}

int ScaleToDpi(int length, int dpi) {
    return MulDiv(length, dpi, SystemDpi());
}

TSystemFonts SystemFontsAt(int dpi) {
    // The record in the size every Windows since 2000 accepts, without the
    // padded border of later versions.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    TSystemFonts fonts{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        fonts = {metrics.lfMessageFont, metrics.lfCaptionFont};
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &fonts.message);
        fonts.caption = fonts.message;
    }
    // The system gives them at its own DPI.
    fonts.message.lfHeight = ScaleToDpi(fonts.message.lfHeight, dpi);
    fonts.caption.lfHeight = ScaleToDpi(fonts.caption.lfHeight, dpi);
    return fonts;
}

// Windows 10 (1607) gives the metrics at any DPI; before it, the system's
// scaled stand in for them.
int SystemMetricAt(int index, int dpi) {
    static const auto forDpi =
        SystemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi))
                  : ScaleToDpi(GetSystemMetrics(index), dpi);
}

RECT SystemFrameAroundClient(RECT client, DWORD style, DWORD exStyle, int dpi) {
    // In a process aware of each monitor's DPI, AdjustWindowRectEx answers
    // with the system's DPI, while Windows draws the frame at the monitor's.
    static const auto forDpi =
        SystemFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}
