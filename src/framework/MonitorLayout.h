// The monitors as rectangles of the virtual screen, and what follows from
// them: the rectangle around them all, and where a window must go so that it
// lies on a real monitor, not merely inside that rectangle. No Win32 here,
// so it is tested natively over any layout.
#pragma once

#include "framework/Geometry.h"
#include <cstdint>
#include <vector>

// The smallest rectangle holding every monitor (the virtual screen); empty
// when there is none. Pixels in it that lie on no monitor are gaps.
TScreenRect VirtualScreenOf(const std::vector<TScreenRect>& monitors);

// The top-left corner for a window of width x height wished at `wished`,
// moved as little as possible so that it lies wholly on one monitor: kept
// where it does already, otherwise brought onto the monitor that needs the
// shortest move. On a monitor narrower or lower than the window, its left
// or top edge (where a caption is) goes on the monitor's. Any wished
// position, up to the ends of the 32-bit range, gives one on a monitor.
// Without monitors the wish is kept.
TScreenPoint PutOnMonitor(TScreenPoint wished, int32_t width, int32_t height,
                          const std::vector<TScreenRect>& monitors);
