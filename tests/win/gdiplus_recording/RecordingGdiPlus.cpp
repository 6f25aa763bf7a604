// A stand-in gdiplus11.dll: the program looks for it beside itself first. It
// records what the program hands to GDI+ at start-up, shutdown, bitmap import
// and encoding, then passes the call on to the system's GDI+; every other
// entry point is forwarded to the system's GDI+ by the export table.
#include "Recording.h"

#include <objidl.h>
#include <gdiplus.h>

namespace {
recording::Log TheLog{};
HMODULE SystemGdiPlus = nullptr;
Gdiplus::NotificationHookProc RealHook = nullptr;
Gdiplus::NotificationUnhookProc RealUnhook = nullptr;

template <typename Function> Function Real(const char* name) {
    if (!SystemGdiPlus) SystemGdiPlus = LoadLibraryW(L"gdiplus.dll");
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(SystemGdiPlus, name)));
}

void Event(char event) {
    if (TheLog.eventCount < recording::MaxCalls) TheLog.events[TheLog.eventCount++] = event;
}

Gdiplus::GpStatus WINAPI RecordHook(ULONG_PTR* token) {
    Event('H');
    const Gdiplus::GpStatus status = RealHook(token);
    TheLog.hookToken = *token;
    return status;
}

VOID WINAPI RecordUnhook(ULONG_PTR token) {
    Event('U');
    TheLog.unhookToken = token;
    RealUnhook(token);
}
} // namespace

extern "C" {

recording::Log* WINAPI Recording() {
    return &TheLog;
}

Gdiplus::GpStatus WINAPI RecordStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                                       Gdiplus::GdiplusStartupOutput* output) {
    Event('S');
    ++TheLog.startups;
    TheLog.version = input->GdiplusVersion;
    TheLog.debugCallbackSet = input->DebugEventCallback != nullptr;
    TheLog.suppressBackgroundThread = input->SuppressBackgroundThread;
    TheLog.suppressExternalCodecs = input->SuppressExternalCodecs;
    if (TheLog.failStartupWith) return static_cast<Gdiplus::GpStatus>(TheLog.failStartupWith);
    auto startup = Real<decltype(&Gdiplus::GdiplusStartup)>("GdiplusStartup");
    const Gdiplus::GpStatus status = startup(token, input, output);
    TheLog.startupToken = *token;
    if (status == Gdiplus::Ok && output && output->NotificationHook) {
        RealHook = output->NotificationHook;
        RealUnhook = output->NotificationUnhook;
        output->NotificationHook = RecordHook;
        output->NotificationUnhook = RecordUnhook;
    }
    return status;
}

VOID WINAPI RecordShutdown(ULONG_PTR token) {
    Event('D');
    TheLog.shutdownToken = token;
    Real<decltype(&Gdiplus::GdiplusShutdown)>("GdiplusShutdown")(token);
}

Gdiplus::GpStatus WINAPI RecordCreateBitmapFromHBITMAP(HBITMAP bitmap, HPALETTE palette,
                                                       Gdiplus::GpBitmap** image) {
    auto create = Real<decltype(&Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP)>(
        "GdipCreateBitmapFromHBITMAP");
    const Gdiplus::GpStatus status = create(bitmap, palette, image);
    if (TheLog.importCount < recording::MaxCalls) {
        recording::BitmapImport& entry = TheLog.imports[TheLog.importCount++];
        DIBSECTION section{};
        if (GetObjectW(bitmap, sizeof(section), &section))
            entry.bitsPerPixel = section.dsBm.bmBitsPixel;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        GetDIBColorTable(dc, 0, 2, entry.firstColors);
        SelectObject(dc, previous);
        DeleteDC(dc);
        entry.image = status == Gdiplus::Ok ? *image : nullptr;
    }
    return status;
}

Gdiplus::GpStatus WINAPI RecordSaveImageToStream(Gdiplus::GpImage* image, IStream* stream,
                                                 const CLSID* encoder,
                                                 const Gdiplus::EncoderParameters* parameters) {
    if (TheLog.saveCount < recording::MaxCalls) {
        recording::Save& entry = TheLog.saves[TheLog.saveCount++];
        entry.encoder = *encoder;
        entry.image = image;
        entry.withParameters = parameters != nullptr;
        if (parameters) {
            entry.count = parameters->Count;
            for (UINT i = 0; i < parameters->Count && i < recording::MaxParameters; ++i) {
                const Gdiplus::EncoderParameter& p = parameters->Parameter[i];
                entry.parameters[i] = {p.Guid, p.NumberOfValues, p.Type,
                                       p.Value ? *static_cast<const LONG*>(p.Value) : 0};
            }
        }
    }
    if (TheLog.failSaveWith) return static_cast<Gdiplus::GpStatus>(TheLog.failSaveWith);
    return Real<decltype(&Gdiplus::DllExports::GdipSaveImageToStream)>("GdipSaveImageToStream")(
        image, stream, encoder, parameters);
}

} // extern "C"
