// What the Windows benchmarks share: the program's application object and a
// host form ready for tool starts, and medians of timings.
#pragma once

#include "framework/Application.h"
#include "framework/RegistryIni.h"
#include "shell/Host.h"
#include "shell/Settings.h"
#include <algorithm>
#include <chrono>
#include <vector>

using BenchClock = std::chrono::steady_clock;

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Sets up the application as the program does, after a recorded earlier
// start, so no welcome dialog waits for a click.
inline void StartBenchApplication() {
    Application.ShowMainForm = false;
    Application.SetTitle(L"Vantacle Pro");
    Application.Initialize();
    TRegistryIniFile(HKEY_CURRENT_USER, kSettingsBaseKey)
        .WriteString(kProductSection, L"@Version", L"1.71");
}

// The host form as the program's main form, for the life of a benchmark.
class BenchHost {
public:
    BenchHost() {
        Application.SetMainForm(&host);
        host.Create();
    }
    ~BenchHost() { Application.SetMainForm(nullptr); }
    TfrmHost host;
};
