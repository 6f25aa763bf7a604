// The four global hot keys: registered on the host form's window with the
// tool identifiers as their identifiers.
#include "framework/ShortCut.h"
#include "shell/Host.h"
#include "shell/Settings.h"

void TfrmHost::RegisterHotKeys() {
    // A combination another program holds, or none at all, leaves that tool
    // without a hot key; there is nothing useful to tell the user at start.
    for (int tool = 0; tool < kToolCount; ++tool) {
        HotKeyCombination combination = HotKeyFromShortCut(Settings.*kTools[tool].HotKey);
        RegisterHotKey(Handle(), tool, combination.modifiers, combination.key);
    }
}

void TfrmHost::UnregisterHotKeys() {
    for (int tool = 0; tool < kToolCount; ++tool)
        UnregisterHotKey(Handle(), tool);
}
