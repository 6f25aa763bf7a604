#include "framework/SavePath.h"

namespace {
bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}
} // namespace

std::size_t SavePathLength(std::wstring_view name, std::wstring_view folder) {
    const bool network = name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1]);
    const bool onDrive = name.size() >= 3 && name[1] == L':' && IsSeparator(name[2]);
    if (network || onDrive) return name.size();
    if (!name.empty() && IsSeparator(name[0])) {
        const bool folderOnDrive = folder.size() >= 2 && folder[1] == L':';
        return (folderOnDrive ? 2 : folder.size()) + name.size();
    }
    const bool joined = !folder.empty() && !IsSeparator(folder.back());
    return folder.size() + (joined ? 1 : 0) + name.size();
}
