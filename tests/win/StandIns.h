// The Windows-side tests' own answers in place of the system's (see
// framework/SystemAnswers.h): each test sets what it needs and puts it back.
#pragma once

#include "framework/MonitorLayout.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace StandIns {
// Every monitor's DPI; empty: the system's answer.
inline std::function<int(HMONITOR)> MonitorDpi;
// The frame around a window's client rectangle at a DPI; empty: the system's.
inline std::function<RECT(RECT client, DWORD style, DWORD exStyle, int dpi)> Frame;
// The monitor layout; empty: the system's.
inline std::vector<TScreenRect> Monitors;
// The texts of the errors the program showed, in order. No box is shown.
inline std::vector<std::wstring> Errors;
} // namespace StandIns
