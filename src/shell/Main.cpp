// Program entry: the start request, the user's one instance, the
// application object, the hidden host form, the message loop and, at the
// end, the GDI+ binding a save may have made.
#include "export/GdiPlus.h"
#include "framework/Application.h"
#include "shell/Host.h"
#include "shell/SingleInstance.h"
#include "shell/StartRequest.h"
#include <shellapi.h>

namespace {
constexpr wchar_t kApplicationTitle[] = L"Vantacle Pro";
constexpr wchar_t kNoAnswer[] = L"Vantacle is already running, but it does not answer.\n\n"
                                L"End it in Task Manager, then start it again.";

std::vector<std::wstring> CommandLineArguments() {
    std::vector<std::wstring> arguments;
    int count = 0;
    if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        // The first word is the program's own name.
        for (int i = 1; i < count; ++i)
            arguments.emplace_back(words[i]);
        LocalFree(words);
    }
    return arguments;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // An uninstaller's request: the running program ends; this start starts
    // nothing of its own.
    if (StartRequestFrom(CommandLineArguments()) == TStartRequest::CloseRunning)
        return CloseRunningInstance() ? 0 : 1;
    // A second process would show a second set of tray icons whose hot keys
    // cannot register: the running one shows itself instead.
    TInstanceClaim claim;
    if (!claim.First()) {
        if (ShowRunningInstance(claim)) return 0;
        MessageBoxW(nullptr, kNoAnswer, kApplicationTitle, MB_OK | MB_ICONWARNING);
        return 1;
    }

    Application.ShowMainForm = false;
    Application.SetTitle(kApplicationTitle);
    Application.Initialize();
    int exitCode = 0;
    {
        TfrmHost host;
        // Made before the host form, so that a later start or the session's
        // end during the welcome of a first start reaches the program; and
        // declared after it, so it is gone before the host form is.
        TInstanceWindow mainWindow(
            claim, [&host] { ShowForLaterStart(host); }, [&host] { EndProgram(host); });
        exitCode = Application.CreateAndRun(host);
    }
    // GDI+, where a save started it, shuts down on the thread that started it.
    GdiPlusLibrary.reset();
    return exitCode;
}
