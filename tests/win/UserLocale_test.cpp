#include "info/UserLocale.h"
#include "info/ValueText.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

const wchar_t InternationalKey[] = L"Control Panel\\International";

// Writes the user's decimal separator straight into the registry, as a user's
// stored settings hold it, and puts the previous value back afterwards.
class TScopedRegistryDecimal {
public:
    explicit TScopedRegistryDecimal(const std::wstring& separator) {
        RegCreateKeyExW(HKEY_CURRENT_USER, InternationalKey, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
        wchar_t old[16] = {};
        DWORD size = sizeof old - sizeof old[0];
        DWORD type = 0;
        if (RegQueryValueExW(key_, L"sDecimal", nullptr, &type, reinterpret_cast<BYTE*>(old),
                             &size) == ERROR_SUCCESS &&
            type == REG_SZ)
            old_ = old;
        Set(separator);
    }
    ~TScopedRegistryDecimal() {
        if (old_)
            Set(*old_);
        else
            RegDeleteValueW(key_, L"sDecimal");
        RegCloseKey(key_);
    }
    TScopedRegistryDecimal(const TScopedRegistryDecimal&) = delete;
    TScopedRegistryDecimal& operator=(const TScopedRegistryDecimal&) = delete;

private:
    void Set(const std::wstring& value) {
        RegSetValueExW(key_, L"sDecimal", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    HKEY key_ = nullptr;
    std::optional<std::wstring> old_;
};

// Runs this test program again with only the given test and returns its output.
std::string RunChildTest(const std::wstring& filter) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command =
        L"\"" + std::wstring(exe) + L"\" --gtest_also_run_disabled_tests --gtest_filter=" + filter;

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return output;
}

// Only run as the child of the test below: writes a value text with the
// decimal separator this new process finds in the user's settings.
TEST(UserDecimalSeparator, DISABLED_ChildPrintsAValueText) {
    const std::wstring text = FormatValue(L"%0.1f", {0.25}, UserDecimalSeparator());
    char utf8[64] = {};
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    std::printf("value text [%s]\n", utf8);
    std::fflush(stdout);
}

TEST(UserDecimalSeparator, ComesFromTheUsersRegionalSettings) {
    std::string output;
    {
        TScopedRegistryDecimal comma(L",");
        output = RunChildTest(L"UserDecimalSeparator.DISABLED_ChildPrintsAValueText");
    }
    EXPECT_NE(output.find("value text [0,3]"), std::string::npos) << output;
}

TEST(UserDecimalSeparator, FollowsAChangeWhileTheProgramRuns) {
    wchar_t before[8] = {};
    ASSERT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, before, 8), 0);
    // The regional-settings dialog changes the setting this way; writing the
    // registry alone is not seen by a process that has read its locale already.
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L"\u066B"));
    const std::wstring changed = UserDecimalSeparator();
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, before);
    EXPECT_EQ(changed, L"\u066B");
    EXPECT_EQ(UserDecimalSeparator(), before);
}

} // namespace
