// The user's settings: process-wide, read directly by every part of the
// program, loaded once at start and saved as a whole.
#pragma once

#include "framework/ShortCut.h"
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TSettings {
    // Bit i: tool i has its own tray icon.
    uint8_t TrayIconMask = 0;
    int32_t ZoomWidth = 100;
    int32_t ZoomHeight = 100;
    int32_t Scale = 2;
    uint8_t HighContrast = 0;
    TShortCut MagnifierKey = 0;
    TShortCut ScreenshotKey = 0;
    TShortCut MeasurerKey = 0;
    TShortCut DropperKey = 0;
    int32_t MagnifierCursor = 0;
    int32_t InfoScale = 2;
    int32_t ScreenshotPosX = 10;
    int32_t ScreenshotPosY = 10;
    int32_t MeasurerPosX = 10;
    int32_t MeasurerPosY = 10;
    int32_t DropperPosX = 10;
    int32_t DropperPosY = 10;
    int32_t DPI = 96;
    int32_t JPEGQuality = 50;
    bool JPEGProgressive = false;
    bool AutoStart = true;
    // Side of the square the Dropper averages: 1, 3, 5 or 9 pixels.
    int32_t DropperArea = 1;
    // The colours held in the Dropper lately, 0x00BBGGRR, newest first.
    std::vector<uint32_t> RecentColors;
};

extern TSettings Settings;

// Where settings live. The registry implements it on Windows; tests use an
// in-memory one.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text of a value, or nothing when the section or value is missing.
    virtual std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view name) = 0;
    // Throws when the value cannot be written.
    virtual void Write(std::wstring_view section, std::wstring_view name,
                       std::wstring_view value) = 0;
    // The start-with-Windows entry: written with the program's path, or removed
    // (a missing entry is not an error).
    virtual void WriteRunEntry(std::wstring_view exePath) = 0;
    virtual void DeleteRunEntry() = 0;
};

// Base key below the user's registry root, its two sections and the entry
// that starts the program when the user logs on.
inline constexpr wchar_t kSettingsBaseKey[] = L"SOFTWARE\\Quillmont";
inline constexpr wchar_t kProductSection[] = L"Vantacle";
inline constexpr wchar_t kOptionsSection[] = L"Vantacle\\Options";
inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Vantacle";
inline constexpr wchar_t kProductName[] = L"Vantacle";
inline constexpr wchar_t kProductVersion[] = L"1.71";

// Reads every setting over the current values; true when an earlier start was
// recorded. Records this start (name, path, version); when that record cannot
// be written, reportError runs inside the catch block and loading goes on, so
// the user's settings still apply.
bool LoadSettings(SettingsStore& store, std::wstring_view exePath, int32_t screenDpi,
                  const std::function<void()>& reportError);
// Writes every setting, then the start-with-Windows entry. A failed write
// throws and abandons the rest; the settings in memory stay as they are.
void SaveSettings(SettingsStore& store, std::wstring_view exePath);

// A stored number: optional leading blanks, an optional sign, decimal digits,
// within the signed 32-bit range; anything else is not a number.
std::optional<int32_t> ParseStoredInteger(std::wstring_view text);
