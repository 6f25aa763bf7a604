// Functions of system libraries found when first needed, so that a library
// the program may never use costs the process nothing until then.
#pragma once

#include <windows.h>

// The function `name` of the system library `library`, or nullptr where this
// Windows lacks either. The library stays loaded for the program's life.
// Only the system folder is searched: a file of the same name beside the
// program or in the current folder is never loaded in its place.
template <typename Function> Function SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 7 without its loader update knows no such search; there the
    // libraries asked for are the system's own known ones anyway.
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) module = LoadLibraryW(library);
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}
