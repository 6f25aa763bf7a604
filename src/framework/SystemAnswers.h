// The few answers of the system that the Windows-side tests give in their
// own way, since Wine cannot give them: it gives every monitor one DPI and
// draws every frame at one, knows only the layouts its display has, and an
// error box would wait for a click that nobody makes. The program links
// SystemAnswers.cpp, which asks the system (the System* functions beside
// each answer's subject); the tests link a source of their own in its place.
#pragma once

#include "framework/MonitorLayout.h"
#include <windows.h>
#include <string>
#include <vector>

// The DPI the user chose for a monitor; 0 when the system cannot tell.
int MonitorDpiOf(HMONITOR monitor);
// The window rectangle around a client rectangle, its frame as Windows draws
// it on a monitor of `dpi`.
RECT FrameAroundClient(RECT client, DWORD style, DWORD exStyle, int dpi);
// Every monitor's rectangle, the primary one first.
std::vector<TScreenRect> MonitorRects();
// Tells the user of an error, with the program's title as caption.
void ShowErrorBox(const std::wstring& text, const std::wstring& caption);
