// The scaling of each monitor. The program declares itself aware of
// per-monitor DPI, so nothing is stretched for it: it scales its panel and
// dialogs itself, to the monitor they are on. The function that reports a
// monitor's DPI came with Windows 8.1; it is looked up at run time, and
// where it is missing every monitor has the system's DPI.
#pragma once

#include "framework/Geometry.h"
#include <windows.h>

// The DPI the system's metrics and fonts are given in.
int SystemDpi();
// The DPI of the monitor holding p, or of the nearest one.
int DpiAt(TScreenPoint p);
// A length given at the system's DPI, at `dpi`.
int ScaleToDpi(int length, int dpi);

// The system's message and caption fonts, as the user set them, at `dpi`.
// Where the system cannot tell, its stock interface font stands in for both.
struct TSystemFonts {
    LOGFONTW message, caption;
};
TSystemFonts SystemFontsAt(int dpi);

// A system metric (an SM_ index) as the system draws it at `dpi`.
int SystemMetricAt(int index, int dpi);
// The window rectangle around a client rectangle, its frame as the system
// draws it at `dpi`. (The program asks through FrameAroundClient in
// SystemAnswers.h.)
RECT SystemFrameAroundClient(RECT client, DWORD style, DWORD exStyle, int dpi);

// The DPI the user chose for a monitor, as the system reports it; 0 where
// it cannot (before Windows 8.1). (The program asks through MonitorDpiOf in
// SystemAnswers.h.)
int SystemMonitorDpi(HMONITOR monitor);
