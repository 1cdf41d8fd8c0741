// The temperature graph window: every disk log of the logs folder as a line over time, the
// selected disk's levels, ranges, moving in time, a readout at the pointer, live lines, Ctrl+C.
#pragma once

#include "drives/drives.h"
#include "log/graph_reduction.h"
#include "log/log_reader.h"
#include "log/logger.h"
#include "settings/options.h"
#include "toolkit/clock.h"
#include "toolkit/files.h"
#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/form_win.h"
#include "ui/graph_view.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvane {

struct GraphWindowDeps {
    FileSystemPort& files;
    ClockPort& clock;
    TOptions& options;
    TDrives& drives;
    TLogger& logger;      // how long a log took to read, and what was skipped in it
    std::string dataPath; // with a trailing "\"
    HWND owner = nullptr; // the application window: no task-bar button of its own
    std::function<void()> trimWorkingSet;
};

class GraphPlot;
class GraphForm;

// Created once and hidden; Show opens it, Esc and the close box hide it again.
class GraphWindow {
  public:
    explicit GraphWindow(GraphWindowDeps deps);
    ~GraphWindow();
    GraphWindow(const GraphWindow&) = delete;
    GraphWindow& operator=(const GraphWindow&) = delete;

    // With the disk at this position of the drive list selected, or -1 for all disks alike.
    void Show(int32_t drivePosition);
    bool IsVisible() const;
    HWND Handle() const;

    // The visible range as CSV, as Ctrl+C puts it on the clipboard.
    std::string CsvText() const;
    // Reads what the logs gained since (the live timer's tick).
    void Refresh();

    // For the painting control.
    struct Log {
        std::string fileName;
        std::string caption;
        std::unique_ptr<LogReader> reader;
        GraphSeries series{{}, 0};
        int64_t first = INT64_MAX; // the first reading, for All
        uint32_t color = 0;
        int64_t reportedSkipped = 0;
        bool read = false; // the first, whole pass done (an empty or vanished file included)
    };
    const std::vector<Log>& Logs() const { return logs_; }
    GraphRange Range() const { return range_; }
    bool Celsius() const;
    // The selected disk's levels in °C and their colours; false without a selected disk.
    bool Levels(int32_t& warning, int32_t& critical, uint32_t& warningColor,
                uint32_t& criticalColor) const;
    int64_t Now() const;

  private:
    void ListLogs();
    void Rebuild();
    void SetSpan(GraphSpan span);
    void Move(int32_t steps);
    void OnKey(uint32_t key, uint32_t shift);
    void OnWheel(int32_t delta);
    void OnPlotResized();
    void CopyToClipboard();
    void Close();
    void PlaceFromSettings();
    void SavePlacement();
    int32_t PollSecondsOf(const std::string& fileName) const;
    TDrive* SelectedDrive() const;
    int64_t FirstReading() const;
    void ShowSpanButtons();
    void ReportSkipped(Log& log);

    GraphWindowDeps deps_;
    std::vector<Log> logs_;
    GraphViewState view_;
    GraphRange range_;
    int32_t selected_ = -1;
    bool placed_ = false;
    std::unique_ptr<GraphForm> form_;
    std::vector<forms::Button*> spanButtons_;
    GraphPlot* plot_ = nullptr;
};

} // namespace korvane
