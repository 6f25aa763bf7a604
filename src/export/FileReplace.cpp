#include "export/FileReplace.h"

#include "export/GdiPlusLocate.h"
#include "framework/Error.h"
#include "framework/Handle.h"
#include "framework/LastError.h"

namespace {
constexpr wchar_t CannotCreateFile[] = L"Cannot create file \"%s\". %s";
constexpr wchar_t TemporaryPrefix[] = L"vtc";

// The full path of a file name, as error messages name it.
std::wstring FullPathOf(const std::wstring& fileName) {
    const DWORD needed = GetFullPathNameW(fileName.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return fileName;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(fileName.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return fileName;
    full.resize(length);
    return full;
}

[[noreturn]] void ThrowCannotCreate(const std::wstring& path, DWORD code) {
    throw Error(FormatMessageText(CannotCreateFile, {path, SystemErrorText(code)}));
}

// Returns the system error code of a failure, 0 on success.
DWORD WriteAll(const std::wstring& path, const std::vector<BYTE>& bytes) {
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return GetLastError();
    UniqueKernelHandle file(opened);
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return GetLastError();
    return written == bytes.size() ? 0 : ERROR_WRITE_FAULT;
}
// An existing file must be one the user lets us write (not read-only, not
// held open by another program): replacing it by a move would not ask.
DWORD ExistingFileRefusesWrite(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    // Checked by hand as well: a process with every right (root under Wine)
    // opens read-only files for writing.
    if (attributes & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(opened);
    return 0;
}
} // namespace

void ThrowCannotCreateFile(const std::wstring& fileName, const std::wstring& reason) {
    throw Error(FormatMessageText(CannotCreateFile, {FullPathOf(fileName), reason}));
}

void ReplaceFileWith(const std::wstring& fileName, const std::vector<BYTE>& bytes) {
    const std::wstring path = FullPathOf(fileName);
    if (const DWORD refused = ExistingFileRefusesWrite(path)) ThrowCannotCreate(path, refused);
    std::wstring folder = FolderOfPath(path);
    if (folder.empty()) folder = L".";
    wchar_t temporary[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(folder.c_str(), TemporaryPrefix, 0, temporary))
        ThrowCannotCreate(path, GetLastError());
    DWORD code = WriteAll(temporary, bytes);
    if (code == 0 &&
        !MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        code = GetLastError();
    if (code != 0) {
        DeleteFileW(temporary);
        ThrowCannotCreate(path, code);
    }
}
