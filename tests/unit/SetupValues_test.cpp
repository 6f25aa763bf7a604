// The Preferences dialog's portable rules: the calibrator ruler's marks, the
// values filled from and read back into the settings, the hot-key boxes'
// rule and encoding, and the number edits.
#include "dialogs/RulerMarks.h"
#include "dialogs/SetupValues.h"
#include <gtest/gtest.h>

namespace {
// The hot-key settings in tool order, as the tool table holds them.
const THotKeySettings kHotKeys = {&TSettings::MagnifierKey, &TSettings::ScreenshotKey,
                                  &TSettings::MeasurerKey, &TSettings::DropperKey};
std::vector<int> Xs(const std::vector<TRulerMark>& marks) {
    std::vector<int> xs;
    for (size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].Number, static_cast<int>(i));
        xs.push_back(marks[i].X);
    }
    return xs;
}
constexpr TShortCut kCtrlAltM = scCtrl | scAlt | 'M';
} // namespace

TEST(RulerMarks, InchesAboveAndCentimetresBelowAtTheDesignSize) {
    struct Case {
        int left, width, dpi;
        std::vector<int> inches, centimetres;
    };
    const Case cases[] = {
        {0, 133, 96, {8, 104}, {8, 46, 84, 121}},
        {10, 133, 96, {18, 114}, {18, 56, 94, 131}},
        // The smallest DPI: a mark every 9.84 pixels, the last one before 117.
        {0, 133, 25, {8, 33, 58, 83, 108}, {8, 18, 28, 38, 47, 57, 67, 77, 87, 97, 106, 116}},
        {0, 133, 9999, {8}, {8}},
        // 254 DPI puts a centimetre at exactly 100 pixels.
        {0, 333, 254, {8, 262}, {8, 108, 208, 308}},
        // 50.39 pixels a centimetre: each mark rounded to the nearest pixel.
        {0, 200, 128, {8, 136}, {8, 58, 109, 159}},
        // The value the calibrator end-to-end test types.
        {0, 133, 50, {8, 58, 108}, {8, 28, 47, 67, 87, 106}},
        // A box too small for any mark.
        {0, 16, 96, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "dpi " << c.dpi << " width " << c.width);
        EXPECT_EQ(Xs(RulerInchMarks(c.left, c.width, c.dpi)), c.inches);
        EXPECT_EQ(Xs(RulerCentimetreMarks(c.left, c.width, c.dpi)), c.centimetres);
    }
    EXPECT_EQ(RulerBaseline(0, 49), 24);
}

TEST(RulerMarks, ValuesNoCalibratorCanHoldStillEnd) {
    // A DPI of 0 or below would never move past the first mark.
    EXPECT_EQ(RulerInchMarks(0, 133, 0).size(), 117u);
    EXPECT_EQ(RulerCentimetreMarks(0, 133, -5).back().X, 8 + 116);
}

TEST(SetupValues, StoredValuesOutOfRangeOpenClampedAsTheControlsHoldThem) {
    struct Case {
        const char* what;
        void (*store)(TSettings&);
        void (*expect)(TSetupValues&); // changes from the defaults' values
    };
    const Case cases[] = {
        {"lens 0 and 3000", [](TSettings& s) { s.ZoomWidth = 0, s.ZoomHeight = 3000; },
         [](TSetupValues& v) { v.Width = 5, v.Height = 160; }},
        {"lens not a multiple of ten", [](TSettings& s) { s.ZoomWidth = 159, s.ZoomHeight = -15; },
         [](TSetupValues& v) { v.Width = 15, v.Height = 5; }},
        {"scale 0", [](TSettings& s) { s.Scale = 0; }, [](TSetupValues& v) { v.Zoom = 1; }},
        {"scale 11", [](TSettings& s) { s.Scale = 11; }, [](TSetupValues& v) { v.Zoom = 10; }},
        {"DPI 0", [](TSettings& s) { s.DPI = 0; }, [](TSetupValues& v) { v.DPI = 25; }},
        {"DPI -5", [](TSettings& s) { s.DPI = -5; }, [](TSetupValues& v) { v.DPI = 25; }},
        {"DPI 10000", [](TSettings& s) { s.DPI = 10000; }, [](TSetupValues& v) { v.DPI = 9999; }},
        {"quality 0, contrast 7", [](TSettings& s) { s.JPEGQuality = 0, s.HighContrast = 7; },
         [](TSetupValues& v) { v.JPEGQuality = 1, v.HighContrast = 2; }},
        {"quality 101, cursor -1",
         [](TSettings& s) { s.JPEGQuality = 101, s.MagnifierCursor = -1; },
         [](TSetupValues& v) { v.JPEGQuality = 100, v.MagnifierCursor = 0; }},
        {"hot keys 65535, M alone, Shift+M, Ctrl+Alt+M",
         [](TSettings& s) {
             s.MagnifierKey = 65535, s.ScreenshotKey = 'M', s.MeasurerKey = scShift | 'M';
             s.DropperKey = kCtrlAltM;
         },
         [](TSetupValues& v) { v.HotKeys[3] = kCtrlAltM; }},
        {"tray mask with bits beyond the tools", [](TSettings& s) { s.TrayIconMask = 0xF5; },
         [](TSetupValues& v) { v.TrayIcons[0] = v.TrayIcons[2] = true; }},
        {"sample area 9", [](TSettings& s) { s.DropperArea = 9; },
         [](TSetupValues& v) { v.DropperArea = 9; }},
        {"sample area 4: no side offered", [](TSettings& s) { s.DropperArea = 4; },
         [](TSetupValues&) {}},
    };
    TSettings defaults;
    defaults.TrayIconMask = 0;
    TSetupValues base;
    base.TrayIcons[0] = base.TrayIcons[1] = base.TrayIcons[2] = base.TrayIcons[3] = false;
    base.AutoStart = true;
    ASSERT_TRUE(SetupValuesFromSettings(defaults, kHotKeys) == base);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSettings s = defaults;
        c.store(s);
        TSetupValues expected = base;
        c.expect(expected);
        TSetupValues got = SetupValuesFromSettings(s, kHotKeys);
        EXPECT_TRUE(got == expected) << got.Width << " " << got.Height << " " << got.Zoom << " "
                                     << got.DPI << " " << got.JPEGQuality;
    }
}

TEST(SetupValues, OkWritesBackOnlyWhatAUserCanSet) {
    TSettings s;
    s.ZoomWidth = 155; // not a multiple of ten: rounded down on OK
    s.ZoomHeight = 3000;
    s.DPI = 0;
    s.MagnifierKey = 65535;
    s.TrayIconMask = 0xF5;
    s.InfoScale = 7; // no control: must survive untouched
    TSettings out = s;
    SettingsFromSetupValues(SetupValuesFromSettings(s, kHotKeys), out, kHotKeys);
    EXPECT_EQ(out.ZoomWidth, 150);
    EXPECT_EQ(out.ZoomHeight, 1600);
    EXPECT_EQ(out.DPI, 25);
    EXPECT_EQ(out.MagnifierKey, 0);
    EXPECT_EQ(out.TrayIconMask, 0x05);
    EXPECT_EQ(out.InfoScale, 7);

    // Values the dialog code reads from its controls are brought into range
    // on the way too.
    TSetupValues wild;
    wild.Width = 999, wild.Zoom = -3, wild.HighContrast = 9, wild.JPEGQuality = 0;
    wild.HotKeys[2] = scShift | 'X';
    wild.HotKeys[3] = scCtrl | 'X';
    wild.DropperArea = 4;
    SettingsFromSetupValues(wild, out, kHotKeys);
    EXPECT_EQ(out.DropperArea, 1);
    EXPECT_EQ(out.ZoomWidth, 1600);
    EXPECT_EQ(out.Scale, 1);
    EXPECT_EQ(out.HighContrast, 2);
    EXPECT_EQ(out.JPEGQuality, 1);
    EXPECT_EQ(out.MeasurerKey, 0);
    EXPECT_EQ(out.DropperKey, scCtrl | 'X');
}

TEST(ValueLabels, FollowThePositions) {
    EXPECT_EQ(LensSizeText(16), L"160 pix");
    EXPECT_EQ(ZoomText(2), L"x2");
}

TEST(HotKeyBox, RuleAndEncodingBothWays) {
    struct Case {
        TShortCut shortcut;
        bool allowed;
        uint16_t box;
    };
    const Case cases[] = {
        {0, true, 0x0000},
        {'M', false, 0x004D},
        {scShift | 'M', false, 0x014D},
        {scCtrl | 'M', true, 0x024D},
        {scAlt | 'M', true, 0x044D},
        {scShift | scAlt | 0x70, true, 0x0570}, // Shift+Alt+F1
        {kCtrlAltM, true, 0x064D},
        {scCtrl | scAlt, false, 0x0600}, // modifiers still being pressed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shortcut);
        EXPECT_EQ(HotKeyAllowed(c.shortcut), c.allowed);
        EXPECT_EQ(HotKeyBoxFromShortCut(c.shortcut), c.box);
        EXPECT_EQ(ShortCutFromHotKeyBox(c.box), c.shortcut);
    }
    // The extended-key flag of the box has no place in a shortcut.
    EXPECT_EQ(ShortCutFromHotKeyBox(0x0A2E), scCtrl | 0x2E);
    EXPECT_FALSE(HotKeyAllowed(0xFFFF));
}

TEST(NumberEdit, FilterAndValue) {
    for (wchar_t c : std::wstring(L"0123456789.\b"))
        EXPECT_TRUE(NumberEditAccepts(c)) << int(c);
    for (wchar_t c : std::wstring(L"a-+, e\x16\r"))
        EXPECT_FALSE(NumberEditAccepts(c)) << int(c);

    struct Case {
        const wchar_t* text;
        int value;
    };
    const Case cases[] = {
        {L"96", 96},   {L"0096", 96},    {L"120.", 120},
        {L"96.4", 96}, {L"96.5", 97},    {L".7", 25},
        {L"9.6", 25},  {L"12000", 9999}, {L"99999999999999999999", 9999},
        {L"", 50},     {L".", 50},       {L"1.2.3", 50},
        {L"12a", 50},  {L" 96", 50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberEditValue(c.text, kDPIMin, kDPIMax, 50), c.value) << "\"" << c.text << "\"";
}
