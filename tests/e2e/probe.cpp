// Looks at the Wine desktop from another process for the end-to-end tests:
// the program's windows are not X windows inside Wine's virtual desktop, so
// xdotool cannot see them.
//   probe windows        one JSON object per visible-or-not top-level window,
//                        with its outer and its client rectangle on the screen
//   probe foreground     the foreground window's handle
//   probe active         the foreground window as one JSON object, as windows
//                        prints it; nothing when there is none
//   probe focus          the window that has the keyboard focus, 0 if none
//   probe activate HWND  makes another window the foreground one
//   probe close HWND     sends that one window a close request
//   probe show HWND      shows a hidden window without activating it
//   probe move HWND X Y  moves a window without activating it, to look at
//                        what a full-screen window covers
//   probe redraw HWND    has a window repaint itself entirely, now
//   probe monitors       one JSON object per monitor, then one for the
//                        virtual screen, as the system tells programs of them
//   probe controls HWND  one JSON object per child control of a window, in
//                        tab order, with its value where the control has one
//   probe record FILE ARGS...  appends its arguments as one line to FILE,
//                        standing in for a program the system starts
//   probe holdclipboard  opens the clipboard and keeps it until ended
//   probe clipboardbitmap FILE  writes the clipboard's bitmap (CF_BITMAP, as
//                        a Windows program pastes it) to FILE as a BMP file
//   probe pattern X Y W H [MS [SIDE]]  shows a window of coloured squares of
//                          SIDE pixels (7 unless given) until ended; with MS
//                          above 0 they change colour every MS milliseconds,
//                          so a frozen picture can be told from the live screen
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {
std::string Json(const wchar_t* text) {
    std::string out = "\"";
    for (; *text; ++text) {
        wchar_t c = *text;
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c > 0x7E) {
            char buffer[8];
            snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) noexcept {
    wchar_t className[256] = L"", title[512] = L"";
    GetClassNameW(window, className, 256);
    GetWindowTextW(window, title, 512);
    RECT r{}, client{};
    GetWindowRect(window, &r);
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    printf(
        "{\"hwnd\": %llu, \"class\": %s, \"title\": %s, \"visible\": %s, \"rect\": [%ld, %ld, %ld, "
        "%ld], \"client\": [%ld, %ld, %ld, %ld], \"style\": %lu, \"exstyle\": %lu, \"pid\": %lu}\n",
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)),
        Json(className).c_str(), Json(title).c_str(), IsWindowVisible(window) ? "true" : "false",
        r.left, r.top, r.right, r.bottom, origin.x, origin.y, origin.x + client.right,
        origin.y + client.bottom, static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)),
        static_cast<unsigned long>(pid));
    return TRUE;
}
// The value a control holds, read with its own messages: they return plain
// numbers, so they work across processes. -1 where there is none.
long long ControlValue(HWND control, const wchar_t* className) {
    if (!_wcsicmp(className, TRACKBAR_CLASSW)) return SendMessageW(control, TBM_GETPOS, 0, 0);
    if (!_wcsicmp(className, UPDOWN_CLASSW)) return SendMessageW(control, UDM_GETPOS32, 0, 0);
    if (!_wcsicmp(className, HOTKEY_CLASSW)) return SendMessageW(control, HKM_GETHOTKEY, 0, 0);
    if (!_wcsicmp(className, WC_BUTTONW)) {
        const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON ||
            type == BS_RADIOBUTTON)
            return SendMessageW(control, BM_GETCHECK, 0, 0);
    }
    return -1;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) noexcept {
    wchar_t className[256] = L"", text[512] = L"";
    GetClassNameW(control, className, 256);
    // The message, not GetWindowText: an edit's text lives in its own process.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, &ignored);
    RECT r{}, client{};
    GetWindowRect(control, &r);
    GetClientRect(control, &client);
    POINT origin{0, 0};
    ClientToScreen(control, &origin);
    printf("{\"hwnd\": %llu, \"id\": %d, \"class\": %s, \"text\": %s, \"visible\": %s, "
           "\"enabled\": %s, \"rect\": [%ld, %ld, %ld, %ld], \"client\": [%ld, %ld, %ld, %ld], "
           "\"style\": %lu, \"value\": %lld}\n",
           static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(control)),
           GetDlgCtrlID(control), Json(className).c_str(), Json(text).c_str(),
           IsWindowVisible(control) ? "true" : "false", IsWindowEnabled(control) ? "true" : "false",
           r.left, r.top, r.right, r.bottom, origin.x, origin.y, origin.x + client.right,
           origin.y + client.bottom, static_cast<unsigned long>(GetWindowLongW(control, GWL_STYLE)),
           ControlValue(control, className));
    return TRUE;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, RECT*, LPARAM) noexcept {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    const RECT& w = info.rcWork;
    printf("{\"monitor\": %s, \"rect\": [%ld, %ld, %ld, %ld], \"work\": [%ld, %ld, %ld, %ld], "
           "\"primary\": %s}\n",
           Json(info.szDevice).c_str(), r.left, r.top, r.right, r.bottom, w.left, w.top, w.right,
           w.bottom, (info.dwFlags & MONITORINFOF_PRIMARY) ? "true" : "false");
    return TRUE;
}

constexpr wchar_t kPatternClass[] = L"VantacleTestPattern";
UINT_PTR patternPhase = 0;
// Side of the pattern's squares; 1 gives every pixel its own colour.
int patternSquare = 7;

COLORREF PatternColor(int column, int row, UINT_PTR phase) {
    return RGB((column * 37 + phase * 90) & 0xFF, (row * 53 + phase * 40) & 0xFF,
               ((column + row) * 29 + phase * 70) & 0xFF);
}

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_TIMER:
        ++patternPhase;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        // Drawn in memory and put on the screen in one block: with squares of
        // one pixel a brush per square would take seconds.
        const int width = client.right, height = client.bottom;
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                COLORREF c = PatternColor(x / patternSquare, y / patternSquare, patternPhase);
                pixels[static_cast<size_t>(y) * width + x] =
                    (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info,
                          DIB_RGB_COLORS);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

int ShowPattern(int x, int y, int width, int height, int period, int square) {
    patternSquare = square > 0 ? square : 1;
    WNDCLASSW wc{};
    wc.lpfnWndProc = PatternProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kPatternClass;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kPatternClass, L"Test pattern", WS_POPUP, x, y,
                                  width, height, nullptr, nullptr, wc.hInstance, nullptr);
    // Shown without taking the foreground: activation changes how the taskbar
    // looks, and the tests compare screens.
    ShowWindow(window, SW_SHOWNA);
    if (period > 0) SetTimer(window, 1, period, nullptr);
    printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
    fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
bool SaveClipboardBitmap(const char* path) {
    if (!OpenClipboard(nullptr)) return false;
    bool saved = false;
    BITMAP info{};
    auto* bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) {
        BITMAPINFOHEADER header{};
        header.biSize = sizeof(header);
        header.biWidth = info.bmWidth;
        header.biHeight = info.bmHeight;
        header.biPlanes = 1;
        header.biBitCount = 24;
        header.biSizeImage = ((info.bmWidth * 3 + 3) & ~3) * info.bmHeight;
        std::vector<BYTE> pixels(header.biSizeImage);
        HDC screen = GetDC(nullptr);
        const int rows = GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(),
                                   reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42; // "BM"
        file.bfOffBits = sizeof(file) + sizeof(header);
        file.bfSize = file.bfOffBits + header.biSizeImage;
        if (FILE* out = rows == info.bmHeight ? fopen(path, "wb") : nullptr) {
            saved = fwrite(&file, sizeof(file), 1, out) == 1 &&
                    fwrite(&header, sizeof(header), 1, out) == 1 &&
                    fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
            saved = fclose(out) == 0 && saved;
        }
    }
    CloseClipboard();
    return saved;
}
} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && !strcmp(argv[1], "windows")) {
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (argc >= 2 && !strcmp(argv[1], "monitors")) {
        EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
        const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
        printf("{\"virtual\": [%d, %d, %d, %d]}\n", x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
               y + GetSystemMetrics(SM_CYVIRTUALSCREEN));
        return 0;
    }
    if (argc >= 2 && !strcmp(argv[1], "active")) {
        if (HWND window = GetForegroundWindow()) PrintWindow(window, 0);
        return 0;
    }
    if (argc >= 2 && !strcmp(argv[1], "foreground")) {
        printf("%llu\n",
               static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetForegroundWindow())));
        return 0;
    }
    if (argc >= 2 && !strcmp(argv[1], "focus")) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(GetForegroundWindow(), nullptr), &info);
        printf("%llu\n",
               static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(info.hwndFocus)));
        return 0;
    }
    if (argc >= 3 && !strcmp(argv[1], "activate")) {
        HWND window =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[2], nullptr, 10)));
        return SetForegroundWindow(window) ? 0 : 1;
    }
    if (argc >= 3 && !strcmp(argv[1], "close")) {
        HWND window =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[2], nullptr, 10)));
        return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (argc >= 3 && !strcmp(argv[1], "show")) {
        HWND window =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[2], nullptr, 10)));
        ShowWindow(window, SW_SHOWNA);
        return 0;
    }
    if (argc >= 2 && !strcmp(argv[1], "holdclipboard")) {
        if (!OpenClipboard(nullptr)) return 1;
        printf("held\n");
        fflush(stdout);
        Sleep(INFINITE);
        return 0;
    }
    if (argc >= 3 && !strcmp(argv[1], "clipboardbitmap"))
        return SaveClipboardBitmap(argv[2]) ? 0 : 1;
    if (argc >= 3 && !strcmp(argv[1], "redraw")) {
        HWND window =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[2], nullptr, 10)));
        return RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW)
                   ? 0
                   : 1;
    }
    if (argc >= 5 && !strcmp(argv[1], "move")) {
        HWND window =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[2], nullptr, 10)));
        return SetWindowPos(window, nullptr, atoi(argv[3]), atoi(argv[4]), 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (argc >= 3 && !strcmp(argv[1], "controls")) {
        HWND window =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[2], nullptr, 10)));
        EnumChildWindows(window, PrintControl, 0);
        return 0;
    }
    if (argc >= 3 && !strcmp(argv[1], "record")) {
        FILE* file = fopen(argv[2], "a");
        if (!file) return 1;
        for (int i = 3; i < argc; ++i)
            fprintf(file, "%s%s", i > 3 ? " " : "", argv[i]);
        fprintf(file, "\n");
        fclose(file);
        return 0;
    }
    if (argc >= 6 && !strcmp(argv[1], "pattern"))
        return ShowPattern(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]),
                           argc >= 7 ? atoi(argv[6]) : 0, argc >= 8 ? atoi(argv[7]) : 7);
    fprintf(stderr,
            "usage: probe windows | foreground | active | focus | activate HWND | close HWND | "
            "show HWND | move HWND X Y | redraw HWND | monitors | holdclipboard | "
            "clipboardbitmap FILE | controls HWND | "
            "record FILE ARGS... | pattern X Y W H [MS [SIDE]]\n");
    return 2;
}
