// Owners for Win32 handles (one alias per release function), borrowed device
// contexts and selections, and a scope guard for one-off restores.
#pragma once

#include <windows.h>
#include <utility>

template <typename T, auto Release> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const noexcept { return handle_; }
    T release() noexcept { return std::exchange(handle_, T{}); }
    void reset(T handle = T{}) noexcept {
        if (handle_) Release(handle_);
        handle_ = handle;
    }
    explicit operator bool() const noexcept { return handle_ != T{}; }

private:
    T handle_{};
};

using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObject>;
using UniquePen = UniqueHandle<HPEN, DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, DeleteObject>;
using UniqueRegion = UniqueHandle<HRGN, DeleteObject>;
using UniqueMemoryDC = UniqueHandle<HDC, DeleteDC>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueRegKey = UniqueHandle<HKEY, RegCloseKey>;
using UniqueModule = UniqueHandle<HMODULE, FreeLibrary>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindow>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle>;
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalFree>;

// A device context borrowed from a window with GetDC/GetDCEx; it goes back
// with ReleaseDC, which needs the window it came from.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    WindowDC(HWND window, DWORD flags) noexcept
        : window_(window), dc_(GetDCEx(window, nullptr, flags)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Puts back whatever was selected into a DC before; the object it selected
// stays owned by someone else.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

template <typename F> class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F f_;
};
