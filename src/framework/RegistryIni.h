// An ini file kept in the registry: a base key plays the file, sub-key paths
// below it the sections, value names the keys. Values are strings.
#pragma once

#include "framework/Handle.h"
#include <optional>
#include <string>
#include <string_view>

class TRegistryIniFile {
public:
    // Opens the base key below root, creating it when missing.
    TRegistryIniFile(HKEY root, const std::wstring& fileKey);

    // The value's text; a number stored with a numeric registry type reads as
    // its decimal text. Missing sections and values, and other types, give
    // nothing.
    std::optional<std::wstring> ReadValue(std::wstring_view section, std::wstring_view name) const;
    // Creates the section when missing. Throws "Failed to set data for '<name>'".
    void WriteString(std::wstring_view section, std::wstring_view name, std::wstring_view value);

private:
    UniqueRegKey key_;
};

// The text of a registry value of any type, as above, from an open key.
std::optional<std::wstring> RegistryValueText(HKEY key, const wchar_t* name);
// Throws "Failed to set data for '<name>'" when the write fails.
void RegistryWriteText(HKEY key, const wchar_t* name, std::wstring_view value);
