// Pictures with known pixels and the decoding of encoded bytes, shared by the
// tests of the GDI+ binding and picture classes.
#pragma once

#include "export/GdiPictures.h"
#include "framework/Error.h"
#include "framework/Handle.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace exporttest {

// A top-down 32-bit DIB section whose pixel (x, y) is color(x, y) as 0x00RRGGBB.
inline UniqueBitmap MakeBitmap(int width, int height,
                               const std::function<std::uint32_t(int, int)>& color) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits) {
        auto* pixels = static_cast<std::uint32_t*>(bits);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[y * width + x] = color(x, y);
    }
    return bitmap;
}

// Eight flat colours in bands, the kind of picture a screenshot of a user
// interface is: few colours, sharp edges.
inline std::uint32_t Bands(int x, int y) {
    static const std::uint32_t colors[] = {0xFFFFFF, 0x000000, 0xF0F0F0, 0x0078D7,
                                           0xC0C0C0, 0xE81123, 0x107C10, 0x7F7F7F};
    return colors[(x / 5 + y / 3) % 8];
}

// A smooth picture of thousands of colours.
inline std::uint32_t Gradient(int x, int y) {
    return (static_cast<std::uint32_t>(x * 4 % 256) << 16) |
           (static_cast<std::uint32_t>(y * 4 % 256) << 8) |
           static_cast<std::uint32_t>((x + y) % 256);
}

inline UniqueStream MemoryStream() {
    IStream* stream = nullptr;
    CreateMemoryBlockStream(nullptr, TRUE, &stream);
    return UniqueStream(stream);
}

inline std::vector<BYTE> StreamBytes(IStream* stream) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    if (!bytes.empty()) stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

inline UniqueStream StreamOver(const std::vector<BYTE>& bytes) {
    UniqueStream stream = MemoryStream();
    ULONG written = 0;
    stream.get()->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER start{};
    stream.get()->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

// The pixels of a picture as GDI+ decodes them, 0x00RRGGBB, row by row.
inline std::vector<std::uint32_t> PicturePixels(const TGdiPicture& picture) {
    std::vector<std::uint32_t> pixels;
    if (picture.Empty()) return pixels;
    auto* bitmap = static_cast<Gdiplus::GpBitmap*>(picture.Image());
    Gdiplus::GpRect area(0, 0, picture.Width(), picture.Height());
    Gdiplus::BitmapData data{};
    if (GdiPlusLibrary->GdipBitmapLockBits(bitmap, &area, Gdiplus::ImageLockModeRead,
                                           PixelFormat32bppRGB, &data) != Gdiplus::Ok)
        return pixels;
    for (int y = 0; y < picture.Height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < picture.Width(); ++x)
            pixels.push_back(row[x] & 0xFFFFFF);
    }
    GdiPlusLibrary->GdipBitmapUnlockBits(bitmap, &data);
    return pixels;
}

inline std::vector<std::uint32_t> ExpectedPixels(int width, int height,
                                                 std::uint32_t (*color)(int, int)) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(color(x, y));
    return pixels;
}

// Mean absolute difference per channel.
inline double MeanError(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size() || a.empty()) return 1e9;
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (int shift : {0, 8, 16})
            sum += std::abs(static_cast<int>((a[i] >> shift) & 0xFF) -
                            static_cast<int>((b[i] >> shift) & 0xFF));
    return sum / (a.size() * 3.0);
}

inline std::string Magic(const std::vector<BYTE>& bytes, std::size_t length) {
    return std::string(bytes.begin(), bytes.begin() + std::min(length, bytes.size()));
}

inline std::wstring TemporaryFolder(const wchar_t* name) {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + name + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

inline std::vector<BYTE> ReadFileBytes(const std::wstring& path) {
    std::vector<BYTE> bytes;
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return bytes;
    UniqueKernelHandle file(opened);
    bytes.resize(GetFileSize(opened, nullptr));
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(opened, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

inline void WriteFileBytes(const std::wstring& path, const std::string& text) {
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    UniqueKernelHandle file(opened);
    DWORD written = 0;
    WriteFile(opened, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The names in a folder, to see that nothing was left behind.
inline std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

inline void EmptyFolder(const std::wstring& folder) {
    for (const std::wstring& name : FolderEntries(folder)) {
        SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((folder + name).c_str());
    }
}

} // namespace exporttest
