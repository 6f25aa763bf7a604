// Program entry: the application object, the hidden host form, the message loop.
#include "framework/Application.h"
#include "shell/Host.h"

namespace {
constexpr wchar_t kApplicationTitle[] = L"Vantacle Pro";
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Application.ShowMainForm = false;
    Application.SetTitle(kApplicationTitle);
    Application.Initialize();
    {
        TfrmHost host;
        Application.SetMainForm(&host);
        try {
            host.Create();
        } catch (...) {
            // Start-up went wrong half-way; the user hears why, and the
            // program still runs (the tray and hot keys it has set up work).
            Application.HandleException();
        }
        Application.Run();
        Application.SetMainForm(nullptr);
    }
    return 0;
}
