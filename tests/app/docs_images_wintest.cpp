// The README's pictures, taken from the sim build as a user runs it: its tray icons in the three
// states, a balloon, the countdown, the settings window's General and disk pages and the about
// window. Each lands in <build dir>\docs-images\ (scripts/docs-images copies them into docs/),
// and each is checked for what it must show before it is kept.
#include "app_program_win.h"
#include "gdi_win.h"
#include "monitor_shell_win.h"
#include "png_writer.h"
#include "registry_win.h"
#include "test_env.h"
#include "toolkit/app_window_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/win32.h"
#include "toolkit_wait_win.h"
#include "ui_driver_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

namespace korvane {
namespace {

constexpr DWORD kWindowTimeoutMs = 20000;

// The state colours of the first-run settings, as the screen shows them (0xRRGGBB).
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kWhite = 0xFFFFFF;

// A screen area's pixels, 0xRRGGBB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool Empty() const { return pixels.empty(); }
    Picture Crop(int left, int top, int right, int bottom) const {
        Picture part;
        part.width = right - left;
        part.height = bottom - top;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                part.pixels.push_back(At(x, y));
        return part;
    }
};

Picture CaptureScreen(const RECT& r) {
    Picture picture;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return picture;
    picture.pixels = test::ScreenPixels(r.left, r.top, width, height);
    if (!picture.pixels.empty()) {
        picture.width = width;
        picture.height = height;
        for (uint32_t& p : picture.pixels)
            p &= 0x00FFFFFFu;
    }
    return picture;
}

// The window as a person sees it. No window manager draws frames on this display, so the
// system's own routines draw the frame and the caption (DrawEdge, DrawCaption with the window's
// text and icon) where they belong; the client area with every control is what the screen shows.
Picture CaptureWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    test::ui::PumpMessages();
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    Picture picture = CaptureScreen(outer);
    const Picture inside = CaptureScreen(client);
    if (picture.Empty() || inside.Empty())
        return picture;
    const int width = picture.width;
    const int height = picture.height;
    const int dx = client.left - outer.left;
    const int dy = client.top - outer.top;
    if (dx > 0 || dy > 0) {
        const ScopedWindowDc screen(nullptr);
        ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
        ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
        {
            const ScopedSelection selection(memory.Get(), bitmap.Get());
            RECT all{0, 0, width, height};
            FillRect(memory.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(memory.Get(), &all, EDGE_RAISED, BF_RECT);
            const int caption = GetSystemMetrics(SM_CYCAPTION) - 1;
            if (dy - dx >= caption) {
                RECT bar{dx, dy - caption - 1, width - dx, dy - 1};
                DrawCaption(window, memory.Get(), &bar,
                            DC_ACTIVE | DC_TEXT | DC_ICON | DC_GRADIENT);
            }
        }
        const std::vector<uint32_t> frame =
            test::BitmapPixels(memory.Get(), bitmap.Get(), width, height);
        for (size_t i = 0; i < frame.size(); ++i)
            picture.pixels[i] = frame[i] & 0x00FFFFFFu;
    }
    for (int y = 0; y < inside.height && dy + y < height; ++y)
        for (int x = 0; x < inside.width && dx + x < width; ++x)
            picture.pixels[static_cast<size_t>(dy + y) * width + dx + x] = inside.At(x, y);
    return picture;
}

std::string ImagesFolder() {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    const std::string folder =
        test::JoinPath(build != nullptr && *build != '\0' ? build : ".", "docs-images");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Saves the picture as NAME.png, each pixel scaled up to factor x factor.
bool Save(const Picture& picture, const std::string& name, int factor = 1) {
    std::vector<uint32_t> argb = picture.pixels;
    for (uint32_t& p : argb)
        p |= 0xFF000000u;
    if (factor > 1)
        argb = test::ScaleUp(argb, picture.width, picture.height, factor);
    return test::WritePng(test::JoinPath(ImagesFolder(), name + ".png"), picture.width * factor,
                          picture.height * factor, argb);
}

bool Near(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16}) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > 40)
            return false;
    }
    return true;
}

// Colours by how many pixels have them, most frequent first.
std::vector<std::pair<uint32_t, int>> ColourCounts(const Picture& picture) {
    std::map<uint32_t, int> counts;
    for (uint32_t p : picture.pixels)
        ++counts[p];
    std::vector<std::pair<uint32_t, int>> sorted(counts.begin(), counts.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return sorted;
}

// A picture worth showing: of some size, and not one colour nearly everywhere.
::testing::AssertionResult ShowsSomething(const Picture& picture, int minWidth, int minHeight) {
    if (picture.width < minWidth || picture.height < minHeight)
        return ::testing::AssertionFailure()
               << "picture of " << picture.width << " x " << picture.height;
    const auto counts = ColourCounts(picture);
    const double share = static_cast<double>(counts.front().second) / picture.pixels.size();
    if (counts.size() < 3 || share > 0.97)
        return ::testing::AssertionFailure() << counts.size() << " colours, the most frequent on "
                                             << static_cast<int>(share * 100) << "%";
    return ::testing::AssertionSuccess();
}

// A tray icon as found in the notification area's picture: its columns and its colours.
struct IconArea {
    int left = 0;
    int right = 0;                   // excluded
    std::map<uint32_t, int> colours; // pixels other than the area's background
};

// The icons of a notification-area picture: runs of columns holding something other than the
// background (its most frequent colour), apart from each other by at least four columns. The
// digits of one icon stand one column apart.
std::vector<IconArea> FindIcons(const Picture& tray) {
    const uint32_t background = ColourCounts(tray).front().first;
    std::vector<IconArea> icons;
    int gap = 1000;
    for (int x = 0; x < tray.width; ++x) {
        std::map<uint32_t, int> column;
        for (int y = 0; y < tray.height; ++y)
            if (tray.At(x, y) != background)
                ++column[tray.At(x, y)];
        if (column.empty()) {
            ++gap;
            continue;
        }
        if (gap >= 4 || icons.empty())
            icons.push_back({x, x + 1, {}});
        gap = 0;
        icons.back().right = x + 1;
        for (const auto& [colour, n] : column)
            icons.back().colours[colour] += n;
    }
    return icons;
}

// How many pixels of the area are near the colour.
int CountNear(const IconArea& icon, uint32_t colour) {
    int n = 0;
    for (const auto& [c, count] : icon.colours)
        if (Near(c, colour))
            n += count;
    return n;
}

int Total(const IconArea& icon) {
    int n = 0;
    for (const auto& entry : icon.colours)
        n += entry.second;
    return n;
}

// The three icons of a normal, a warning and a critical disk, in this order, in the colours
// of the first-run settings: blue digits, red digits (both on no background), white digits on
// a red square.
::testing::AssertionResult StateColoursShown(const Picture& area,
                                             const std::vector<IconArea>& icons) {
    if (icons.size() != 3)
        return ::testing::AssertionFailure() << icons.size() << " icons";
    for (const IconArea& icon : icons)
        if (icon.right - icon.left > 16 || icon.right - icon.left < 7)
            return ::testing::AssertionFailure()
                   << "an icon " << icon.right - icon.left << " pixels wide";
    if (CountNear(icons[0], kBlue) <= Total(icons[0]) * 3 / 4 || CountNear(icons[0], kRed) > 0)
        return ::testing::AssertionFailure()
               << "normal: " << CountNear(icons[0], kBlue) << " blue of " << Total(icons[0]);
    if (CountNear(icons[1], kRed) <= Total(icons[1]) * 3 / 4 || CountNear(icons[1], kRed) >= 100)
        return ::testing::AssertionFailure()
               << "warning: " << CountNear(icons[1], kRed) << " red of " << Total(icons[1]);
    int white = 0;
    for (int y = 0; y < area.height; ++y)
        for (int x = icons[2].left; x < icons[2].right; ++x)
            white += Near(area.At(x, y), kWhite) ? 1 : 0;
    if (icons[2].right - icons[2].left != 16 || CountNear(icons[2], kRed) <= 128 || white <= 20)
        return ::testing::AssertionFailure()
               << "critical: " << icons[2].right - icons[2].left << " wide, "
               << CountNear(icons[2], kRed) << " red, " << white << " white";
    return ::testing::AssertionSuccess();
}

// The visible top-level window of the notification area that the desktop process keeps.
HWND TrayWindow() {
    // Without a desktop window Wine keeps a stand-alone one.
    if (HWND alone = FindWindowA("__winex11_standalone_tray", nullptr);
        alone && IsWindowVisible(alone))
        return alone;
    for (HWND w = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr); w;
         w = FindWindowExA(nullptr, w, "Shell_TrayWnd", nullptr))
        if (IsWindowVisible(w))
            return w;
    return nullptr;
}

// The visible top-level windows, by class, caption and place, to tell what the screen showed.
std::string VisibleWindows() {
    std::string all;
    EnumWindows(
        [](HWND w, LPARAM data) -> BOOL {
            if (!IsWindowVisible(w))
                return TRUE;
            char name[128] = {};
            char caption[128] = {};
            GetClassNameA(w, name, sizeof(name));
            GetWindowTextA(w, caption, sizeof(caption));
            RECT r{};
            GetWindowRect(w, &r);
            *reinterpret_cast<std::string*>(data) +=
                std::string("\n  ") + name + " \"" + caption + "\" (" + std::to_string(r.left) +
                "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
                std::to_string(r.bottom) + ")";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

// A visible balloon on the desktop, or null.
HWND VisibleBalloon() {
    for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
         w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) {
        if (IsWindowVisible(w) && (GetWindowLongA(w, GWL_STYLE) & TTS_BALLOON))
            return w;
    }
    return nullptr;
}

using test::SimProgramIn;

std::string Disk(int drive, const std::string& model, int temperature) {
    return "[PhysicalDrive" + std::to_string(drive) + "]\r\nModel=" + model +
           "\r\nSectors=156301488\r\nTemperature=" + std::to_string(temperature) + "\r\n";
}

TEST(DocsImages, TrayIconsInTheirStateColoursABalloonAndTheCountdown) {
    test::CleanDataFolder clean;
    // Normal, warning and critical with the first-run levels (50 and 60 degrees).
    test::RunningProgram program;
    ASSERT_TRUE(program.Start(SimProgramIn("docs_images_tray", Disk(0, "COOL DISK 80", 35) +
                                                                   Disk(1, "WARM DISK 250", 55) +
                                                                   Disk(2, "HOT DISK 120", 68))))
        << program.failure;
    ASSERT_EQ(nullptr, program.box);
    ASSERT_NE(nullptr, program.window);
    // The pointer stays out of the pictures.
    SetCursorPos(1000, 700);
    // Icon 1 is the main icon, hidden while the disks show theirs; 2 to 4 are the disks'.
    ASSERT_TRUE(test::PumpUntil(
        [&] {
            return test::ShellHasIcon(program.Icon(2)) && test::ShellHasIcon(program.Icon(3)) &&
                   test::ShellHasIcon(program.Icon(4));
        },
        kWindowTimeoutMs));
    EXPECT_FALSE(test::ShellHasIcon(program.Icon(1)));

    // The alarms' balloons come first, one at a time; the hot disk's alarm ends in the countdown.
    HWND balloon = nullptr;
    ASSERT_TRUE(test::PumpUntil([&] { return (balloon = VisibleBalloon()); }, 60000))
        << VisibleWindows();
    const Picture balloonPicture = CaptureWindow(balloon);
    EXPECT_TRUE(ShowsSomething(balloonPicture, 100, 30));
    EXPECT_TRUE(Save(balloonPicture, "balloon"));
    HWND countdown = nullptr;
    ASSERT_TRUE(test::PumpUntil(
        [&] { return (countdown = test::VisibleWindowOf(program.Id(), "KorvaneForm", "Korvane")); },
        60000))
        << VisibleWindows();

    // The countdown counts in its Cancel button; the picture shows it counting.
    HWND cancel = nullptr;
    for (int i = 0; i < 4 && !cancel; ++i) {
        const HWND button = test::ui::FindDescendant(countdown, "Button", i);
        if (button && test::ui::Text(button).find("&Cancel") == 0 && test::ui::IsVisible(button))
            cancel = button;
    }
    ASSERT_NE(nullptr, cancel);
    const Picture countdownPicture = CaptureWindow(countdown);
    EXPECT_TRUE(ShowsSomething(countdownPicture, 250, 120));
    EXPECT_TRUE(Save(countdownPicture, "countdown_window"));
    PostMessageA(cancel, BM_CLICK, 0, 0);
    EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(countdown); }, kWindowTimeoutMs));
    EXPECT_FALSE(test::DebugLogHas("POWEROFF: hibernate"));

    // The balloons stand in front of the notification area until they time out.
    ASSERT_TRUE(test::PumpUntil([] { return VisibleBalloon() == nullptr; }, 90000))
        << VisibleWindows();
    const HWND tray = TrayWindow();
    ASSERT_NE(nullptr, tray) << VisibleWindows();
    RECT client{};
    GetClientRect(tray, &client);
    MapWindowPoints(tray, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The pointer, drawn into the screen's pixels, may stand in front of the icons for a
    // moment (it moves away on its own): wait for a picture of the three icons alone.
    Picture area;
    std::vector<IconArea> icons;
    ::testing::AssertionResult shown = ::testing::AssertionFailure();
    test::PumpUntil(
        [&] {
            SetCursorPos(1000, 700);
            area = CaptureScreen(client);
            icons = FindIcons(area);
            shown = StateColoursShown(area, icons);
            return static_cast<bool>(shown);
        },
        kWindowTimeoutMs);
    EXPECT_TRUE(shown);
    ASSERT_FALSE(icons.empty());
    // Just the icons, with a margin, large enough to see.
    const Picture trayPart = area.Crop(std::max(0, icons.front().left - 6), 0,
                                       std::min(area.width, icons.back().right + 6), area.height);
    EXPECT_TRUE(Save(trayPart, "tray_icons", 4));

    EXPECT_TRUE(program.Exit());
}

// The screen's DPI as Wine reports it to each program started after the value is set.
class ScreenDpi {
  public:
    ScreenDpi() = default;
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;
    ~ScreenDpi() { test::DeleteRegistryValue(HKEY_CURRENT_USER, kKey, "LogPixels"); }
    bool Set(int dpi) {
        return test::SetRegistryDword(HKEY_CURRENT_USER, kKey, "LogPixels",
                                      static_cast<DWORD>(dpi));
    }

  private:
    static constexpr const char* kKey = "Control Panel\\Desktop";
};

// The settings window (General, and a disk page's three tabs) and the about window at 100, 150
// and 200 %: one program run per scale. Above 100 % the pictures carry the DPI in their names,
// and the settings window's client area is 500 x 410 at that scale, as far as the screen holds it.
TEST(DocsImages, SettingsPagesAndTheAboutWindow) {
    ScreenDpi screen;
    for (const int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        // A new user each time: the start waits for its debug log's first line of a finished start.
        test::CleanDataFolder clean;
        ASSERT_TRUE(screen.Set(dpi));
        const std::string suffix = dpi == 96 ? "" : "_" + std::to_string(dpi);
        const auto scaled = [dpi](int length) { return length * dpi / 96; };
        // Disks that raise no alarm: no balloon or countdown comes in front of the windows.
        test::RunningProgram program;
        ASSERT_TRUE(program.Start(SimProgramIn(
            "docs_images_settings", Disk(0, "COOL DISK 80", 35) + Disk(1, "WARM DISK 250", 44))))
            << program.failure;
        ASSERT_EQ(nullptr, program.box);
        ASSERT_NE(nullptr, program.window);
        SetCursorPos(1000, 700);

        // Opens the settings window at a page, checks it, keeps its picture and closes it again.
        // With `own`, the disk's page is switched to settings of its own first (not saved: the
        // window closes without OK), so that the pictures show them, one per tab.
        const auto page = [&](UINT icon, const std::string& group, const std::string& name,
                              bool own) {
            PostMessageA(program.window, kTrayCallbackMessage, icon, WM_LBUTTONDBLCLK);
            HWND settings = nullptr;
            HWND frame = nullptr;
            ASSERT_TRUE(test::PumpUntil(
                [&] {
                    settings =
                        test::VisibleWindowOf(program.Id(), "KorvaneForm", "Korvane - Settings");
                    frame =
                        settings ? test::ui::FindByText(settings, "[ " + group + " ]") : nullptr;
                    return frame && test::ui::IsVisible(frame);
                },
                kWindowTimeoutMs))
                << group;
            RECT client{};
            GetClientRect(settings, &client);
            RECT outer{};
            GetWindowRect(settings, &outer);
            // A window taller than the screen is cut to it, as on Windows: at 200 % this
            // 768-line display holds the about window but not the settings window, which is
            // only measured across.
            const bool fits = outer.bottom - outer.top < GetSystemMetrics(SM_CYSCREEN);
            EXPECT_NEAR(scaled(500), client.right, 2);
            if (fits) {
                EXPECT_NEAR(scaled(410), client.bottom, 2);
            }
            std::vector<std::pair<std::string, Picture>> pictures;
            if (own) {
                const HWND common = test::ui::FindByText(
                    settings, "Use Common Temperature settings for this hard disk", "Button");
                ASSERT_NE(nullptr, common);
                ASSERT_TRUE(test::ui::IsChecked(common));
                PostMessageA(common, BM_CLICK, 0, 0);
                ASSERT_TRUE(test::PumpUntil(
                    [&] {
                        const HWND poll =
                            test::ui::FindByText(settings, "Temperature Poll Interval", "Button");
                        return !test::ui::IsChecked(common) && poll && test::ui::IsVisible(poll);
                    },
                    kWindowTimeoutMs));
                HWND tabs = nullptr;
                for (int i = 0; (tabs = test::ui::FindDescendant(settings, "SysTabControl32", i));
                     ++i)
                    if (test::ui::IsVisible(tabs) && test::ui::TabCount(tabs) == 3)
                        break;
                ASSERT_NE(nullptr, tabs);
                for (const char* tab : {"", "_levels", "_control"}) {
                    pictures.emplace_back(name + tab + suffix, CaptureWindow(settings));
                    // The arrow key moves to the next tab as a click does, with its notification.
                    const int next = test::ui::TabSelection(tabs) + 1;
                    PostMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
                    if (next < 3) {
                        ASSERT_TRUE(
                            test::PumpUntil([&] { return test::ui::TabSelection(tabs) == next; },
                                            kWindowTimeoutMs));
                    }
                }
            } else {
                pictures.emplace_back(name + suffix, CaptureWindow(settings));
            }
            for (const auto& [file, picture] : fits ? pictures : decltype(pictures){}) {
                EXPECT_TRUE(ShowsSomething(picture, scaled(400), scaled(300) * 3 / 4)) << file;
                EXPECT_TRUE(Save(picture, file));
            }
            PostMessageA(settings, WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_TRUE(
                test::PumpUntil([&] { return !IsWindowVisible(settings); }, kWindowTimeoutMs));
        };
        // The main icon opens the General page, a disk's icon that disk's page.
        page(1, "General", "settings_general", false);
        page(2, "COOL DISK 80", "settings_disk", true);

        // "About..." is the main icon menu's last entry but for "Exit Korvane".
        ASSERT_TRUE(test::ChooseFromTrayMenu(program.window, 1, {VK_UP, VK_UP, VK_RETURN},
                                             kWindowTimeoutMs));
        HWND about = nullptr;
        ASSERT_TRUE(test::PumpUntil(
            [&] {
                return (about =
                            test::VisibleWindowOf(program.Id(), "KorvaneForm", "About - Korvane"));
            },
            kWindowTimeoutMs));
        RECT aboutClient{};
        GetClientRect(about, &aboutClient);
        EXPECT_NEAR(scaled(420), aboutClient.right, 2);
        EXPECT_NEAR(scaled(345), aboutClient.bottom, 2);
        const Picture picture = CaptureWindow(about);
        EXPECT_TRUE(ShowsSomething(picture, scaled(300), scaled(200)));
        EXPECT_TRUE(Save(picture, "about_window" + suffix));
        PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(about); }, kWindowTimeoutMs));

        EXPECT_TRUE(program.Exit());
    }
}

} // namespace
} // namespace korvane
