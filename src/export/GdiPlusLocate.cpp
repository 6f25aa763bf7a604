#include "export/GdiPlusLocate.h"

namespace {
constexpr std::uint32_t FixedFileInfoSignature = 0xFEEF04BDu;
constexpr std::size_t FixedFileInfoSize = 13 * 4;
// wLength, wValueLength and wType precede the key of every version block.
constexpr std::size_t VersionHeaderSize = 3 * 2;
constexpr std::size_t FileVersionMSOffset = 2 * 4;

std::uint16_t ReadWord(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadDword(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
} // namespace

std::wstring ProgramPathFromCommand(std::wstring_view command) {
    if (command.empty()) return {};
    std::wstring_view rest = command.substr(1);
    return std::wstring(rest.substr(0, rest.find(L'"')));
}

std::wstring FolderOfPath(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring_view::npos) return {};
    return std::wstring(path.substr(0, separator + 1));
}

std::uint32_t FixedFileVersion(const unsigned char* data, std::size_t size) {
    if (!data || size < VersionHeaderSize) return UnreadableFileVersion;
    const std::size_t blockLength = ReadWord(data);
    const std::size_t valueLength = ReadWord(data + 2);
    if (blockLength > size) return UnreadableFileVersion;
    if (valueLength < FixedFileInfoSize) return UnreadableFileVersion;
    // Skip the zero-terminated UTF-16 key ("VS_VERSION_INFO"); the value
    // starts at the next 32-bit boundary.
    std::size_t offset = VersionHeaderSize;
    while (true) {
        if (offset + 2 > blockLength) return UnreadableFileVersion;
        const bool end = ReadWord(data + offset) == 0;
        offset += 2;
        if (end) break;
    }
    offset = (offset + 3) & ~static_cast<std::size_t>(3);
    if (offset + FixedFileInfoSize > blockLength) return UnreadableFileVersion;
    if (ReadDword(data + offset) != FixedFileInfoSignature) return UnreadableFileVersion;
    return ReadDword(data + offset + FileVersionMSOffset);
}
