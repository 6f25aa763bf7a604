// Drives the real program through tool activations with its global hot keys,
// as a user would, and reports what it holds afterwards. Runs in the same
// Wine desktop as the program:
//   soak_driver [--class NAME] COUNT KEYS...
//     KEYS: one virtual-key letter per tool to cycle through, each pressed
//     with Ctrl+Alt; NAME: the class of the window the keys show (by
//     default the program's host form)
// Prints one line: activations, milliseconds per activation, the program's
// GDI objects and windows, and how many hot keys had to be pressed again.
#include <windows.h>
#include <winternl.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
// Offset of GdiSharedHandleTable in the process environment block.
#ifdef _WIN64
constexpr size_t kGdiTableOffset = 0xF8;
#else
constexpr size_t kGdiTableOffset = 0x94;
#endif
// One entry of the GDI handle table as Wine lays it out; Type 0 is free.
#pragma pack(push, 1)
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiHandleCount = 0x10000;

// Wine 8 answers GetGuiResources with 0. It keeps each process's GDI objects
// in a handle table that the process environment block points at, as Windows
// does, so the table is read from outside and its used entries counted.
long CountGdiObjects(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0)
        return -1;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(
            process, static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + kGdiTableOffset,
            &table, sizeof table, &read) ||
        !table)
        return -2;
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiHandleEntry),
                           &read))
        return -3;
    long used = 0;
    for (const GdiHandleEntry& entry : entries)
        used += entry.type != 0;
    return used;
}

struct WindowCount {
    DWORD pid;
    long count = 0;
};

BOOL CALLBACK CountChild(HWND window, LPARAM param) noexcept {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == c->pid) ++c->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) noexcept {
    CountChild(window, param);
    EnumChildWindows(window, CountChild, param);
    return TRUE;
}

long CountWindows(DWORD pid) {
    WindowCount c{pid};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&c));
    // Message-only windows (the tray icons') are not top-level windows.
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr));)
        CountChild(w, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

void Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void Chord(std::initializer_list<WORD> keys) {
    for (WORD k : keys)
        Key(k, false);
    for (auto k = std::rbegin(keys); k != std::rend(keys); ++k)
        Key(*k, true);
}

// A window of the driver's own that takes the keyboard between activations:
// Wine drops key strokes, hot keys included, while no window has the focus,
// which is the case when an overlay has just hidden itself.
HWND CreateKeyboardWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VantacleSoakDriver";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

void TakeKeyboard(HWND window) {
    SetForegroundWindow(window);
    for (int i = 0; i < 200 && GetForegroundWindow() != window; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(5);
    }
}

bool WaitVisible(HWND window, bool visible, int milliseconds = 10000) {
    for (int i = 0; i < milliseconds / 5; ++i) {
        if ((IsWindowVisible(window) != FALSE) == visible) return true;
        Sleep(5);
    }
    return false;
}
} // namespace

int main(int argc, char** argv) {
    std::wstring windowClass = L"TfrmHost";
    if (argc >= 3 && !strcmp(argv[1], "--class")) {
        windowClass.assign(argv[2], argv[2] + strlen(argv[2]));
        argc -= 2;
        argv += 2;
    }
    if (argc < 3) {
        fprintf(stderr, "usage: soak_driver [--class NAME] COUNT KEYS...\n");
        return 2;
    }
    const int count = atoi(argv[1]);
    const std::vector<std::string> keys(argv + 2, argv + argc);
    HWND host = FindWindowW(windowClass.c_str(), nullptr);
    if (!host) {
        fprintf(stderr, "the program's host window is not there\n");
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(host, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);

    HWND keyboard = count > 0 ? CreateKeyboardWindow() : nullptr;
    int repeated = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        // Now and then Wine loses an injected key; the hot key is pressed
        // again then, and the repeats are reported.
        bool shown = false;
        for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
            if (attempt > 0) ++repeated;
            TakeKeyboard(keyboard);
            Chord({VK_CONTROL, VK_MENU, static_cast<WORD>(keys[i % keys.size()][0])});
            shown = WaitVisible(host, true, 3000);
        }
        if (!shown) {
            printf("activation %d did not show the overlay\n", i);
            return 1;
        }
        Chord({VK_ESCAPE});
        if (!WaitVisible(host, false)) {
            printf("activation %d did not end\n", i);
            return 1;
        }
    }
    // What the end does after hiding the overlay (the panel goes) is done
    // once the program answers again.
    DWORD_PTR answered = 0;
    SendMessageTimeoutW(host, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answered);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    printf("%d %.1f %ld %ld %d\n", count, count ? ms / count : 0.0,
           process ? CountGdiObjects(process) : -1L, CountWindows(pid), repeated);
    if (process) CloseHandle(process);
    if (keyboard) DestroyWindow(keyboard);
    return 0;
}
