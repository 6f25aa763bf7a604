// The least a Win32 program can be while it waits: one hidden window and a
// message loop, built like the real program. The soak measures the real
// program's idle memory against it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"VantacleEmptyProgram";
    RegisterClassW(&wc);
    CreateWindowExW(0, wc.lpszClassName, L"Empty program", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    instance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
