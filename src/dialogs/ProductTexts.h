// Texts the welcome and About dialogs share.
#pragma once

inline constexpr wchar_t kProductDescription[] =
    L"Magnifier, screenshots, measurements and colours from the tray";
