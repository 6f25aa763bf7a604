#include "framework/Dpi.h"
#include <cstddef>
#include "framework/Handle.h"
#include "framework/SystemAnswers.h"

namespace {
// MDT_EFFECTIVE_DPI: the DPI the user chose for the monitor.
constexpr int kEffectiveDpi = 0;
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

GetDpiForMonitorFn MonitorDpiFunction() {
    // Looked up once; the library stays loaded for the program's life.
    static const GetDpiForMonitorFn function = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
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
