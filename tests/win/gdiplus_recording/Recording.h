// What the recording stand-in for GDI+ saw the program hand over. The
// stand-in exports "Recording", which returns this log.
#pragma once

#include <windows.h>

namespace recording {

constexpr int MaxCalls = 64;
constexpr int MaxParameters = 4;

struct Parameter {
    GUID guid;
    ULONG numberOfValues;
    ULONG type;
    LONG firstValue;
};

struct Save {
    CLSID encoder;
    void* image;
    bool withParameters;
    UINT count;
    Parameter parameters[MaxParameters];
};

struct BitmapImport {
    int bitsPerPixel;
    RGBQUAD firstColors[2]; // of an indexed DIB section's colour table
    void* image;
};

struct Log {
    // Start-up input as received.
    int startups;
    UINT32 version;
    bool debugCallbackSet;
    BOOL suppressBackgroundThread;
    BOOL suppressExternalCodecs;
    ULONG_PTR startupToken;
    // S start-up, H notification hook, U unhook, D shutdown, in call order.
    char events[MaxCalls + 1];
    int eventCount;
    ULONG_PTR hookToken;
    ULONG_PTR unhookToken;
    ULONG_PTR shutdownToken;
    int saveCount;
    Save saves[MaxCalls];
    int importCount;
    BitmapImport imports[MaxCalls];
    // Set by a test: a non-zero status is returned instead of calling GDI+.
    int failStartupWith;
    int failSaveWith;
};

using RecordingProc = Log*(WINAPI*)();

} // namespace recording
