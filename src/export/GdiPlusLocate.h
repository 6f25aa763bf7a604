// The text and byte handling behind locating GDI+: the program path inside a
// registered command line and the file version inside a version resource.
// Kept free of Windows headers so it can be tested on any machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Version 11.0 as major * 65536 + minor: the first GDI+ that ships beside
// Office 2003 and later, which is newer than the one of an old system.
inline constexpr std::uint32_t GdiPlusMinimumOfficeVersion = 11u << 16;

// Returned when a version resource cannot be read. It is the largest possible
// reading, so an unreadable file passes every version test.
inline constexpr std::uint32_t UnreadableFileVersion = 0xFFFFFFFFu;

// The program named by a registered command such as
// "\"C:\\Office\\WINWORD.EXE\" /n": the first character (the opening quote) is
// dropped and the rest is cut before the next double quote.
std::wstring ProgramPathFromCommand(std::wstring_view command);

// The folder part of a path, with its trailing separator; empty when the path
// names no folder.
std::wstring FolderOfPath(std::wstring_view path);

// Major * 65536 + minor of the file version in a raw version resource
// (VS_VERSIONINFO with its fixed file information), or UnreadableFileVersion
// when the bytes do not hold one.
std::uint32_t FixedFileVersion(const unsigned char* data, std::size_t size);
