// The few functions of the common controls the program calls, found in the
// library at their first call: the library (the version the manifest asks
// for) costs a process more private memory than the rest of the idle
// program, and an idle session may never open a panel or a dialog.
#pragma once

#include <windows.h>
#include <commctrl.h>

// Registers the common control window classes in `classes` (ICC_...).
bool InitControlClasses(DWORD classes) noexcept;
// SetWindowSubclass, RemoveWindowSubclass and DefSubclassProc.
bool AddWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) noexcept;
bool DropWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) noexcept;
LRESULT NextSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
