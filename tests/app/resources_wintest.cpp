// The resources linked into the built KorvaneMonitor.exe: pictures of the right sizes and
// transparent colour, the cursor, the manifest and the event log's message table.
#include "app_program_win.h"
#include "gdi_win.h"
#include "test_env.h"
#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace korvane {
namespace {

SIZE BitmapSize(HMODULE module, const char* name) {
    SIZE size{};
    const ScopedBitmap bitmap(
        static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap.Get(), sizeof(info), &info))
        size = {info.bmWidth, info.bmHeight};
    return size;
}

// The colour of one pixel of a bitmap resource, 0x00BBGGRR; CLR_INVALID when it cannot be read.
COLORREF BitmapPixel(HMODULE module, const char* name, int x, int y) {
    const ScopedBitmap bitmap(
        static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!bitmap)
        return CLR_INVALID;
    const ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    const ScopedSelection selection(dc.Get(), bitmap.Get());
    return GetPixel(dc.Get(), x, y);
}

bool IconOfSize(HMODULE module, const char* name, UINT type, int edge) {
    HANDLE image = LoadImageA(module, name, type, edge, edge, 0);
    if (!image)
        return false;
    ICONINFO info{};
    bool ok = GetIconInfo(static_cast<HICON>(image), &info) != FALSE;
    const ScopedBitmap maskBitmap(info.hbmMask);
    const ScopedBitmap colorBitmap(info.hbmColor);
    BITMAP mask{};
    if (ok)
        ok = GetObjectA(info.hbmMask, sizeof(mask), &mask) && mask.bmWidth == edge;
    type == IMAGE_CURSOR ? DestroyCursor(static_cast<HCURSOR>(image))
                         : DestroyIcon(static_cast<HICON>(image));
    return ok;
}

TEST(ProgramResources, PicturesCursorAndManifest) {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    ASSERT_NE(nullptr, build);
    const test::ProgramResources resources;
    ASSERT_NE(nullptr, resources.Get()) << test::BuiltProgram("release");
    HMODULE m = resources.Get();

    EXPECT_TRUE(IconOfSize(m, "MAINICON", IMAGE_ICON, 32));
    EXPECT_TRUE(IconOfSize(m, "MAINICON", IMAGE_ICON, 16));
    EXPECT_TRUE(IconOfSize(m, "ZTRAYICON", IMAGE_ICON, 16));
    EXPECT_TRUE(IconOfSize(m, "HAND", IMAGE_CURSOR, 32));
    SIZE drive = BitmapSize(m, "XP_DRIVE");
    EXPECT_EQ(48, drive.cx);
    EXPECT_EQ(48, drive.cy);
    SIZE hot = BitmapSize(m, "XP_DRIVE_HOT");
    EXPECT_EQ(48, hot.cx);
    EXPECT_EQ(48, hot.cy);
    // The disk pictures are drawn with magenta as their transparent colour: their corners are
    // see-through on the window's face, not white squares.
    for (const char* name : {"XP_DRIVE", "XP_DRIVE_HOT"}) {
        SCOPED_TRACE(name);
        for (const POINT corner : {POINT{0, 0}, POINT{47, 0}, POINT{0, 47}, POINT{47, 47}})
            EXPECT_EQ(RGB(255, 0, 255), BitmapPixel(m, name, corner.x, corner.y));
        EXPECT_NE(RGB(255, 0, 255), BitmapPixel(m, name, 20, 24)); // the disk itself
    }
    SIZE header = BitmapSize(m, "Z_ABOUT_HEADER");
    EXPECT_EQ(450, header.cx);
    EXPECT_EQ(71, header.cy);

    const std::string xml = test::ManifestOf(m);
    EXPECT_NE(std::string::npos, xml.find("Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::string::npos, xml.find("version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, xml.find("level=\"asInvoker\""));
    for (const char* os : test::kSupportedOsIds) {
        EXPECT_NE(std::string::npos, xml.find(std::string("<supportedOS Id=\"") + os + "\"/>"))
            << os;
    }
    // The windows lay themselves out per monitor: per-monitor v2, per-monitor where v2 is
    // unknown, and the older element for Windows 8.1 and before.
    EXPECT_NE(std::string::npos,
              xml.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                       "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"));
    EXPECT_NE(std::string::npos, xml.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/"
                                          "2005/WindowsSettings\">true/pm</dpiAware>"));
}

// Event Viewer's way to a text: the message of the event's id with its insertion strings. A
// model holding inserts and quotes comes out as it is, never expanded again.
TEST(ProgramResources, TheMessageTableGivesWholeTextsWithTheFactsInserted) {
    const test::ProgramResources resources;
    ASSERT_NE(nullptr, resources.Get());
    const char* strings[] = {"HDD2", "X \"%1\" %%3 Y", "SER-9", "61", "critical", "60"};
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                           FORMAT_MESSAGE_ALLOCATE_BUFFER,
                       resources.Get(), 1202, 0, reinterpret_cast<char*>(&text), 0,
                       reinterpret_cast<va_list*>(const_cast<char**>(strings)));
    ASSERT_NE(0u, length) << GetLastError();
    const std::string message(text, length);
    LocalFree(text);
    EXPECT_EQ("Hard disk HDD2 (X \"%1\" %%3 Y, serial number SER-9) reached its critical level: 61 "
              "degrees Celsius, critical level 60 degrees Celsius.\r\n",
              message);
    // Every event the program reports has its text.
    for (DWORD id : {1000u, 1001u, 1100u, 1101u, 1102u, 1103u, 1200u, 1201u, 1202u, 1300u, 1301u,
                     1302u, 1303u, 1400u, 1401u}) {
        char buffer[512];
        EXPECT_NE(0u, FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                                     resources.Get(), id, 0, buffer, sizeof buffer, nullptr))
            << id;
    }
}

} // namespace
} // namespace korvane
