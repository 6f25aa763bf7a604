// The Preferences dialog's values as its controls hold them: filled from the
// settings within the controls' ranges, read back into settings a user can
// set, and the small rules of its controls (hot-key boxes, number edits,
// value labels).
#pragma once

#include "shell/Settings.h"
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int kSetupToolCount = 4;

// The controls' ranges.
inline constexpr int kLensPositionMin = 5, kLensPositionMax = 160; // tens of pixels
inline constexpr int kLensPositionUnit = 10;
inline constexpr int kZoomMin = 1, kZoomMax = 10;
inline constexpr int kDPIMin = 25, kDPIMax = 9999;
inline constexpr int kJPEGQualityMin = 1, kJPEGQualityMax = 100;
inline constexpr int kRadioIndexMin = 0, kRadioIndexMax = 2;
inline constexpr int kDPIMaxLength = 4, kJPEGQualityMaxLength = 3;

struct TSetupValues {
    int Width = 10; // track bar position: tens of pixels
    int Height = 10;
    int Zoom = 2;
    TShortCut HotKeys[kSetupToolCount] = {};
    bool TrayIcons[kSetupToolCount] = {true, true, true, true};
    int HighContrast = 0;
    int MagnifierCursor = 0;
    int DPI = 96;
    int JPEGQuality = 50;
    bool AutoStart = false;
    int DropperArea = 1; // the side of the Dropper's sample square

    bool operator==(const TSetupValues&) const = default;
};

// Which setting holds each tool's hot key, in tool order: the tool table's
// column, handed in so these rules stay free of the windowing code.
using THotKeySettings = std::array<TShortCut TSettings::*, kSetupToolCount>;

// What the controls show for these settings: every value brought into its
// control's range, lens sizes cut down to whole tens, hot keys a box cannot
// hold or a user could not type left empty.
TSetupValues SetupValuesFromSettings(const TSettings& settings, const THotKeySettings& hotKeys);
// Writes the dialog's values over the settings, each first brought into the
// range a user can set.
void SettingsFromSetupValues(const TSetupValues& values, TSettings& settings,
                             const THotKeySettings& hotKeys);

// A hot-key box accepts a combination only with Ctrl or Alt among its
// modifiers (Shift alone is not enough), on a key a box can hold; 0, no hot
// key at all, is always allowed.
bool HotKeyAllowed(TShortCut shortcut);
// The value a hot-key box shows for a stored shortcut: the shortcut itself
// when allowed, otherwise empty.
TShortCut HotKeyBoxValue(TShortCut shortcut);
// The hot-key box's own encoding: key code in the low byte, its modifier
// flags (Shift 1, Ctrl 2, Alt 4, extended key 8) in the high byte.
uint16_t HotKeyBoxFromShortCut(TShortCut shortcut);
TShortCut ShortCutFromHotKeyBox(uint16_t boxValue);

// Number edits take digits, the full stop and Backspace; anything else is
// refused with a beep.
bool NumberEditAccepts(wchar_t c);
// The number a number edit's text stands for: a decimal number, one full stop
// allowed, rounded to a whole number (halves up) and brought into
// [min, max]. Text that is no number at all (empty, ".", "1.2.3", anything
// pasted) stands for fallback, the value the dialog was opened with.
int NumberEditValue(std::wstring_view text, int min, int max, int fallback);

// "160 pix" for a lens track bar at 16; "x2" for the zoom at 2.
std::wstring LensSizeText(int position);
std::wstring ZoomText(int position);
