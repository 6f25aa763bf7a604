#include "info/UserLocale.h"

#include <windows.h>

std::wstring UserDecimalSeparator() {
    // The setting holds at most three characters.
    wchar_t separator[4] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) <= 1) return L".";
    return separator;
}
