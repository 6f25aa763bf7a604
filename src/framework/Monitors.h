// The monitors attached now, as the system reports them.
#pragma once

#include "framework/MonitorLayout.h"
#include <windows.h>
#include <vector>

// Every monitor's rectangle in screen coordinates, the primary one first.
// The system's answer when it reports none: the primary screen.
// (The program asks through MonitorRects in SystemAnswers.h.)
std::vector<TScreenRect> SystemMonitorRects();

// A window of width x height centred on the work area of the monitor that
// holds p, or of the nearest one.
RECT CentredOnMonitorAt(TScreenPoint p, int width, int height);
