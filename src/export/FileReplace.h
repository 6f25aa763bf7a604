// Writing a whole file so that a failure never leaves a half-written one.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Writes the bytes to a temporary file beside the target and then moves it
// over the target: a failed write keeps an existing file as it was.
// Throws Error "Cannot create file "<full path>". <system text>".
void ReplaceFileWith(const std::wstring& fileName, const std::vector<BYTE>& bytes);

// Throws Error "Cannot create file "<full path>". <reason>".
[[noreturn]] void ThrowCannotCreateFile(const std::wstring& fileName, const std::wstring& reason);
