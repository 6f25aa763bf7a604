// What the user's regional settings say about writing numbers.
#pragma once

#include <string>

// The decimal separator of the user's regional settings. Asked on every call
// rather than once at start, so a change made through the regional settings
// while the program runs shows from the next value on (the system keeps a
// per-process copy, so it is cheap). "." when it cannot be read or is empty.
std::wstring UserDecimalSeparator();
