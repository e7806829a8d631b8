// Figures for one module, measured in-process with QueryPerformanceCounter:
// loading every icon into a hidden main window's list (LoadIconsFromFile, the
// path a user's load takes), saving every icon group as a numbered .ico file
// (ExportIcon per group, as save-all does), the same reads without writing,
// and the process's peak memory.
//
//   orvex_bench.exe MODULE OUTFOLDER
//
// Prints one line of key=value figures; scripts/bench.sh runs it per module,
// next to icoutils' wrestool, and prints the table.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "app/prompts.h"
#include "export/export_icon.h"
#include "loading/icon_loader.h"

namespace {

// A benchmark run has nobody to answer a box; a box would stall the figures.
class SilentPrompts : public orvex::Prompts {
public:
    int messages = 0;
    void ShowMessage(const std::string& text, int, const std::string&) override {
        ++messages;
        std::fprintf(stderr, "orvex_bench: message box: %s\n", text.c_str());
    }
    bool ShowFileDialog(orvex::FileDialogSettings&, HWND) override { return false; }
    std::string BrowseForFolder(const std::string&, HWND) override { return {}; }
};

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvex_bench MODULE OUTFOLDER\n");
        return 2;
    }
    const std::string module = argv[1];
    const std::string folder = argv[2];
    CreateDirectoryA(folder.c_str(), nullptr);

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    SilentPrompts prompts;
    orvex::SetPrompts(&prompts);

    LARGE_INTEGER frequency, t0, t1, t2, t3;
    QueryPerformanceFrequency(&frequency);

    int listed = 0;
    {
        orvex::MainWindow window;
        if (!window.Load(nullptr, false)) {
            std::fprintf(stderr, "orvex_bench: the main window did not load\n");
            return 1;
        }
        QueryPerformanceCounter(&t0);
        orvex::LoadIconsFromFile(module);
        QueryPerformanceCounter(&t1);
        listed = window.iconList().ItemCount();
    }

    const int groups = orvex::CountIcons(module);
    int saved = 0;
    QueryPerformanceCounter(&t2);
    for (int i = 1; i <= groups; ++i) {
        if (orvex::ExportIcon(module, 0, folder + "\\Kestu" + std::to_string(i) + ".ico", i) != 0) ++saved;
    }
    QueryPerformanceCounter(&t3);
    // The same reads with no file written (no writer takes a .none name):
    // how the save-all time splits between reading the module and writing.
    LARGE_INTEGER t4, t5;
    QueryPerformanceCounter(&t4);
    for (int i = 1; i <= groups; ++i) orvex::ExportIcon(module, 0, folder + "\\Kestu" + std::to_string(i) + ".none", i);
    QueryPerformanceCounter(&t5);

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    orvex::SetPrompts(nullptr);

    const double load = Seconds(t0, t1, frequency), save = Seconds(t2, t3, frequency), read = Seconds(t4, t5, frequency);
    const double perIcon = groups > 0 ? 1e6 / groups : 0.0;
    std::printf("groups=%d listed=%d saved=%d load_ms=%.1f load_us_per_icon=%.1f save_ms=%.1f save_us_per_icon=%.1f read_ms=%.1f "
                "peak_working_set_kb=%lu peak_pagefile_kb=%lu messages=%d\n",
                groups, listed, saved, load * 1e3, load * perIcon, save * 1e3, save * perIcon, read * 1e3,
                static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PeakPagefileUsage / 1024), prompts.messages);
    std::fflush(stdout);
    return listed == groups && saved == groups && prompts.messages == 0 ? 0 : 1;
}
