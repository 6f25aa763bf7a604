#include "framework/RegistryIni.h"
#include "framework/Error.h"
#include <vector>

namespace {
constexpr wchar_t kSetDataFailed[] = L"Failed to set data for '%s'";

[[noreturn]] void ThrowSetDataFailed(std::wstring_view name) {
    throw Error(FormatMessageText(kSetDataFailed, {name}));
}
} // namespace

std::optional<std::wstring> RegistryValueText(HKEY key, const wchar_t* name) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    // The value may grow between the two calls; ask again until it fits.
    std::vector<BYTE> data;
    LSTATUS status;
    do {
        data.resize(size + sizeof(wchar_t));
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
    } while (status == ERROR_MORE_DATA);
    if (status != ERROR_SUCCESS) return {};

    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
        // Stored strings may or may not carry their terminating zero.
        if (auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
        return text;
    }
    case REG_DWORD:
        if (size >= sizeof(DWORD)) {
            DWORD value;
            memcpy(&value, data.data(), sizeof(value));
            return std::to_wstring(static_cast<int32_t>(value));
        }
        return {};
    case REG_QWORD:
        if (size >= sizeof(uint64_t)) {
            int64_t value;
            memcpy(&value, data.data(), sizeof(value));
            return std::to_wstring(value);
        }
        return {};
    default:
        return {};
    }
}

void RegistryWriteText(HKEY key, const wchar_t* name, std::wstring_view value) {
    std::wstring text(value);
    auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (!key || RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                               bytes) != ERROR_SUCCESS)
        ThrowSetDataFailed(name);
}

TRegistryIniFile::TRegistryIniFile(HKEY root, const std::wstring& fileKey) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, fileKey.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        key_.reset(key);
    else if (RegOpenKeyExW(root, fileKey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
        key_.reset(key); // readable but not writable: writes will report their failure
}

std::optional<std::wstring> TRegistryIniFile::ReadValue(std::wstring_view section,
                                                        std::wstring_view name) const {
    if (!key_) return {};
    HKEY sectionKey = nullptr;
    if (RegOpenKeyExW(key_.get(), std::wstring(section).c_str(), 0, KEY_READ, &sectionKey) !=
        ERROR_SUCCESS)
        return {};
    UniqueRegKey owned(sectionKey);
    return RegistryValueText(sectionKey, std::wstring(name).c_str());
}

void TRegistryIniFile::WriteString(std::wstring_view section, std::wstring_view name,
                                   std::wstring_view value) {
    HKEY sectionKey = nullptr;
    if (!key_ || RegCreateKeyExW(key_.get(), std::wstring(section).c_str(), 0, nullptr, 0,
                                 KEY_WRITE, nullptr, &sectionKey, nullptr) != ERROR_SUCCESS)
        ThrowSetDataFailed(name);
    UniqueRegKey owned(sectionKey);
    RegistryWriteText(sectionKey, std::wstring(name).c_str(), value);
}
