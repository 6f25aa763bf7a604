#include "framework/Dpi.h"
#include "framework/Handle.h"

namespace {
// MDT_EFFECTIVE_DPI: the DPI the user chose for the monitor.
constexpr int kEffectiveDpi = 0;
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

std::function<int(HMONITOR)>& StandIn() {
    static std::function<int(HMONITOR)> standIn;
    return standIn;
}

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

int DpiAt(POINT p) {
    HMONITOR monitor = MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST);
    if (StandIn()) return StandIn()(monitor);
    UINT x = 0, y = 0;
    if (GetDpiForMonitorFn function = MonitorDpiFunction();
        function && monitor && SUCCEEDED(function(monitor, kEffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return SystemDpi();
}

int ScaleToDpi(int length, int dpi) {
    return MulDiv(length, dpi, SystemDpi());
}

void SetMonitorDpiStandIn(std::function<int(HMONITOR)> standIn) {
    StandIn() = std::move(standIn);
}
