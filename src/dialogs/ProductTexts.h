// Texts the welcome and About dialogs share.
#pragma once

inline constexpr wchar_t kProductDescription[] =
    L"Magnify, capture, measure and pick screen colours";
