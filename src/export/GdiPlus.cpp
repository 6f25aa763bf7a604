#include "export/GdiPlus.h"

#include "export/ComHandles.h"
#include "export/GdiPlusLocate.h"
#include "framework/ProgramPath.h"

#include <vector>

std::unique_ptr<TGDIPlusFull> GdiPlusLibrary;

namespace {
constexpr wchar_t PreferredLibraryName[] = L"gdiplus11.dll";
constexpr wchar_t LibraryName[] = L"gdiplus.dll";
// Office registers its own, newer GDI+ beside Word; its edit command names Word.
constexpr wchar_t OfficeCommandKey[] = L"Applications\\Winword.exe\\shell\\edit\\command";
constexpr DWORD OfficeCommandMaxChars = 250;
constexpr UINT32 GdiPlusVersion = 1;
// SuppressBackgroundThread as all bits set: the program runs GDI+'s
// notification hook on its own (user-interface) thread instead.
constexpr BOOL SuppressBackgroundThreadAllBits = -1;

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ReadOfficeCommand() {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, OfficeCommandKey, 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return {};
    UniqueRegKey key(opened);
    // One spare character: a stored string need not end with a terminator.
    wchar_t value[OfficeCommandMaxChars + 1] = {};
    DWORD type = 0;
    DWORD bytes = OfficeCommandMaxChars * sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &bytes) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    return std::wstring(value, wcsnlen(value, bytes / sizeof(wchar_t)));
}

// Reads the version resource without version.dll: the file is mapped as data
// and its resource parsed directly.
std::uint32_t FileVersionOf(const std::wstring& path) {
    UniqueModule file(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!file) return UnreadableFileVersion;
    HRSRC resource = FindResourceW(file.get(), MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!resource) return UnreadableFileVersion;
    HGLOBAL loaded = LoadResource(file.get(), resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return UnreadableFileVersion;
    return FixedFileVersion(static_cast<const unsigned char*>(data),
                            SizeofResource(file.get(), resource));
}

std::wstring OfficeGdiPlus() {
    const std::wstring command = ReadOfficeCommand();
    if (command.empty()) return {};
    const std::wstring program = ProgramPathFromCommand(command);
    if (FileVersionOf(program) < GdiPlusMinimumOfficeVersion) return {};
    std::wstring candidate = FolderOfPath(program) + LibraryName;
    return FileExists(candidate) ? candidate : std::wstring();
}
} // namespace

void BindGdiPlus() {
    if (!GdiPlusLibrary) GdiPlusLibrary = std::make_unique<TGDIPlusFull>(L"");
}

bool GdiPlusLoaded() noexcept {
    return GdiPlusLibrary && GdiPlusLibrary->Loaded();
}

std::wstring LocateGdiPlus(const std::wstring& libraryName, const std::wstring& programFolder) {
    if (FileExists(libraryName)) return libraryName;
    for (const wchar_t* name : {PreferredLibraryName, LibraryName}) {
        std::wstring candidate = programFolder + name;
        if (FileExists(candidate)) return candidate;
    }
    std::wstring office = OfficeGdiPlus();
    return office.empty() ? std::wstring(LibraryName) : office;
}

bool TDynLibrary::Load(const std::wstring& fileName) {
    const UINT previousMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    module_.reset(LoadLibraryW(fileName.c_str()));
    SetErrorMode(previousMode);
    return static_cast<bool>(module_);
}

TGDIPlus::TGDIPlus(const std::wstring& libraryName) : TGDIPlus(libraryName, DeferStartup{}) {
    Startup();
}

TGDIPlus::TGDIPlus(const std::wstring& libraryName, DeferStartup) {
    if (Load(LocateGdiPlus(libraryName, ExecutableFolder())) && !ResolveBase()) Unload();
}

TGDIPlus::~TGDIPlus() {
    Shutdown();
}

bool TGDIPlus::ResolveBase() noexcept {
#define VANTACLE_GDIPLUS_RESOLVE(Name)                                                             \
    if (!Resolve(#Name, Name)) return false;
    VANTACLE_GDIPLUS_BASE_ENTRIES(VANTACLE_GDIPLUS_RESOLVE)
    return true;
}

bool TGDIPlusFull::ResolveFull() noexcept {
    VANTACLE_GDIPLUS_FULL_ENTRIES(VANTACLE_GDIPLUS_RESOLVE)
#undef VANTACLE_GDIPLUS_RESOLVE
    return true;
}

void TGDIPlus::Startup() {
    if (!Loaded()) return;
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = GdiPlusVersion;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = SuppressBackgroundThreadAllBits;
    input.SuppressExternalCodecs = FALSE;
    if (GdiplusStartup(&token_, &input, &startupOutput_) != Gdiplus::Ok) {
        token_ = 0;
        Unload();
        return;
    }
    if (startupOutput_.NotificationHook) startupOutput_.NotificationHook(&notificationToken_);
}

void TGDIPlus::Shutdown() noexcept {
    if (token_ == 0) return;
    if (startupOutput_.NotificationUnhook) startupOutput_.NotificationUnhook(notificationToken_);
    GdiplusShutdown(token_);
    token_ = 0;
}

bool TGDIPlus::RenderMetafile(HDC dc, HENHMETAFILE metafile, const RECT& rect) {
    return metafile && PlayEnhMetaFile(dc, metafile, &rect);
}

TGDIPlusFull::TGDIPlusFull(const std::wstring& libraryName)
    : TGDIPlus(libraryName, DeferStartup{}) {
    if (Loaded() && !ResolveFull()) Unload();
    Startup();
}

decltype(&GdiPlusDeclarations::GdipConvertToEmfPlus) TGDIPlusFull::ConvertToEmfPlus() noexcept {
    if (!convertToEmfPlusTried_ && Loaded()) {
        convertToEmfPlusTried_ = true;
        Resolve("GdipConvertToEmfPlus", convertToEmfPlus_);
    }
    return convertToEmfPlus_;
}

// GDI+ draws the metafile smoothed; where the library can, the records are
// first converted to EMF+ so that GDI+ itself, not GDI, renders them.
bool TGDIPlusFull::RenderMetafile(HDC dc, HENHMETAFILE metafile, const RECT& rect) {
    if (!Loaded() || !metafile) return false;
    const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    if (size == 0) return false;
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return false;
    void* bytes = GlobalLock(block.get());
    if (!bytes) return false;
    const UINT copied = GetEnhMetaFileBits(metafile, size, static_cast<BYTE*>(bytes));
    GlobalUnlock(block.get());
    if (copied != size) return false;
    IStream* created = nullptr;
    if (FAILED(CreateMemoryBlockStream(block.get(), TRUE, &created))) return false;
    block.release(); // the stream frees it now
    UniqueStream stream(created);

    Gdiplus::GpImage* image = nullptr;
    if (GdipLoadImageFromStream(stream.get(), &image) != Gdiplus::Ok) return false;
    ScopeExit disposeImage([&] { GdipDisposeImage(image); });
    Gdiplus::GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return false;
    ScopeExit deleteGraphics([&] { GdipDeleteGraphics(graphics); });

    Gdiplus::GpImage* drawn = image;
    Gdiplus::GpMetafile* converted = nullptr;
    if (auto convert = ConvertToEmfPlus()) {
        BOOL conversionSucceeded = FALSE;
        if (convert(graphics, static_cast<Gdiplus::GpMetafile*>(image), &conversionSucceeded,
                    Gdiplus::EmfTypeEmfPlusDual, nullptr, &converted) == Gdiplus::Ok &&
            converted)
            drawn = converted;
    }
    ScopeExit disposeConverted([&] {
        if (converted) GdipDisposeImage(converted);
    });
    return GdipDrawImageRectI(graphics, drawn, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top) == Gdiplus::Ok;
}
