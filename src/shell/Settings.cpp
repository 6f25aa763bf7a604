#include "shell/Settings.h"
#include "info/RecentColors.h"
#include "tools/SampleArea.h"
#include <array>
#include <variant>

TSettings Settings;

namespace {
// How one setting is held in memory; the stored form is always decimal text.
struct MaskBit {
    int bit;
};
// A setting whose stored text is a form of its own, not a number: read from
// the text when one is stored, and written as text.
struct TextForm {
    void (*read)(std::wstring_view stored);
    std::wstring (*write)();
};
using Member = std::variant<int32_t TSettings::*, uint8_t TSettings::*, uint16_t TSettings::*,
                            bool TSettings::*, MaskBit, TextForm>;

// Any text other than a side offered is one pixel, the Dropper as it always was.
constexpr TextForm kDropperArea{
    [](std::wstring_view stored) { Settings.DropperArea = SampleSideFromText(stored); },
    [] { return std::to_wstring(SampleSideOf(Settings.DropperArea)); }};
constexpr TextForm kRecentColors{
    [](std::wstring_view stored) { Settings.RecentColors = RecentColorsFromText(stored); },
    [] { return RecentColorsText(Settings.RecentColors); }};

struct SettingRow {
    const wchar_t* name;
    Member member;
};

// Save order. Registry value names are permanent: users' stored settings
// depend on them.
constexpr std::array<SettingRow, 26> kSettingsTable{{
    {L"MagnifierIcon", MaskBit{0}},
    {L"ScreenshotIcon", MaskBit{1}},
    {L"MeasurerIcon", MaskBit{2}},
    {L"DropperIcon", MaskBit{3}},
    {L"ZoomWidth", &TSettings::ZoomWidth},
    {L"ZoomHeight", &TSettings::ZoomHeight},
    {L"Scale", &TSettings::Scale},
    {L"HighContrast", &TSettings::HighContrast},
    {L"MagnifierKey", &TSettings::MagnifierKey},
    {L"ScreenshotKey", &TSettings::ScreenshotKey},
    {L"MeasurerKey", &TSettings::MeasurerKey},
    {L"DropperKey", &TSettings::DropperKey},
    {L"MagnifierCursor", &TSettings::MagnifierCursor},
    {L"InfoScale", &TSettings::InfoScale},
    {L"ScreenshotPosX", &TSettings::ScreenshotPosX},
    {L"ScreenshotPosY", &TSettings::ScreenshotPosY},
    {L"MeasurerPosX", &TSettings::MeasurerPosX},
    {L"MeasurerPosY", &TSettings::MeasurerPosY},
    {L"DropperPosX", &TSettings::DropperPosX},
    {L"DropperPosY", &TSettings::DropperPosY},
    {L"DPI", &TSettings::DPI},
    {L"JPEGQuality", &TSettings::JPEGQuality},
    {L"JPEGProgressive", &TSettings::JPEGProgressive},
    {L"AutoStart", &TSettings::AutoStart},
    {L"DropperArea", kDropperArea},
    {L"RecentColors", kRecentColors},
}};

// Load order: as saved, except that HighContrast is read before Scale.
constexpr std::array<int, 26> kLoadOrder{0,  1,  2,  3,  4,  5,  7,  6,  8,  9,  10, 11, 12,
                                         13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
constexpr int kDpiRow = 20;

int32_t CurrentValue(const Member& member) {
    return std::visit(
        [](auto m) -> int32_t {
            if constexpr (std::is_same_v<decltype(m), MaskBit>)
                return (Settings.TrayIconMask >> m.bit) & 1;
            else if constexpr (std::is_same_v<decltype(m), TextForm>)
                return 0; // no number: read and written as text
            else
                return static_cast<int32_t>(Settings.*m);
        },
        member);
}

void Assign(const Member& member, int32_t value) {
    std::visit(
        [value](auto m) {
            using M = decltype(m);
            if constexpr (std::is_same_v<M, MaskBit>) {
                if (value != 0)
                    Settings.TrayIconMask |= uint8_t(1u << m.bit);
                else
                    Settings.TrayIconMask &= uint8_t(~(1u << m.bit));
            } else if constexpr (std::is_same_v<M, TextForm>) {
                // read as text, never as a number
            } else if constexpr (std::is_same_v<M, bool TSettings::*>) {
                Settings.*m = value != 0;
            } else {
                // Hot keys keep their low 16 bits, the contrast level its low 8.
                using Field = std::remove_reference_t<decltype(Settings.*m)>;
                Settings.*m = static_cast<Field>(value);
            }
        },
        member);
}

std::wstring StoredText(const Member& member) {
    if (const auto* text = std::get_if<TextForm>(&member)) return text->write();
    // Hot keys and the contrast byte are unsigned; the CurrentValue cast keeps
    // them positive because their fields are unsigned.
    return std::to_wstring(CurrentValue(member));
}
} // namespace

std::optional<int32_t> ParseStoredInteger(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    if (i == text.size()) return {};
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return {};
        value = value * 10 + (text[i] - L'0');
        if (value > int64_t(INT32_MAX) + 1) return {};
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return {};
    return static_cast<int32_t>(value);
}

bool LoadSettings(SettingsStore& store, std::wstring_view exePath, int32_t screenDpi,
                  const std::function<void()>& reportError) {
    auto version = store.Read(kProductSection, L"@Version");
    bool known = version && !version->empty();
    try {
        store.Write(kProductSection, L"@Name", kProductName);
        store.Write(kProductSection, L"@Path", exePath);
        store.Write(kProductSection, L"@Version", kProductVersion);
    } catch (...) {
        reportError();
    }

    for (int index : kLoadOrder) {
        const SettingRow& row = kSettingsTable[index];
        if (const auto* form = std::get_if<TextForm>(&row.member)) {
            if (auto text = store.Read(kOptionsSection, row.name)) form->read(*text);
            continue;
        }
        // A missing value or one that is not a number keeps the default; the
        // calibration defaults to the screen's own resolution.
        int32_t fallback = index == kDpiRow ? screenDpi : CurrentValue(row.member);
        int32_t value = fallback;
        if (auto text = store.Read(kOptionsSection, row.name))
            value = ParseStoredInteger(*text).value_or(fallback);
        Assign(row.member, value);
    }
    return known;
}

void SaveSettings(SettingsStore& store, std::wstring_view exePath) {
    for (const SettingRow& row : kSettingsTable)
        store.Write(kOptionsSection, row.name, StoredText(row.member));
    if (Settings.AutoStart)
        store.WriteRunEntry(exePath);
    else
        store.DeleteRunEntry();
}
