#include "tray/Icon.h"
#include "framework/Error.h"
#include <cstring>
#include <string>

namespace {
// Version of the icon format CreateIconFromResourceEx expects.
constexpr DWORD kIconFormatVersion = 0x00030000;

#pragma pack(push, 2)
// An icon group resource: the .ico directory with resource ids for offsets.
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

std::wstring ResourceName(const wchar_t* name) {
    if (IS_INTRESOURCE(name)) return L"#" + std::to_wstring(reinterpret_cast<uintptr_t>(name));
    return name;
}

std::span<const uint8_t> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const uint8_t*>(bytes), SizeofResource(module, found)};
}

// The 32-bit pixels of an icon handle, alpha taken from the mask when the
// colour bitmap has none (icons of fewer colours).
TIcoBytes IcoFromHandle(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP m{};
    if (!colour || !GetObjectW(mask.get(), sizeof m, &m)) return {};
    const int width = m.bmWidth, height = m.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(size_t(width) * height), maskPixels(pixels.size());
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    GetDIBits(dc.get(), colour.get(), 0, UINT(height), pixels.data(), &bi, DIB_RGB_COLORS);
    GetDIBits(dc.get(), mask.get(), 0, UINT(height), maskPixels.data(), &bi, DIB_RGB_COLORS);
    bool hasAlpha = false;
    for (uint32_t p : pixels)
        hasAlpha |= (p >> 24) != 0;
    if (!hasAlpha)
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = (maskPixels[i] & 0xFFFFFF) ? 0 : (pixels[i] | 0xFF000000);
    return MakeIcoFile(width, height, pixels);
}
} // namespace

int SmallIconSize() {
    return GetSystemMetrics(SM_CXSMICON);
}

const TIcoBytes& TIcon::Data() const {
    if (data_.empty() && handle_) data_ = IcoFromHandle(handle_.get());
    return data_;
}

void TIcon::Changed() {
    if (OnChange) OnChange();
}

void TIcon::Assign(const TIcon& other) {
    if (&other == this) return;
    handle_.reset(other.handle_ ? CopyIcon(other.handle_.get()) : nullptr);
    data_ = other.data_;
    Changed();
}

void TIcon::AssignHandle(HICON icon) {
    const int size = SmallIconSize();
    HICON copy =
        icon ? static_cast<HICON>(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE))
             : nullptr;
    if (!copy && icon) copy = CopyIcon(icon);
    handle_.reset(copy);
    data_.clear();
    Changed();
}

bool TIcon::LoadFromIco(std::span<const uint8_t> bytes) {
    handle_.reset();
    data_.clear();
    if (auto images = ParseIcoFile(bytes)) {
        const TIcoImage& image = PickIcoImage(*images, SmallIconSize());
        // The system call wants a writable pointer; it does not write.
        handle_.reset(CreateIconFromResourceEx(const_cast<uint8_t*>(bytes.data()) + image.offset,
                                               DWORD(image.size), TRUE, kIconFormatVersion,
                                               image.width, image.height, LR_DEFAULTCOLOR));
        if (handle_) data_.assign(bytes.begin(), bytes.end());
    }
    Changed();
    return !Empty();
}

void TIcon::LoadFromResource(HMODULE module, const wchar_t* name) {
    // Rebuilt as an .ico file from the group and its images, so that what
    // is stored later is the artwork itself and not a screen rendering.
    auto group = ResourceBytes(module, name, RT_GROUP_ICON);
    GroupIconHeader header{};
    if (group.size() >= sizeof header) std::memcpy(&header, group.data(), sizeof header);
    if (header.count == 0 || group.size() < sizeof header + header.count * sizeof(GroupIconEntry))
        throw Error(FormatMessageText(L"Icon resource \"%s\" not found.", {ResourceName(name)}));
    std::vector<std::span<const uint8_t>> images;
    std::vector<GroupIconEntry> entries(header.count);
    std::memcpy(entries.data(), group.data() + sizeof header, entries.size() * sizeof entries[0]);
    for (const GroupIconEntry& e : entries)
        images.push_back(ResourceBytes(module, MAKEINTRESOURCEW(e.id), RT_ICON));

    TIcoBytes ico(6 + 16 * entries.size());
    std::memcpy(ico.data(), &header, sizeof header);
    for (size_t i = 0; i < entries.size(); ++i) {
        const DWORD offset = DWORD(ico.size()), size = DWORD(images[i].size());
        uint8_t* dir = ico.data() + 6 + 16 * i;
        std::memcpy(dir, &entries[i], 8); // width, height, colours, reserved, planes, bit count
        std::memcpy(dir + 8, &size, 4);
        std::memcpy(dir + 12, &offset, 4);
        ico.insert(ico.end(), images[i].begin(), images[i].end());
    }
    if (!LoadFromIco(ico))
        throw Error(
            FormatMessageText(L"Icon resource \"%s\" is not a usable icon.", {ResourceName(name)}));
}

void TIcon::Clear() {
    handle_.reset();
    data_.clear();
    Changed();
}
