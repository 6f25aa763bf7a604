// A label's line of text, drawn as DrawText draws it with DT_EXPANDTABS,
// DT_NOPREFIX and DT_SINGLELINE (tab stops every eight average character
// widths, "&" as plain text, clipped to the rectangle), in the DC's font,
// colour and background mode, but in one ExtTextOut with the tabs' advances
// given: DrawText measures and draws the line piece by piece, and cost two
// to three times as much on a row written at every mouse move.
#pragma once

#include <windows.h>
#include <string_view>

void DrawLabelText(HDC dc, const RECT& r, std::wstring_view text);
