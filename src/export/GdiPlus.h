// The process-wide binding to GDI+, which the program loads at run time so it
// runs (without image files) where no GDI+ can be found.
#pragma once

#include "export/GdiPlusEntries.h"
#include "framework/Handle.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>

// The declarations the entry-point pointers take their types from.
namespace GdiPlusDeclarations {
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
} // namespace GdiPlusDeclarations

// A library loaded at run time; its module handle is 0 while none is loaded.
class TDynLibrary {
public:
    TDynLibrary() = default;
    TDynLibrary(const TDynLibrary&) = delete;
    TDynLibrary& operator=(const TDynLibrary&) = delete;
    virtual ~TDynLibrary() = default;

    HMODULE Handle() const noexcept { return module_.get(); }

protected:
    // Loads the library without the system's "file not found" box, which
    // would otherwise greet a user whose machine has no such library.
    bool Load(const std::wstring& fileName);
    void Unload() noexcept { module_.reset(); }

    // Fills one entry point from the library; false when it is missing.
    template <typename Function> bool Resolve(const char* name, Function& entry) noexcept {
        entry = reinterpret_cast<Function>(
            reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
        return entry != nullptr;
    }

private:
    UniqueModule module_;
};

// GDI+ with the entry points pictures need, started for this process.
class TGDIPlus : public TDynLibrary {
public:
    // An empty name (or one naming no file) searches the usual places.
    explicit TGDIPlus(const std::wstring& libraryName);
    ~TGDIPlus() override;

    bool Loaded() const noexcept { return Handle() != nullptr; }

    // Draws an enhanced metafile into a rectangle of a device context.
    virtual bool RenderMetafile(HDC dc, HENHMETAFILE metafile, const RECT& rect);

#define VANTACLE_GDIPLUS_DECLARE(Name) decltype(&GdiPlusDeclarations::Name) Name = nullptr;
    VANTACLE_GDIPLUS_BASE_ENTRIES(VANTACLE_GDIPLUS_DECLARE)

protected:
    struct DeferStartup {};
    // Loads and resolves the base entries only; the derived class resolves
    // its own before it starts GDI+.
    TGDIPlus(const std::wstring& libraryName, DeferStartup);
    // Starts GDI+ once every entry point is there; unloads on failure.
    void Startup();

private:
    bool ResolveBase() noexcept;
    void Shutdown() noexcept;

    ULONG_PTR token_ = 0;
    Gdiplus::GdiplusStartupOutput startupOutput_{};
    ULONG_PTR notificationToken_ = 0;
};

// GDI+ with its drawing, path, matrix, font, metafile and bitmap-bits entry
// points as well, all of which must be present.
class TGDIPlusFull : public TGDIPlus {
public:
    explicit TGDIPlusFull(const std::wstring& libraryName);

    bool RenderMetafile(HDC dc, HENHMETAFILE metafile, const RECT& rect) override;

    // Only GDI+ 1.1 has it, so it is looked up when first wanted, once.
    decltype(&GdiPlusDeclarations::GdipConvertToEmfPlus) ConvertToEmfPlus() noexcept;

    VANTACLE_GDIPLUS_FULL_ENTRIES(VANTACLE_GDIPLUS_DECLARE)
#undef VANTACLE_GDIPLUS_DECLARE

private:
    bool ResolveFull() noexcept;

    decltype(&GdiPlusDeclarations::GdipConvertToEmfPlus) convertToEmfPlus_ = nullptr;
    bool convertToEmfPlusTried_ = false;
};

// The program's one binding: created when the first picture is about to be
// encoded, and destroyed at the program's end. Empty before and after.
extern std::unique_ptr<TGDIPlusFull> GdiPlusLibrary;

// Creates the binding where there is none yet, loading and starting GDI+
// (or finding it missing, once): most sessions never save a picture, and
// GDI+ with the libraries it brings costs memory from the moment it loads.
void BindGdiPlus();

// True when the binding exists and holds a started GDI+.
bool GdiPlusLoaded() noexcept;

// The file to load: the given name when it names a file; else "gdiplus11.dll"
// or "gdiplus.dll" in the program folder; else the one beside a recent Office;
// else plain "gdiplus.dll" for the system's own search.
std::wstring LocateGdiPlus(const std::wstring& libraryName, const std::wstring& programFolder);
