// The floating information panel of the Screenshot tool, the Measurer and the
// Dropper; it exists only during their activations.
#pragma once

#include <windows.h>
#include <cstdint>

class TfrmHost;

// Opens the panel with the given rows (bit n shows row n) over the host form.
void CreateInfoWin(TfrmHost& host, uint32_t rowMask);
void FreeInfoWin();
bool InfoWinExists();
// Moves the panel, kept inside the screen.
void InfoWinSetPosition(int x, int y);
POINT InfoWinGetPosition();
