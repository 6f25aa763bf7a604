#include "export/FileReplace.h"

#include "export/GdiPlusLocate.h"
#include "framework/Error.h"
#include "framework/Handle.h"
#include "framework/LastError.h"

namespace {
constexpr wchar_t CannotCreateFile[] = L"Cannot create file \"%s\". %s";
constexpr wchar_t TemporaryPrefix[] = L"vtc";
// Names tried for the temporary before the folder counts as full of them.
constexpr unsigned TemporaryAttempts = 256;

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

// A full path as the file functions take it past MAX_PATH characters: the
// save dialog admits names whose temporary neighbour is longer.
std::wstring ExtendedPath(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    return path; // not a full path: only the plain form means anything
}

// Creates a new empty file in `folder` (which ends in a separator) under a
// name no file there has, and returns its extended path; GetTempFileName
// would refuse a folder of more than MAX_PATH - 14 characters. On failure
// returns nothing and sets `code`.
std::wstring CreateTemporaryIn(const std::wstring& folder, DWORD& code) {
    const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 8);
    for (unsigned attempt = 0; attempt < TemporaryAttempts; ++attempt) {
        std::wstring name = TemporaryPrefix;
        const unsigned number = (seed + attempt) & 0xFFFF;
        for (int shift = 12; shift >= 0; shift -= 4)
            name += L"0123456789ABCDEF"[(number >> shift) & 0xF];
        std::wstring temporary = ExtendedPath(folder + name + L".tmp");
        HANDLE created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE) {
            CloseHandle(created);
            return temporary;
        }
        code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
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
    if (folder.empty()) folder = L".\\";
    DWORD code = 0;
    const std::wstring temporary = CreateTemporaryIn(folder, code);
    if (temporary.empty()) ThrowCannotCreate(path, code ? code : ERROR_FILE_EXISTS);
    code = WriteAll(temporary, bytes);
    if (code == 0 && !MoveFileExW(temporary.c_str(), ExtendedPath(path).c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        code = GetLastError();
    if (code != 0) {
        DeleteFileW(temporary.c_str());
        ThrowCannotCreate(path, code);
    }
}
