// Program entry: the GDI+ binding, the application object, the hidden host
// form and the message loop.
#include "export/GdiPlus.h"
#include "framework/Application.h"
#include "shell/Host.h"

namespace {
constexpr wchar_t kApplicationTitle[] = L"Vantacle Pro";
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // First of all, so that nothing started later can find GDI+ missing.
    GdiPlusLibrary = std::make_unique<TGDIPlusFull>(L"");

    Application.ShowMainForm = false;
    Application.SetTitle(kApplicationTitle);
    Application.Initialize();
    int exitCode = 0;
    {
        TfrmHost host;
        exitCode = Application.CreateAndRun(host);
    }
    GdiPlusLibrary.reset();
    return exitCode;
}
