// Looks at the Wine desktop from another process for the end-to-end tests:
// the program's windows are not X windows inside Wine's virtual desktop, so
// xdotool cannot see them.
//   probe windows        one JSON object per visible-or-not top-level window
//   probe foreground     the foreground window's handle
//   probe activate HWND  makes another window the foreground one
//   probe close HWND     sends that one window a close request
//   probe workarea       the desktop's area outside the taskbar: L T R B
//   probe move HWND X Y  moves a window without activating it, to look at
//                        what a full-screen window covers
//   probe pattern X Y W H [MS]  shows a window of coloured squares until
//                          ended; with MS they change colour every MS
//                          milliseconds, so a frozen picture can be told from
//                          the live screen
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

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
    RECT r{};
    GetWindowRect(window, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    printf(
        "{\"hwnd\": %llu, \"class\": %s, \"title\": %s, \"visible\": %s, \"rect\": [%ld, %ld, %ld, "
        "%ld], \"style\": %lu, \"exstyle\": %lu, \"pid\": %lu}\n",
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)),
        Json(className).c_str(), Json(title).c_str(), IsWindowVisible(window) ? "true" : "false",
        r.left, r.top, r.right, r.bottom,
        static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)),
        static_cast<unsigned long>(pid));
    return TRUE;
}
constexpr wchar_t kPatternClass[] = L"VantacleTestPattern";
UINT_PTR patternPhase = 0;

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
        constexpr int kSquare = 7; // odd, so squares do not line up with powers of two
        for (int y = 0; y < client.bottom; y += kSquare)
            for (int x = 0; x < client.right; x += kSquare) {
                HBRUSH brush =
                    CreateSolidBrush(PatternColor(x / kSquare, y / kSquare, patternPhase));
                RECT square{x, y, x + kSquare, y + kSquare};
                FillRect(dc, &square, brush);
                DeleteObject(brush);
            }
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

int ShowPattern(int x, int y, int width, int height, int period) {
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
} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && !strcmp(argv[1], "windows")) {
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (argc >= 2 && !strcmp(argv[1], "foreground")) {
        printf("%llu\n",
               static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetForegroundWindow())));
        return 0;
    }
    if (argc >= 3 && !strcmp(argv[1], "activate")) {
        HWND window =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[2], nullptr, 10)));
        return SetForegroundWindow(window) ? 0 : 1;
    }
    if (argc >= 2 && !strcmp(argv[1], "workarea")) {
        RECT r{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (argc >= 3 && !strcmp(argv[1], "close")) {
        HWND window =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[2], nullptr, 10)));
        return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (argc >= 5 && !strcmp(argv[1], "move")) {
        HWND window =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[2], nullptr, 10)));
        return SetWindowPos(window, nullptr, atoi(argv[3]), atoi(argv[4]), 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (argc >= 6 && !strcmp(argv[1], "pattern"))
        return ShowPattern(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]),
                           argc >= 7 ? atoi(argv[6]) : 0);
    fprintf(stderr, "usage: probe windows | workarea | foreground | activate HWND | close HWND | "
                    "move HWND X Y | "
                    "pattern X Y W H [MS]\n");
    return 2;
}
