// The running program's windows timed from outside, as a user meets them, and a plain window
// program to hold them against.
//   window_bench.exe window              shows one window and ends once it is painted: the
//                                        baseline of the start-up
//   window_bench.exe settings LOG REPORT tray double-clicks on the running program's main icon
//                                        and first disk icon until the settings window is
//                                        visible, first and later; then the exit with the window
//                                        shown, to LOG's (the debug log's) last line and to the
//                                        end of the process
#include "toolkit/app_window_win.h"
#include "toolkit/product.h"
#include "toolkit/win32.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace korvane {
namespace {

constexpr DWORD kTimeoutMs = 60000;
constexpr int kLaterRounds = 5;
constexpr const char* kFinalizationFinished =
    "-- FINALIZATION FINISHED ----------------------------------------";

double NowMs() {
    static const double perMs = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1e3;
    }();
    LARGE_INTEGER c{};
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / perMs;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Polls `done` every millisecond; false when it did not come true in time.
template <typename Done> bool WaitFor(Done done) {
    const double end = NowMs() + kTimeoutMs;
    while (!done()) {
        if (NowMs() > end)
            return false;
        Sleep(1);
    }
    return true;
}

LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int RunWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "WindowBenchPlain";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Window bench", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 500, 410, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(window);
    return 0;
}

bool LogHas(const std::string& path, const char* line) {
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.find(line) != std::string::npos;
}

int RunSettings(const std::string& debugLog, const std::string& reportPath) {
    HWND main = nullptr;
    HWND settings = nullptr;
    if (!WaitFor([&] {
            main = FindWindowA("KorvaneMonitor_Main", nullptr);
            settings = FindWindowA("KorvaneForm", KORVANE_PRODUCT_NAME " - Settings");
            return main != nullptr && settings != nullptr;
        })) {
        std::fputs("the program's windows did not come\n", stderr);
        return 1;
    }
    // Milliseconds from the double-click to the window on screen; closed again with its close
    // box, as a user does.
    const auto open = [&](WPARAM icon) {
        const double start = NowMs();
        PostMessageA(main, kTrayCallbackMessage, icon, WM_LBUTTONDBLCLK);
        if (!WaitFor([&] { return IsWindowVisible(settings) != FALSE; }))
            return -1.0;
        return NowMs() - start;
    };
    const auto close = [&] {
        PostMessageA(settings, WM_SYSCOMMAND, SC_CLOSE, 0);
        return WaitFor([&] { return IsWindowVisible(settings) == FALSE; });
    };
    // Icon 1 is the main icon (the General page), icon 2 the first disk's (its page).
    double first[2] = {};
    std::vector<double> later[2];
    for (int which = 0; which < 2; ++which) {
        const WPARAM icon = static_cast<WPARAM>(which + 1);
        first[which] = open(icon);
        if (first[which] < 0 || !close())
            return 1;
        for (int round = 0; round < kLaterRounds; ++round) {
            const double took = open(icon);
            if (took < 0 || !close())
                return 1;
            later[which].push_back(took);
        }
    }

    // Exit with the window shown.
    if (open(2) < 0)
        return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    const double start = NowMs();
    PostMessageA(main, WM_CLOSE, 0, 0);
    const bool logged = WaitFor([&] { return LogHas(debugLog, kFinalizationFinished); });
    const double own = NowMs() - start;
    const bool ended = process != nullptr && WaitForSingleObject(process, kTimeoutMs) == 0;
    const double end = NowMs() - start;
    if (process != nullptr)
        CloseHandle(process);
    if (!logged || !ended)
        return 1;

    char report[512];
    std::snprintf(report, sizeof report,
                  "general_first_ms=%.0f\ngeneral_later_ms=%.0f\ndisk_first_ms=%.0f\n"
                  "disk_later_ms=%.0f\nexit_own_ms=%.0f\nexit_end_ms=%.0f\n",
                  first[0], Median(later[0]), first[1], Median(later[1]), own, end);
    std::ofstream(reportPath, std::ios::binary) << report;
    std::fputs(report, stdout);
    return 0;
}

} // namespace
} // namespace korvane

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "window")
        return korvane::RunWindow();
    if (mode == "settings" && argc > 3)
        return korvane::RunSettings(argv[2], argv[3]);
    std::fprintf(stderr, "usage: window_bench window | settings DEBUGLOG REPORT\n");
    return 2;
}
