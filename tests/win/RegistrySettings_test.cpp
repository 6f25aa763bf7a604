// The settings in the real registry: the start record, stored types, the
// start-with-Windows entry and writes the registry refuses.
#include "framework/Error.h"
#include "framework/RegistryIni.h"
#include "shell/RegistrySettings.h"
#include "framework/ProgramPath.h"
#include <gtest/gtest.h>

namespace {
const std::wstring kProductKey = std::wstring(kSettingsBaseKey) + L"\\" + kProductSection;
const std::wstring kOptionsKey = std::wstring(kSettingsBaseKey) + L"\\" + kOptionsSection;

std::optional<std::wstring> ReadText(const std::wstring& path, const wchar_t* name,
                                     DWORD* type = nullptr) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    UniqueRegKey owned(key);
    DWORD kind = 0;
    RegQueryValueExW(key, name, nullptr, &kind, nullptr, nullptr);
    if (type) *type = kind;
    return RegistryValueText(key, name);
}

void WriteRaw(const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
              DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey owned(key);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
}

void WriteText(const std::wstring& path, const wchar_t* name, const std::wstring& text) {
    WriteRaw(path, name, REG_SZ, text.c_str(),
             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

class RegistrySettingsTest : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsBaseKey);
        Settings = TSettings{};
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsBaseKey);
        HKEY run;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueW(run, kRunValueName);
            RegCloseKey(run);
        }
        Settings = TSettings{};
    }
};
} // namespace

TEST_F(RegistrySettingsTest, FirstStartRecordsNamePathAndVersionAndTakesTheScreensDpi) {
    Settings.DPI = 1;
    EXPECT_FALSE(LoadSettings());
    DWORD type = 0;
    EXPECT_EQ(ReadText(kProductKey, L"@Name", &type), std::wstring(L"Vantacle"));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadText(kProductKey, L"@Path"), ExecutablePath());
    EXPECT_EQ(ReadText(kProductKey, L"@Version"), std::wstring(L"1.71"));
    EXPECT_EQ(Settings.DPI, ScreenPixelsPerInch());
    EXPECT_GT(Settings.DPI, 0);
    EXPECT_TRUE(LoadSettings());
}

TEST_F(RegistrySettingsTest, StoredValuesOfEveryShapeLoadOrFallBack) {
    WriteText(kProductKey, L"@Version", L"1.5");
    WriteText(kOptionsKey, L"ScreenshotKey", L"24653");
    WriteText(kOptionsKey, L"ZoomHeight", L"abc");
    WriteText(kOptionsKey, L"InfoScale", std::wstring(10000, L'9'));
    DWORD width = 300;
    WriteRaw(kOptionsKey, L"ZoomWidth", REG_DWORD, &width, sizeof(width));
    const BYTE binary[] = {5, 0, 0, 0};
    WriteRaw(kOptionsKey, L"Scale", REG_BINARY, binary, sizeof(binary));
    WriteRaw(kOptionsKey, L"JPEGQuality", REG_SZ, L"7", 2 * sizeof(wchar_t)); // without its zero
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(ReadText(kProductKey, L"@Version"), std::wstring(L"1.71"));
    EXPECT_EQ(Settings.ScreenshotKey, 24653);
    EXPECT_EQ(Settings.ZoomHeight, 100);
    EXPECT_EQ(Settings.InfoScale, 2);
    EXPECT_EQ(Settings.ZoomWidth, 300);
    EXPECT_EQ(Settings.Scale, 2);
    EXPECT_EQ(Settings.JPEGQuality, 7);

    SaveSettings();
    DWORD type = 0;
    EXPECT_EQ(ReadText(kOptionsKey, L"ZoomWidth", &type), std::wstring(L"300"));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadText(kOptionsKey, L"ScreenshotKey"), std::wstring(L"24653"));
}

TEST_F(RegistrySettingsTest, StartWithWindowsEntryIsWrittenWithThePathAndRemoved) {
    SaveSettings();
    DWORD type = 0;
    EXPECT_EQ(ReadText(kRunKey, kRunValueName, &type), ExecutablePath());
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    Settings.AutoStart = false;
    SaveSettings();
    EXPECT_FALSE(ReadText(kRunKey, kRunValueName).has_value());
    EXPECT_NO_THROW(SaveSettings());
    EXPECT_EQ(ReadText(kOptionsKey, L"AutoStart"), std::wstring(L"0"));
}

TEST_F(RegistrySettingsTest, AWriteTheRegistryRefusesIsReportedByNameAndMemoryStays) {
    // A key opened for reading only refuses every write.
    HKEY readOnly;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kOptionsKey.c_str(), 0, nullptr, 0, KEY_READ,
                              nullptr, &readOnly, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey owned(readOnly);
    try {
        RegistryWriteText(readOnly, L"ZoomWidth", L"120");
        FAIL() << "the refused write went unreported";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Failed to set data for 'ZoomWidth'");
    }

    // A section that cannot be created: a volatile parent takes no lasting child.
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsBaseKey);
    HKEY product;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey.c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &product, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(product);
    Settings.ZoomWidth = 260;
    Settings.AutoStart = true;
    try {
        SaveSettings();
        FAIL() << "the refused save went unreported";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Failed to set data for 'MagnifierIcon'");
    }
    EXPECT_EQ(Settings.ZoomWidth, 260);
    EXPECT_FALSE(ReadText(kRunKey, kRunValueName).has_value()); // the rest was abandoned
}
