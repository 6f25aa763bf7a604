// Loading and saving the settings against an in-memory store: defaults,
// stored texts that are not numbers, the stored encodings, failed writes.
#include "framework/Error.h"
#include "shell/Settings.h"
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {
class MemoryStore : public SettingsStore {
public:
    std::map<std::wstring, std::wstring> values; // "section|name" -> text
    std::vector<std::wstring> reads, writes;
    std::optional<std::wstring> runEntry;
    int failAtWrite = -1; // index of the write that fails, -1: none

    static std::wstring Key(std::wstring_view section, std::wstring_view name) {
        return std::wstring(section) + L"|" + std::wstring(name);
    }
    std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view name) override {
        reads.emplace_back(name);
        auto found = values.find(Key(section, name));
        if (found == values.end()) return {};
        return found->second;
    }
    void Write(std::wstring_view section, std::wstring_view name,
               std::wstring_view value) override {
        if (static_cast<int>(writes.size()) == failAtWrite)
            throw Error(FormatMessageText(L"Failed to set data for '%s'", {name}));
        writes.emplace_back(name);
        values[Key(section, name)] = value;
    }
    void WriteRunEntry(std::wstring_view path) override { runEntry = std::wstring(path); }
    void DeleteRunEntry() override { runEntry.reset(); }

    std::wstring Option(const wchar_t* name) { return values.at(Key(kOptionsSection, name)); }
    void SetOption(const wchar_t* name, std::wstring text) {
        values[Key(kOptionsSection, name)] = text;
    }
};

constexpr wchar_t kPath[] = L"C:\\Program Files\\Vantacle\\Vantacle.exe";

class SettingsTest : public testing::Test {
protected:
    void SetUp() override { Settings = TSettings{}; }
    void TearDown() override { Settings = TSettings{}; }
    bool Load(int dpi = 120) {
        return LoadSettings(store, kPath, dpi, [this] { ++reportedErrors; });
    }
    MemoryStore store;
    int reportedErrors = 0;
};
} // namespace

TEST_F(SettingsTest, FirstStartRecordsTheStartAndKeepsDefaultsWithTheScreensDpi) {
    EXPECT_FALSE(Load(144));
    EXPECT_EQ(store.values[MemoryStore::Key(kProductSection, L"@Name")], L"Vantacle");
    EXPECT_EQ(store.values[MemoryStore::Key(kProductSection, L"@Path")], kPath);
    EXPECT_EQ(store.values[MemoryStore::Key(kProductSection, L"@Version")], L"1.71");
    EXPECT_EQ(Settings.ZoomWidth, 100);
    EXPECT_EQ(Settings.Scale, 2);
    EXPECT_EQ(Settings.InfoScale, 2);
    EXPECT_EQ(Settings.DropperPosY, 10);
    EXPECT_EQ(Settings.JPEGQuality, 50);
    EXPECT_TRUE(Settings.AutoStart);
    EXPECT_EQ(Settings.DPI, 144);
    // The next start is a known one.
    EXPECT_TRUE(Load());
}

TEST_F(SettingsTest, AnyEarlierVersionMakesAKnownStartAndIsReplaced) {
    store.values[MemoryStore::Key(kProductSection, L"@Version")] = L"0.9 beta";
    EXPECT_TRUE(Load());
    EXPECT_EQ(store.values[MemoryStore::Key(kProductSection, L"@Version")], L"1.71");
    store.values[MemoryStore::Key(kProductSection, L"@Version")] = L"";
    EXPECT_FALSE(Load());
}

TEST_F(SettingsTest, StoredTextsThatAreNotNumbersKeepTheDefaultAndOthersStillLoad) {
    store.SetOption(L"ZoomWidth", L"abc");
    store.SetOption(L"ZoomHeight", L"");
    store.SetOption(L"Scale", L"4x");
    store.SetOption(L"InfoScale", std::wstring(10000, L'7'));
    store.SetOption(L"DPI", L"not a number");
    store.SetOption(L"JPEGQuality", L"  85");
    store.SetOption(L"MagnifierCursor", L"-1");
    Load(96);
    EXPECT_EQ(Settings.ZoomWidth, 100);
    EXPECT_EQ(Settings.ZoomHeight, 100);
    EXPECT_EQ(Settings.Scale, 2);
    EXPECT_EQ(Settings.InfoScale, 2);
    EXPECT_EQ(Settings.DPI, 96);
    EXPECT_EQ(Settings.JPEGQuality, 85);
    EXPECT_EQ(Settings.MagnifierCursor, -1);
}

TEST_F(SettingsTest, StoredEncodingsOfFlagsHotKeysAndTheContrastByte) {
    store.SetOption(L"MagnifierIcon", L"1");
    store.SetOption(L"MeasurerIcon", L"7");      // any non-zero number is on
    store.SetOption(L"ScreenshotKey", L"24653"); // Ctrl+Shift+M
    store.SetOption(L"DropperKey", L"65613");    // low 16 bits: 77
    store.SetOption(L"HighContrast", L"258");    // low 8 bits: 2
    store.SetOption(L"AutoStart", L"0");
    store.SetOption(L"JPEGProgressive", L"-1");
    Load();
    EXPECT_EQ(Settings.TrayIconMask, 0b0101);
    EXPECT_EQ(Settings.ScreenshotKey, scCtrl | scShift | 'M');
    EXPECT_EQ(Settings.DropperKey, 77);
    EXPECT_EQ(Settings.HighContrast, 2);
    EXPECT_FALSE(Settings.AutoStart);
    EXPECT_TRUE(Settings.JPEGProgressive);

    Settings.MagnifierKey = scCtrl | scAlt | 'M';
    Settings.ZoomWidth = -20;
    SaveSettings(store, kPath);
    EXPECT_EQ(store.Option(L"MagnifierIcon"), L"1");
    EXPECT_EQ(store.Option(L"ScreenshotIcon"), L"0");
    EXPECT_EQ(store.Option(L"MeasurerIcon"), L"1");
    EXPECT_EQ(store.Option(L"ScreenshotKey"), L"24653");
    EXPECT_EQ(store.Option(L"MagnifierKey"), L"49229"); // unsigned, not negative
    EXPECT_EQ(store.Option(L"HighContrast"), L"2");
    EXPECT_EQ(store.Option(L"ZoomWidth"), L"-20");
    EXPECT_EQ(store.Option(L"JPEGProgressive"), L"1");
    EXPECT_EQ(store.Option(L"AutoStart"), L"0");
}

TEST_F(SettingsTest, LoadAndSaveOrdersDifferOnlyInContrastAndScale) {
    Load();
    SaveSettings(store, kPath);
    std::vector<std::wstring> loadOrder(store.reads.begin() + 1,
                                        store.reads.end()); // after @Version
    std::vector<std::wstring> saveOrder(store.writes.begin() + 3,
                                        store.writes.end()); // after the start record
    ASSERT_EQ(loadOrder.size(), 26u);
    ASSERT_EQ(saveOrder.size(), 26u);
    EXPECT_EQ(loadOrder[6], L"HighContrast");
    EXPECT_EQ(loadOrder[7], L"Scale");
    EXPECT_EQ(saveOrder[6], L"Scale");
    EXPECT_EQ(saveOrder[7], L"HighContrast");
    std::swap(loadOrder[6], loadOrder[7]);
    EXPECT_EQ(loadOrder, saveOrder);
    EXPECT_EQ(saveOrder.front(), L"MagnifierIcon");
    EXPECT_EQ(saveOrder.back(), L"RecentColors");
}

TEST_F(SettingsTest, TheSampleAreaAndTheRecentColoursKeepTheirOwnTexts) {
    for (const wchar_t* stored : {L"7", L"", L" 3", L"3.0"}) {
        Settings.DropperArea = 5;
        store.SetOption(L"DropperArea", stored);
        Load();
        EXPECT_EQ(Settings.DropperArea, 1) << stored;
    }
    store.SetOption(L"DropperArea", L"9");
    store.SetOption(L"RecentColors", L"FF8000,nonsense,0C2238"); // its rules: RecentColors_test
    Load();
    EXPECT_EQ(Settings.DropperArea, 9);
    SaveSettings(store, kPath);
    EXPECT_EQ(store.Option(L"DropperArea"), L"9");
    EXPECT_EQ(store.Option(L"RecentColors"), L"FF8000,0C2238");
}

TEST_F(SettingsTest, StartWithWindowsEntryFollowsAutoStartWithTheCurrentPath) {
    SaveSettings(store, kPath);
    EXPECT_EQ(store.runEntry, std::wstring(kPath));
    SaveSettings(store, L"D:\\moved\\Vantacle.exe");
    EXPECT_EQ(store.runEntry, std::wstring(L"D:\\moved\\Vantacle.exe"));
    Settings.AutoStart = false;
    SaveSettings(store, kPath);
    EXPECT_FALSE(store.runEntry.has_value());
    SaveSettings(store, kPath); // removing a missing entry is no error
    EXPECT_FALSE(store.runEntry.has_value());
}

TEST_F(SettingsTest, AFailedWriteAbandonsTheRestOfTheSaveAndKeepsMemory) {
    Settings.ZoomWidth = 240;
    Settings.AutoStart = false;
    store.runEntry = L"old";
    store.failAtWrite = 5; // ZoomHeight
    try {
        SaveSettings(store, kPath);
        FAIL() << "a failed write must be reported";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Failed to set data for 'ZoomHeight'");
    }
    EXPECT_EQ(store.writes.size(), 5u);
    EXPECT_EQ(store.runEntry, std::wstring(L"old")); // the start entry was not reached
    EXPECT_EQ(Settings.ZoomWidth, 240);
    EXPECT_FALSE(Settings.AutoStart);
}

TEST_F(SettingsTest, AStartThatCannotBeRecordedIsReportedAndTheSettingsStillLoad) {
    store.failAtWrite = 0;
    store.SetOption(L"Scale", L"7");
    EXPECT_FALSE(Load());
    EXPECT_EQ(reportedErrors, 1);
    EXPECT_EQ(Settings.Scale, 7);
}

TEST(ParseStoredInteger, AcceptsSignedDecimalsWithinThirtyTwoBitsOnly) {
    EXPECT_EQ(ParseStoredInteger(L"0"), 0);
    EXPECT_EQ(ParseStoredInteger(L"-15"), -15);
    EXPECT_EQ(ParseStoredInteger(L"+15"), 15);
    EXPECT_EQ(ParseStoredInteger(L"  42"), 42);
    EXPECT_EQ(ParseStoredInteger(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseStoredInteger(L"-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseStoredInteger(L"00000000000000000000012"), 12);
    for (const wchar_t* bad : {L"", L"-", L"+", L" ", L"2147483648", L"-2147483649", L"12 ", L"1e3",
                               L"0x10", L"4294967296", L"99999999999999999999999", L"１２"})
        EXPECT_FALSE(ParseStoredInteger(bad).has_value()) << bad;
}
