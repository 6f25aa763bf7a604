// Where the running program lives.
#pragma once

#include <string>

// Full path of the running executable, of any length.
std::wstring ExecutablePath();
// Its folder, with the trailing separator.
std::wstring ExecutableFolder();
