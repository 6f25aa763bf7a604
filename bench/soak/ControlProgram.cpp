// The control of the soak: the same Win32 work per activation as the real
// program, and nothing else. Its global hot keys (Ctrl+Alt+G, S, M, D) copy
// the screen into a bitmap and show it on a full-screen topmost window;
// Escape hides the window, frees the bitmap, changes a tray icon's image
// three times and writes 24 registry values. Memory that the real program
// gains per activation beyond this program's is the program's own.
#include <windows.h>
#include <shellapi.h>
#include <string>

namespace {
constexpr wchar_t kClassName[] = L"VantacleSoakControl";
constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Quillmont\\VantacleSoakControl";
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr int kSettingsCount = 24;

HBITMAP picture = nullptr;
NOTIFYICONDATAW tray{};

void Freeze(HWND window) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    // A device-independent section, as the program's frozen picture is.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, width, height, SWP_NOACTIVATE);
    // As the program does: the foreground first, then the window shows.
    SetForegroundWindow(window);
    ShowWindow(window, SW_SHOW);
    SetFocus(window);
    UpdateWindow(window);
}

void End(HWND window) {
    ShowWindow(window, SW_HIDE);
    DeleteObject(picture);
    picture = nullptr;
    for (LPCWSTR icon : {IDI_APPLICATION, IDI_INFORMATION, IDI_APPLICATION}) {
        tray.hIcon = LoadIconW(nullptr, icon);
        Shell_NotifyIconW(NIM_MODIFY, &tray);
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    for (int i = 0; i < kSettingsCount; ++i) {
        const std::wstring name = L"Setting" + std::to_wstring(i), value = std::to_wstring(i * 7);
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HOTKEY:
        if (!picture) Freeze(window);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && picture) End(window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (picture) {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, picture);
            const RECT& r = paint.rcPaint;
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, r.left, r.top,
                   SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"Soak control",
                                  WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    const char letters[] = "GSMD";
    for (int i = 0; i < 4; ++i)
        RegisterHotKey(window, i, MOD_CONTROL | MOD_ALT, letters[i]);
    tray.cbSize = sizeof(tray);
    tray.hWnd = window;
    tray.uID = 1;
    tray.uFlags = NIF_ICON | NIF_MESSAGE;
    tray.uCallbackMessage = kTrayMessage;
    tray.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    Shell_NotifyIconW(NIM_ADD, &tray);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Shell_NotifyIconW(NIM_DELETE, &tray);
    return 0;
}
