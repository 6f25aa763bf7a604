// The scaling of each monitor. The program declares itself aware of
// per-monitor DPI, so nothing is stretched for it: it scales its panel and
// dialogs itself, to the monitor they are on. The function that reports a
// monitor's DPI came with Windows 8.1; it is looked up at run time, and
// where it is missing every monitor has the system's DPI.
#pragma once

#include <functional>
#include <windows.h>

// The DPI the system's metrics and fonts are given in.
int SystemDpi();
// The DPI of the monitor holding p, or of the nearest one.
int DpiAt(POINT p);
// A length given at the system's DPI, at `dpi`.
int ScaleToDpi(int length, int dpi);

// Replaces the system's answer for every monitor, or puts it back when
// empty: under Wine all monitors have one DPI, so the tests give them others.
void SetMonitorDpiStandIn(std::function<int(HMONITOR)> standIn);
