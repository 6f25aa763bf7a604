// How long the path from a tool start to the first frame of the frozen
// picture takes, next to the least it could take: one block copy of the
// whole screen into memory. Run it on the screen size to be measured.
#include "framework/Application.h"
#include "framework/RegistryIni.h"
#include "shell/Host.h"
#include "shell/Settings.h"
#include "tools/Activation.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kRuns = 30;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double BlockCopyOnce(int width, int height) {
    TBitmap target(width, height);
    HDC screen = GetDC(nullptr);
    auto start = Clock::now();
    BitBlt(target.DC(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    auto end = Clock::now();
    ReleaseDC(nullptr, screen);
    return Milliseconds(end - start);
}

double ActivationOnce(TfrmHost& host) {
    auto start = Clock::now();
    host.StartTool(kScreenshot);
    UpdateWindow(host.Handle()); // the first WM_PAINT, drawn now
    GdiFlush();
    auto end = Clock::now();
    host.StopTool();
    Application.ProcessMessages();
    return Milliseconds(end - start);
}
} // namespace

int main() {
    Application.ShowMainForm = false;
    Application.SetTitle(L"Vantacle Pro");
    Application.Initialize();
    // A known start, so no welcome dialog waits for a click.
    TRegistryIniFile(HKEY_CURRENT_USER, kSettingsBaseKey)
        .WriteString(kProductSection, L"@Version", L"1.71");

    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TfrmHost host;
    Application.SetMainForm(&host);
    host.Create();

    std::vector<double> copies, activations;
    ActivationOnce(host); // warm-up: first use of every code path
    for (int i = 0; i < kRuns; ++i) {
        copies.push_back(BlockCopyOnce(width, height));
        activations.push_back(ActivationOnce(host));
    }
    const double copy = Median(copies), activation = Median(activations);
    printf("activation %dx%d: start to first frame %.2f ms, one full-screen block copy %.2f ms, "
           "ratio %.1f (medians of %d)\n",
           width, height, activation, copy, activation / copy, kRuns);
    Application.SetMainForm(nullptr);
    return 0;
}
