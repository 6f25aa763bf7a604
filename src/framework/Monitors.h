// The monitors attached now, as the system reports them.
#pragma once

#include "framework/MonitorLayout.h"
#include <vector>

// Every monitor's rectangle in screen coordinates, the primary one first.
// The system's answer when it reports none: the primary screen.
// (The program asks through MonitorRects in SystemAnswers.h.)
std::vector<TScreenRect> SystemMonitorRects();
