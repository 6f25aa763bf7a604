#include "dialogs/FirstRun.h"
#include "framework/Application.h"

namespace {
constexpr wchar_t kCaption[] = L"Welcome!";
constexpr wchar_t kText[] =
    L"Vantacle defaults to a single tray icon, which can be right-clicked to activate any of these "
    L"utilities.\n\n"
    L"If you are doing intensive screen work, Vantacle can display separate icons for any or all "
    L"of "
    L"the separate utilities - allowing quick access with a single click.\n\n"
    L"Any of these separated icons can be right-clicked to reveal the complete Vantacle menu.";
} // namespace

void ShowFirstRun() {
    // The program has no visible window yet, so the dialog must come to the
    // front by itself.
    MessageBoxW(Application.Handle(), kText, kCaption,
                MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}
