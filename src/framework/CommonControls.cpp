#include "framework/CommonControls.h"
#include "framework/SystemFunction.h"

namespace {
// The manifest's activation context redirects the name to the version 6
// library before any folder is searched.
constexpr const wchar_t* kLibrary = L"comctl32.dll";
} // namespace

bool InitControlClasses(DWORD classes) noexcept {
    static const auto init = SystemFunction<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(
        kLibrary, "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX wanted{sizeof(wanted), classes};
    return init && init(&wanted);
}

bool AddWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) noexcept {
    static const auto add = SystemFunction<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR)>(
        kLibrary, "SetWindowSubclass");
    return add && add(window, proc, id, data);
}

bool DropWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) noexcept {
    static const auto drop = SystemFunction<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR)>(
        kLibrary, "RemoveWindowSubclass");
    return drop && drop(window, proc, id);
}

LRESULT NextSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // Only a subclassed window gets here, so the library is loaded already.
    static const auto next =
        SystemFunction<LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM)>(kLibrary, "DefSubclassProc");
    return next ? next(window, message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}
