// The temperature graph window: reading the logs, painting them, keys, mouse, clipboard.
#include "ui/graph_window_win.h"

#include "settings/keys.h"
#include "settings/location/data_folder.h"
#include "toolkit/failure_report.h"
#include "toolkit/forms/colors.h"
#include "toolkit/handles_win.h"
#include "toolkit/timer.h"

#include <windowsx.h> // GET_X_LPARAM, GET_Y_LPARAM

#include <algorithm>
#include <cstring>

namespace korvane {

namespace {

using ScopedPen = ScopedHandle<GdiObjectTraits<HPEN>>;

constexpr UINT_PTR kLiveTimer = 1;
constexpr UINT kLiveInterval = 1000; // well within one poll of any disk
constexpr int32_t kTickGap = 80;     // pixels between time labels, at 96 dpi
constexpr WPARAM kCtrlC = 3;
constexpr COLORREF kPlotBackground = RGB(255, 255, 255);
constexpr COLORREF kGridColor = RGB(225, 225, 225);
constexpr COLORREF kDayColor = RGB(150, 150, 150);
constexpr COLORREF kAxisTextColor = RGB(0, 0, 0);
constexpr COLORREF kDefaultWarningColor = RGB(230, 140, 0);
constexpr COLORREF kDefaultCriticalColor = RGB(220, 0, 0);

static_assert(VK_ESCAPE == 0x1B && VK_PRIOR == 0x21 && VK_NEXT == 0x22 && VK_END == 0x23 &&
              VK_LEFT == 0x25 && VK_RIGHT == 0x27);

int64_t MillisecondsOf(const LocalTime& t) {
    return LocalSeconds(t) * 1000 + t.millisecond;
}

int32_t DpiOf(HWND window) {
    const ScopedHandle<WindowDcTraits> dc(GetDC(window), WindowDcTraits{{}, window});
    return dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
}

COLORREF StateColor(const TOptionsSection& section, const SettingsString& background,
                    const SettingsString& text, COLORREF fallback) {
    // The indicator's background when it has one, else its text: the colour the state has.
    for (const SettingsString* key : {&background, &text}) {
        const auto value = static_cast<uint32_t>(section.ReadInteger(*key));
        if (value != kNoColor && value != 0x00FFFFFF)
            return forms::ResolveColor(value);
    }
    return fallback;
}

} // namespace

// The form, resizable, with a floor on its size; it relays the wheel and the live timer.
class GraphForm final : public forms::Form {
  public:
    explicit GraphForm(const forms::FormArgs& args) : Form(args) {
        if (Handle() == nullptr)
            return;
        const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
        SetWindowLongPtrA(Handle(), GWL_STYLE, style | WS_THICKFRAME | WS_MAXIMIZEBOX);
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    std::function<void()> OnResized;
    std::function<void(int32_t delta)> OnWheel;
    std::function<void()> OnTimer;

  protected:
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
        switch (message) {
        case WM_SIZE:
            if (OnResized)
                OnResized();
            break;
        case WM_GETMINMAXINFO: {
            RECT r{0, 0, ScaleForDpi(kGraphMinClientWidth, DpiOf(Handle())),
                   ScaleForDpi(kGraphMinClientHeight, DpiOf(Handle()))};
            AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)),
                               FALSE, 0);
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            info->ptMinTrackSize.x = r.right - r.left;
            info->ptMinTrackSize.y = r.bottom - r.top;
            result = 0;
            return true;
        }
        case WM_MOUSEWHEEL:
            if (OnWheel)
                OnWheel(GET_WHEEL_DELTA_WPARAM(wparam));
            result = 0;
            return true;
        case WM_TIMER:
            if (wparam == kLiveTimer && OnTimer) {
                OnTimer();
                result = 0;
                return true;
            }
            break;
        default:
            break;
        }
        return Form::OnMessage(message, wparam, lparam, result);
    }
};

struct GraphPlotArgs {
    forms::Rect bounds;
    const GraphWindow* owner = nullptr;
};

// The plot: axes, level lines, the logs' lines, the legend and the readout at the pointer.
class GraphPlot final : public forms::Control {
  public:
    using Args = GraphPlotArgs;
    GraphPlot(Control& parent, const Args& args)
        : Control(parent, "STATIC", WS_VISIBLE | WS_TABSTOP | SS_NOTIFY, 0, args.bounds, ""),
          owner_(*args.owner) {}
    std::function<void()> OnResized;
    std::function<void(int32_t index)> OnLegendClick;
    // Ctrl+C as the character it types, as an edit box takes it.
    std::function<void()> OnCopy;
    int32_t PlotWidth() {
        return LayoutPlot(ClientWidth(), ClientHeight(), LegendEntries(), DpiOf(Handle()))
            .plot.width;
    }

  protected:
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

  private:
    int32_t LegendEntries() const { return static_cast<int32_t>(owner_.Logs().size()); }
    void Paint(HDC dc, int32_t width, int32_t height);

    const GraphWindow& owner_;
    int32_t hoverX_ = -1;
};

bool GraphPlot::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE:
        result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
    case WM_CHAR:
        if (wparam == kCtrlC && OnCopy) {
            OnCopy();
            result = 0;
            return true;
        }
        break;
    case WM_ERASEBKGND:
        result = 1; // all painted at once in WM_PAINT, without flicker
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(Handle(), &ps);
        const int32_t width = ClientWidth();
        const int32_t height = ClientHeight();
        ScopedMemoryDc memory(CreateCompatibleDC(dc));
        ScopedBitmap bitmap(CreateCompatibleBitmap(dc, std::max(width, 1), std::max(height, 1)));
        if (memory && bitmap) {
            const ScopedSelection keep(memory.Get(), bitmap.Get());
            Paint(memory.Get(), width, height);
            BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
        }
        EndPaint(Handle(), &ps);
        result = 0;
        return true;
    }
    case WM_SIZE:
        if (OnResized)
            OnResized();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_MOUSEMOVE: {
        if (hoverX_ < 0) {
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof(track);
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = Handle();
            TrackMouseEvent(&track);
        }
        hoverX_ = GET_X_LPARAM(lparam);
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    }
    case WM_MOUSELEAVE:
        hoverX_ = -1;
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_LBUTTONDOWN: {
        SetFocus();
        const GraphLayout l =
            LayoutPlot(ClientWidth(), ClientHeight(), LegendEntries(), DpiOf(Handle()));
        const int32_t y = GET_Y_LPARAM(lparam);
        if (y >= l.legendTop && l.legendRow > 0 && OnLegendClick)
            OnLegendClick((y - l.legendTop) / l.legendRow);
        break;
    }
    default:
        break;
    }
    return false;
}

void GraphPlot::Paint(HDC dc, int32_t width, int32_t height) {
    const int32_t dpi = DpiOf(Handle());
    const GraphLayout l = LayoutPlot(width, height, LegendEntries(), dpi);
    const forms::Rect& p = l.plot;
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, BackgroundBrush());
    const RECT plotRect{p.left, p.top, p.left + p.width, p.top + p.height};
    {
        const ScopedBrush white(CreateSolidBrush(kPlotBackground));
        FillRect(dc, &plotRect, white.Get());
    }
    const ScopedSelection font(dc, FontHandle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kAxisTextColor);

    const bool celsius = owner_.Celsius();
    const GraphRange range = owner_.Range();
    // The temperature span: every column shown and the levels.
    int32_t lowC = INT32_MAX, highC = INT32_MIN;
    for (const GraphWindow::Log& log : owner_.Logs()) {
        for (const GraphColumn& c : log.series.Columns()) {
            if (c.count > 0) {
                lowC = std::min<int32_t>(lowC, c.min);
                highC = std::max<int32_t>(highC, c.max);
            }
        }
    }
    int32_t warning = 0, critical = 0;
    uint32_t warningColor = 0, criticalColor = 0;
    const bool levels = owner_.Levels(warning, critical, warningColor, criticalColor);
    if (levels) {
        lowC = std::min({lowC, warning, critical});
        highC = std::max({highC, warning, critical});
    }
    if (lowC > highC) {
        lowC = 20;
        highC = 50;
    }
    int32_t low = 0, high = 0;
    TemperatureBounds(lowC, highC, celsius, low, high);
    const auto yOf = [&](int32_t c) {
        const int32_t v = ShownTemperature(c, celsius);
        return p.top +
               static_cast<int32_t>(static_cast<int64_t>(high - v) * p.height / (high - low));
    };

    // Grid and labels.
    const ScopedPen grid(CreatePen(PS_SOLID, 1, kGridColor));
    const ScopedPen day(CreatePen(PS_SOLID, 1, kDayColor));
    for (const AxisTick& t : TemperatureTicks(low, high, p.height, ScaleForDpi(24, dpi), celsius)) {
        const ScopedSelection pen(dc, grid.Get());
        MoveToEx(dc, p.left, p.top + t.at, nullptr);
        LineTo(dc, p.left + p.width, p.top + t.at);
        RECT r{0, p.top + t.at - l.fontHeight / 2 - 2, p.left - ScaleForDpi(4, dpi),
               p.top + t.at + l.fontHeight};
        DrawTextA(dc, t.label.c_str(), -1, &r, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    }
    const GraphRange plotRange{range.start, range.end, p.width};
    for (const AxisTick& t : TimeTicks(plotRange, ScaleForDpi(kTickGap, dpi))) {
        const ScopedSelection pen(dc, t.major ? day.Get() : grid.Get());
        MoveToEx(dc, p.left + t.at, p.top, nullptr);
        LineTo(dc, p.left + t.at, p.top + p.height + ScaleForDpi(4, dpi));
        if (!t.label.empty()) {
            const int32_t w = ScaleForDpi(80, dpi);
            RECT r{p.left + t.at - w / 2, p.top + p.height + ScaleForDpi(6, dpi),
                   p.left + t.at + w / 2, p.top + p.height + ScaleForDpi(34, dpi)};
            DrawTextA(dc, t.label.c_str(), -1, &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    // The date of the range's end in the top-left corner, as no midnight may be in view.
    const std::string title = ReadoutTime(range.start) + "  -  " + ReadoutTime(range.end);
    RECT titleRect{p.left, 0, p.left + p.width, p.top};
    DrawTextA(dc, title.c_str(), -1, &titleRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    // The levels, in the state colours, dashed under the lines.
    if (levels) {
        for (const auto& [c, color] :
             {std::pair{warning, warningColor}, {critical, criticalColor}}) {
            // Warning dashed, critical solid: the first-run colours are both red.
            const ScopedPen pen(CreatePen(c == warning ? PS_DASH : PS_SOLID, 1, color));
            const ScopedSelection use(dc, pen.Get());
            MoveToEx(dc, p.left, yOf(c), nullptr);
            LineTo(dc, p.left + p.width, yOf(c));
        }
    }

    // The lines: per column min to max, joined to the column before unless there is a gap.
    const HRGN clip = CreateRectRgn(p.left, p.top, p.left + p.width + 1, p.top + p.height + 1);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);
    const int64_t now = owner_.Now();
    for (const GraphWindow::Log& log : owner_.Logs()) {
        const ScopedPen pen(CreatePen(PS_SOLID, ScaleForDpi(2, dpi), log.color));
        const ScopedSelection use(dc, pen.Get());
        const bool steps = log.series.Steps();
        const auto& columns = log.series.Columns();
        bool havePrevious = false;
        int32_t px = 0, py = 0;
        for (size_t i = 0; i < columns.size(); ++i) {
            const GraphColumn& c = columns[i];
            if (c.count == 0)
                continue;
            const int32_t x = p.left + static_cast<int32_t>(i);
            if (c.linked || (steps && c.preceded)) {
                if (!havePrevious) {
                    px = p.left;
                    py = yOf(c.before);
                }
                MoveToEx(dc, px, py, nullptr);
                if (steps)
                    LineTo(dc, x, py);
                LineTo(dc, x, yOf(c.first));
            }
            MoveToEx(dc, x, yOf(c.min), nullptr);
            LineTo(dc, x, yOf(c.max) - 1);
            havePrevious = true;
            px = x;
            py = yOf(c.last);
        }
        if (havePrevious && log.series.AfterKnown() && (log.series.LinkedAfter() || steps)) {
            MoveToEx(dc, px, py, nullptr);
            if (steps)
                LineTo(dc, p.left + p.width, py);
            else
                LineTo(dc, p.left + p.width, yOf(log.series.After()));
        } else if (havePrevious && steps) {
            // A log of changes holds its last value up to now.
            const int32_t at =
                plotRange.end > plotRange.start
                    ? static_cast<int32_t>((std::min(now, plotRange.end) - plotRange.start) *
                                           p.width / (plotRange.end - plotRange.start))
                    : 0;
            MoveToEx(dc, px, py, nullptr);
            LineTo(dc, p.left + std::max(at, px - p.left), py);
        }
    }
    SelectClipRgn(dc, nullptr);

    // The readout at the pointer: its time and each log's value there.
    std::vector<std::string> readout;
    if (hoverX_ >= p.left && hoverX_ < p.left + p.width) {
        const int32_t column = hoverX_ - p.left;
        const ScopedPen pen(CreatePen(PS_DOT, 1, kAxisTextColor));
        const ScopedSelection use(dc, pen.Get());
        MoveToEx(dc, hoverX_, p.top, nullptr);
        LineTo(dc, hoverX_, p.top + p.height);
        readout.push_back(ReadoutTime(range.start + (range.end - range.start) * column / p.width));
        for (const GraphWindow::Log& log : owner_.Logs()) {
            const auto& columns = log.series.Columns();
            const GraphColumn* c = nullptr;
            // The nearest column with readings within two pixels: at long ranges most are empty.
            for (int32_t d = 0; d <= 2 && c == nullptr; ++d) {
                for (int32_t at : {column - d, column + d}) {
                    if (c == nullptr && at >= 0 && at < static_cast<int32_t>(columns.size()) &&
                        columns[static_cast<size_t>(at)].count > 0)
                        c = &columns[static_cast<size_t>(at)];
                }
            }
            readout.push_back(ReadoutValue(log.caption, c, celsius));
        }
    }

    // The legend: a colour bar and the log's name as the tray menu names it.
    int32_t y = l.legendTop;
    size_t index = 0;
    for (const GraphWindow::Log& log : owner_.Logs()) {
        const ScopedBrush brush(CreateSolidBrush(log.color));
        const RECT bar{p.left, y + l.legendRow / 2 - 2, p.left + ScaleForDpi(24, dpi),
                       y + l.legendRow / 2 + 2};
        FillRect(dc, &bar, brush.Get());
        RECT text{p.left + ScaleForDpi(30, dpi), y, width, y + l.legendRow};
        DrawTextA(dc, log.caption.c_str(), -1, &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        y += l.legendRow;
        ++index;
    }

    if (!readout.empty()) {
        int32_t boxWidth = 0;
        for (const std::string& line : readout) {
            SIZE size{};
            GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
            boxWidth = std::max<int32_t>(boxWidth, size.cx);
        }
        boxWidth += ScaleForDpi(12, dpi);
        const int32_t row = l.fontHeight + ScaleForDpi(3, dpi);
        const int32_t boxHeight = static_cast<int32_t>(readout.size()) * row + ScaleForDpi(6, dpi);
        int32_t left = hoverX_ + ScaleForDpi(10, dpi);
        if (left + boxWidth > p.left + p.width)
            left = hoverX_ - ScaleForDpi(10, dpi) - boxWidth;
        RECT box{left, p.top + ScaleForDpi(4, dpi), left + boxWidth,
                 p.top + ScaleForDpi(4, dpi) + boxHeight};
        const ScopedBrush tip(CreateSolidBrush(RGB(255, 255, 225)));
        FillRect(dc, &box, tip.Get());
        FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        int32_t ty = box.top + ScaleForDpi(3, dpi);
        for (const std::string& line : readout) {
            RECT r{box.left + ScaleForDpi(6, dpi), ty, box.right, ty + row};
            DrawTextA(dc, line.c_str(), -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            ty += row;
        }
    }
    if (Focused()) {
        RECT focus{1, 1, width - 1, height - 1};
        DrawFocusRect(dc, &focus);
    }
}

GraphWindow::GraphWindow(GraphWindowDeps deps) : deps_(std::move(deps)) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    form_ = std::make_unique<GraphForm>(forms::FormArgs{
        .caption = kGraphCaption,
        .owner = deps_.owner,
        .clientWidth = kGraphDefaultClientWidth,
        .clientHeight = kGraphDefaultClientHeight,
        .icon = LoadIconA(module, "MAINICON"),
    });
    const int32_t dpi = DpiOf(form_->Handle());
    form_->SetClientSize(ScaleForDpi(kGraphDefaultClientWidth, dpi),
                         ScaleForDpi(kGraphDefaultClientHeight, dpi));
    const GraphLayout l = LayoutGraph(form_->ClientWidth(), form_->ClientHeight(), 1, dpi);
    for (size_t i = 0; i < std::size(kGraphSpans); ++i) {
        const GraphSpan span = kGraphSpans[i];
        forms::Button& button =
            form_->Add<forms::Button>({.bounds = l.buttons[i], .text = GraphSpanText(span)});
        button.OnClick = [this, span](forms::Button&) { SetSpan(span); };
        spanButtons_.push_back(&button);
    }
    plot_ = &form_->Add<GraphPlot>({.bounds = l.plotArea, .owner = this});
    // Where the keys go: the form, each button and the plot alike.
    const auto keys = [this](forms::Control&, uint32_t key, uint32_t shift) { OnKey(key, shift); };
    form_->OnKeyDown = keys;
    // On the plot Ctrl+C comes as its character instead, once.
    plot_->OnKeyDown = [this](forms::Control&, uint32_t key, uint32_t shift) {
        if (GraphKeyFor(key, shift).action != GraphKey::Copy)
            OnKey(key, shift);
    };
    plot_->OnCopy = [this] { CopyToClipboard(); };
    for (forms::Button* button : spanButtons_)
        button->OnKeyDown = keys;
    form_->OnResized = [this] {
        const GraphLayout layout =
            LayoutGraph(form_->ClientWidth(), form_->ClientHeight(), 1, DpiOf(form_->Handle()));
        plot_->SetBounds(layout.plotArea);
    };
    plot_->OnResized = [this] { OnPlotResized(); };
    plot_->OnLegendClick = [this](int32_t index) {
        if (index < 0 || static_cast<size_t>(index) >= logs_.size())
            return;
        // The disk whose log it is becomes the selected one, for its levels.
        for (int32_t i = 0; i < deps_.drives.Count(); ++i) {
            TDrive* drive = deps_.drives.GetDrive(i);
            if (drive && drive->LogFileName() == logs_[static_cast<size_t>(index)].fileName)
                selected_ = i;
        }
        InvalidateRect(plot_->Handle(), nullptr, FALSE);
    };
    form_->OnWheel = [this](int32_t delta) { OnWheel(delta); };
    form_->OnTimer = [this] {
        try {
            Refresh();
        } catch (...) {
            ReportFailure("the graph window's live update");
        }
    };
    form_->OnCloseQuery = [this](forms::Form&, bool& accept) {
        accept = false;
        Close();
    };
}

GraphWindow::~GraphWindow() {
    if (form_ && form_->Handle())
        KillTimer(form_->Handle(), kLiveTimer);
}

HWND GraphWindow::Handle() const {
    return form_->Handle();
}

bool GraphWindow::IsVisible() const {
    return form_->IsVisible();
}

bool GraphWindow::Celsius() const {
    return deps_.options.General().ReadBool(key::UseCelsius);
}

int64_t GraphWindow::Now() const {
    return LocalSeconds(deps_.clock.Now());
}

TDrive* GraphWindow::SelectedDrive() const {
    if (selected_ < 0 || selected_ >= deps_.drives.Count())
        return nullptr;
    return deps_.drives.GetDrive(selected_);
}

bool GraphWindow::Levels(int32_t& warning, int32_t& critical, uint32_t& warningColor,
                         uint32_t& criticalColor) const {
    TDrive* drive = SelectedDrive();
    if (drive == nullptr || !drive->IsPresent())
        return false;
    warning = drive->WarningLevel();
    critical = drive->CriticalLevel();
    const TOptionsSection& section = drive->SettingsSection();
    warningColor = StateColor(section, key::WarningTemp_IconBgColor, key::WarningTemp_IconTextColor,
                              kDefaultWarningColor);
    criticalColor = StateColor(section, key::CriticalTemp_IconBgColor,
                               key::CriticalTemp_IconTextColor, kDefaultCriticalColor);
    return true;
}

int32_t GraphWindow::PollSecondsOf(const std::string& fileName) const {
    for (int32_t i = 0; i < deps_.drives.Count(); ++i) {
        TDrive* drive = deps_.drives.GetDrive(i);
        if (drive && drive->IsPresent() && drive->LogFileName() == fileName &&
            drive->PollTimer().Enabled())
            return drive->PollTimer().Interval() / 1000;
    }
    return 0; // a disk seen before: the two minutes alone
}

int64_t GraphWindow::FirstReading() const {
    int64_t first = INT64_MAX;
    for (const Log& log : logs_)
        first = std::min(first, log.first);
    return first == INT64_MAX ? Now() : first;
}

void GraphWindow::ListLogs() {
    const std::string folder = deps_.dataPath + kLogsFolderName;
    std::vector<std::string> names = deps_.files.FindFiles(folder + "*.log");
    std::sort(names.begin(), names.end());
    bool added = false;
    for (const std::string& name : names) {
        const bool known = std::any_of(logs_.begin(), logs_.end(),
                                       [&](const Log& log) { return log.fileName == name; });
        if (known)
            continue;
        Log log;
        log.fileName = name;
        log.caption = LogCaption(name);
        log.reader = std::make_unique<LogReader>(deps_.files, folder + name);
        log.series = GraphSeries({}, PollSecondsOf(name));
        logs_.push_back(std::move(log));
        added = true;
    }
    if (!added)
        return;
    for (size_t i = 0; i < logs_.size(); ++i)
        logs_[i].color = GraphLineColor(i);
    // The first reading of each new log sets where All begins; the whole file is read once
    // right after, in Rebuild's first pass.
    for (Log& log : logs_) {
        if (log.first != INT64_MAX || log.read)
            continue;
        std::unique_ptr<FileReaderPort> file = deps_.files.OpenRead(log.reader->Path());
        if (!file)
            continue;
        StreamLines(*file, [&](std::string_view line, size_t) {
            LogReading reading;
            if (ParseLogLine(line, reading) != LogLineKind::Reading)
                return true;
            log.first = reading.time;
            return false;
        });
    }
}

void GraphWindow::Rebuild() {
    const int64_t now = Now();
    range_ = ViewRange(view_, now, FirstReading(), std::max(plot_->PlotWidth(), 1));
    for (Log& log : logs_) {
        log.series.Reset(range_);
        if (!log.read) {
            // Not read yet: the one streaming pass over the whole file.
            log.read = true;
            const int64_t started = MillisecondsOf(deps_.clock.Now());
            if (log.reader->Read([&](const LogReading& r) { log.series.Add(r); })) {
                deps_.logger.Log(kDebugLog, "",
                                 "graph: " + log.fileName + " read, " +
                                     std::to_string(log.reader->Readings()) + " readings in " +
                                     std::to_string(MillisecondsOf(deps_.clock.Now()) - started) +
                                     " ms",
                                 kNotice);
            }
            ReportSkipped(log);
            continue;
        }
        log.reader->Scan(range_.start, [&](const LogReading& r) {
            log.series.Add(r);
            return r.time < range_.end;
        });
    }
    InvalidateRect(plot_->Handle(), nullptr, FALSE);
}

void GraphWindow::Refresh() {
    if (!form_->IsVisible())
        return;
    ListLogs();
    bool outside = false;
    bool restarted = false;
    for (Log& log : logs_) {
        if (!log.read) {
            restarted = true; // a log that appeared since
            continue;
        }
        log.reader->Read([&](const LogReading& r) {
            log.series.Add(r);
            log.first = std::min(log.first, r.time);
            outside = outside || r.time >= range_.end;
        });
        restarted = restarted || log.reader->Restarted();
        ReportSkipped(log);
    }
    // A live view moves on once the clock passes its end; a shortened log is drawn afresh.
    if (restarted || (view_.live && (outside || Now() >= range_.end)))
        Rebuild();
    else
        InvalidateRect(plot_->Handle(), nullptr, FALSE);
}

void GraphWindow::ReportSkipped(Log& log) {
    // A cut-off line, a clock set back, text edited by hand: left out, and said once.
    const int64_t skipped = log.reader->Skipped();
    if (skipped < log.reportedSkipped)
        log.reportedSkipped = 0; // read again from its start
    if (skipped == log.reportedSkipped)
        return;
    deps_.logger.Log(kDebugLog, "",
                     "graph: " + log.fileName + ": unrecognised lines skipped: " +
                         std::to_string(skipped - log.reportedSkipped),
                     kWarning);
    log.reportedSkipped = skipped;
}

void GraphWindow::Show(int32_t drivePosition) {
    selected_ = drivePosition;
    if (!placed_) {
        PlaceFromSettings();
        placed_ = true;
    }
    view_.live = true;
    ListLogs();
    ShowSpanButtons();
    form_->Show();
    Rebuild();
    SetTimer(form_->Handle(), kLiveTimer, kLiveInterval, nullptr);
    plot_->SetFocus();
    if (deps_.trimWorkingSet)
        deps_.trimWorkingSet();
}

void GraphWindow::ShowSpanButtons() {
    // The chosen range reads as the default button.
    for (size_t i = 0; i < spanButtons_.size(); ++i) {
        const bool chosen = kGraphSpans[i] == view_.span;
        SendMessageA(spanButtons_[i]->Handle(), BM_SETSTYLE,
                     chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void GraphWindow::SetSpan(GraphSpan span) {
    view_.span = span;
    view_.live = true;
    ShowSpanButtons();
    Rebuild();
}

void GraphWindow::Move(int32_t steps) {
    view_ = MoveView(view_, steps, Now(), FirstReading());
    Rebuild();
}

void GraphWindow::OnWheel(int32_t delta) {
    // Away from the user is back in time, as a page scrolls up.
    Move(delta > 0 ? -1 : 1);
}

void GraphWindow::OnPlotResized() {
    if (form_->IsVisible() && plot_->PlotWidth() != range_.width)
        Rebuild();
}

void GraphWindow::OnKey(uint32_t key, uint32_t shift) {
    const GraphKeyAction action = GraphKeyFor(key, shift);
    switch (action.action) {
    case GraphKey::Span:
        SetSpan(action.span);
        break;
    case GraphKey::Back:
        Move(-1);
        break;
    case GraphKey::Forward:
        Move(1);
        break;
    case GraphKey::Latest:
        view_.live = true;
        Rebuild();
        break;
    case GraphKey::Copy:
        CopyToClipboard();
        break;
    case GraphKey::Close:
        Close();
        break;
    case GraphKey::None:
        break;
    }
}

std::string GraphWindow::CsvText() const {
    std::string text = kGraphCsvHeader;
    for (const Log& log : logs_) {
        log.reader->Scan(range_.start, [&](const LogReading& r) {
            if (r.time >= range_.end)
                return false;
            if (r.time >= range_.start)
                text += CsvRow(r.time, log.caption, r.celsius);
            return true;
        });
    }
    return text;
}

void GraphWindow::CopyToClipboard() {
    const std::string text = CsvText();
    if (OpenClipboard(form_->Handle()) == FALSE)
        return;
    EmptyClipboard();
    // The clipboard owns the memory once SetClipboardData took it.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory != nullptr) {
        if (void* at = GlobalLock(memory)) {
            std::memcpy(at, text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
            if (SetClipboardData(CF_TEXT, memory) == nullptr)
                GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

void GraphWindow::Close() {
    KillTimer(form_->Handle(), kLiveTimer);
    SavePlacement();
    form_->Hide();
    if (deps_.trimWorkingSet)
        deps_.trimWorkingSet();
}

void GraphWindow::PlaceFromSettings() {
    TOptionsSection section(deps_.options.Profile(), deps_.options.FileName(), kGraphSection);
    const int32_t width = section.ReadInteger(kGraphWidthKey);
    const int32_t height = section.ReadInteger(kGraphHeightKey);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (width > 0 && height > 0) {
        const int32_t left = section.ReadInteger(kGraphLeftKey);
        const int32_t top = section.ReadInteger(kGraphTopKey);
        // Kept on the work area: a monitor taken away since must not hide the window.
        const int32_t w = std::min<int32_t>(width, work.right - work.left);
        const int32_t h = std::min<int32_t>(height, work.bottom - work.top);
        const int32_t x = std::clamp<int32_t>(left, work.left, work.right - w);
        const int32_t y = std::clamp<int32_t>(top, work.top, work.bottom - h);
        SetWindowPos(form_->Handle(), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        form_->CentreInWorkArea();
    }
}

void GraphWindow::SavePlacement() {
    RECT r{};
    if (IsIconic(form_->Handle()) || IsZoomed(form_->Handle()) ||
        !GetWindowRect(form_->Handle(), &r))
        return;
    TOptionsSection section(deps_.options.Profile(), deps_.options.FileName(), kGraphSection);
    section.WriteInteger(kGraphLeftKey, r.left);
    section.WriteInteger(kGraphTopKey, r.top);
    section.WriteInteger(kGraphWidthKey, r.right - r.left);
    section.WriteInteger(kGraphHeightKey, r.bottom - r.top);
}

} // namespace korvane
