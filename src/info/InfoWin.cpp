// Until the panel's window is built, the tools that use it run without it:
// no panel is opened and its saved positions stay as they are.
#include "info/InfoWin.h"

void CreateInfoWin(TfrmHost&, uint32_t) {}

void FreeInfoWin() {}

bool InfoWinExists() {
    return false;
}

void InfoWinSetPosition(int, int) {}

POINT InfoWinGetPosition() {
    return {0, 0};
}
