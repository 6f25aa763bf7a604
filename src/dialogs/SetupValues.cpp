// Filling, reading and the control rules of the Preferences dialog.
#include "dialogs/SetupValues.h"
#include "tools/SampleArea.h"
#include <algorithm>

namespace {
// The hot-key box's modifier flags.
constexpr uint16_t kBoxShift = 0x01, kBoxControl = 0x02, kBoxAlt = 0x04;
// The box keeps its key code in one byte; 0xFF is no key of any keyboard.
constexpr unsigned kLargestBoxKey = 0xFE;

int Clamp(long long value, int min, int max) {
    return static_cast<int>(std::clamp<long long>(value, min, max));
}

TSetupValues Clamped(TSetupValues v) {
    v.Width = Clamp(v.Width, kLensPositionMin, kLensPositionMax);
    v.Height = Clamp(v.Height, kLensPositionMin, kLensPositionMax);
    v.Zoom = Clamp(v.Zoom, kZoomMin, kZoomMax);
    for (TShortCut& key : v.HotKeys)
        key = HotKeyBoxValue(key);
    v.HighContrast = Clamp(v.HighContrast, kRadioIndexMin, kRadioIndexMax);
    v.MagnifierCursor = Clamp(v.MagnifierCursor, kRadioIndexMin, kRadioIndexMax);
    v.DPI = Clamp(v.DPI, kDPIMin, kDPIMax);
    v.JPEGQuality = Clamp(v.JPEGQuality, kJPEGQualityMin, kJPEGQualityMax);
    v.DropperArea = SampleSideOf(v.DropperArea);
    return v;
}
} // namespace

TSetupValues SetupValuesFromSettings(const TSettings& s, const THotKeySettings& hotKeys) {
    TSetupValues v;
    // Integer division truncates toward zero: a stored 155 shows as 150.
    v.Width = s.ZoomWidth / kLensPositionUnit;
    v.Height = s.ZoomHeight / kLensPositionUnit;
    v.Zoom = s.Scale;
    for (int tool = 0; tool < kSetupToolCount; ++tool) {
        v.HotKeys[tool] = s.*hotKeys[tool];
        v.TrayIcons[tool] = (s.TrayIconMask >> tool) & 1;
    }
    v.HighContrast = s.HighContrast;
    v.MagnifierCursor = s.MagnifierCursor;
    v.DPI = s.DPI;
    v.JPEGQuality = s.JPEGQuality;
    v.AutoStart = s.AutoStart;
    v.DropperArea = s.DropperArea;
    return Clamped(v);
}

void SettingsFromSetupValues(const TSetupValues& values, TSettings& s,
                             const THotKeySettings& hotKeys) {
    const TSetupValues v = Clamped(values);
    s.ZoomWidth = v.Width * kLensPositionUnit;
    s.ZoomHeight = v.Height * kLensPositionUnit;
    s.Scale = v.Zoom;
    s.TrayIconMask = 0;
    for (int tool = 0; tool < kSetupToolCount; ++tool) {
        s.*hotKeys[tool] = v.HotKeys[tool];
        if (v.TrayIcons[tool]) s.TrayIconMask |= static_cast<uint8_t>(1u << tool);
    }
    s.MagnifierCursor = v.MagnifierCursor;
    s.HighContrast = static_cast<uint8_t>(v.HighContrast);
    s.DPI = v.DPI;
    s.JPEGQuality = v.JPEGQuality;
    s.AutoStart = v.AutoStart;
    s.DropperArea = v.DropperArea;
}

bool HotKeyAllowed(TShortCut shortcut) {
    if (shortcut == 0) return true;
    const unsigned key = shortcut & scKeyMask;
    return key != 0 && key <= kLargestBoxKey && (shortcut & (scCtrl | scAlt)) != 0;
}

TShortCut HotKeyBoxValue(TShortCut shortcut) {
    return HotKeyAllowed(shortcut) ? shortcut : 0;
}

uint16_t HotKeyBoxFromShortCut(TShortCut shortcut) {
    uint16_t flags = 0;
    if (shortcut & scShift) flags |= kBoxShift;
    if (shortcut & scCtrl) flags |= kBoxControl;
    if (shortcut & scAlt) flags |= kBoxAlt;
    return static_cast<uint16_t>((flags << 8) | (shortcut & 0xFF));
}

TShortCut ShortCutFromHotKeyBox(uint16_t boxValue) {
    const unsigned key = boxValue & 0xFF, flags = boxValue >> 8;
    TShortCut shortcut = static_cast<TShortCut>(key);
    if (flags & kBoxShift) shortcut |= scShift;
    if (flags & kBoxControl) shortcut |= scCtrl;
    if (flags & kBoxAlt) shortcut |= scAlt;
    return shortcut;
}

bool NumberEditAccepts(wchar_t c) {
    return c == L'\b' || c == L'.' || (c >= L'0' && c <= L'9');
}

int NumberEditValue(std::wstring_view text, int min, int max, int fallback) {
    long long whole = 0;
    int digits = 0, stops = 0;
    bool roundUp = false, afterStop = false, firstDecimal = true;
    for (wchar_t c : text) {
        if (c == L'.') {
            if (++stops > 1) return fallback;
            afterStop = true;
        } else if (c >= L'0' && c <= L'9') {
            ++digits;
            if (!afterStop) {
                // Past the largest range, more digits change nothing.
                whole = std::min<long long>(whole * 10 + (c - L'0'), 1LL << 40);
            } else if (firstDecimal) {
                roundUp = c >= L'5';
                firstDecimal = false;
            }
        } else {
            return fallback;
        }
    }
    if (digits == 0) return fallback;
    return Clamp(whole + (roundUp ? 1 : 0), min, max);
}

std::wstring LensSizeText(int position) {
    return std::to_wstring(position * kLensPositionUnit) + L" pix";
}

std::wstring ZoomText(int position) {
    return L"x" + std::to_wstring(position);
}
