// Looks at the Wine desktop from another process for the end-to-end tests:
// the program's windows are not X windows inside Wine's virtual desktop, so
// xdotool cannot see them.
//   probe windows        one JSON object per visible-or-not top-level window
//   probe foreground     the foreground window's handle
//   probe activate HWND  makes another window the foreground one
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
    fprintf(stderr, "usage: probe windows | foreground | activate HWND\n");
    return 2;
}
