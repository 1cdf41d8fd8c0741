// The resources linked into the built KorvaneMonitor.exe: pictures of the right sizes, the cursor
// and the manifest.
#include "test_env.h"
#include "toolkit/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace korvane {
namespace {

struct Module {
    HMODULE handle = nullptr;
    ~Module() {
        if (handle)
            FreeLibrary(handle);
    }
};

SIZE BitmapSize(HMODULE module, const char* name) {
    SIZE size{};
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap, sizeof(info), &info))
        size = {info.bmWidth, info.bmHeight};
    if (bitmap)
        DeleteObject(bitmap);
    return size;
}

bool IconOfSize(HMODULE module, const char* name, UINT type, int edge) {
    HANDLE image = LoadImageA(module, name, type, edge, edge, 0);
    if (!image)
        return false;
    ICONINFO info{};
    bool ok = GetIconInfo(static_cast<HICON>(image), &info) != FALSE;
    BITMAP mask{};
    if (ok)
        ok = GetObjectA(info.hbmMask, sizeof(mask), &mask) && mask.bmWidth == edge;
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    type == IMAGE_CURSOR ? DestroyCursor(static_cast<HCURSOR>(image))
                         : DestroyIcon(static_cast<HICON>(image));
    return ok;
}

TEST(ProgramResources, PicturesCursorAndManifest) {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    ASSERT_NE(nullptr, build);
    const std::string exe = test::JoinPath(test::JoinPath(build, "release"), "KorvaneMonitor.exe");
    Module module;
    module.handle = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module.handle) << exe;
    HMODULE m = module.handle;

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
    SIZE header = BitmapSize(m, "Z_ABOUT_HEADER");
    EXPECT_EQ(450, header.cx);
    EXPECT_EQ(71, header.cy);

    HRSRC manifest = FindResourceA(m, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, manifest);
    const char* text = static_cast<const char*>(LockResource(LoadResource(m, manifest)));
    const std::string xml(text, SizeofResource(m, manifest));
    EXPECT_NE(std::string::npos, xml.find("Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::string::npos, xml.find("version=\"6.0.0.0\""));
    // Windows 10 must tell the program its true version.
    EXPECT_NE(std::string::npos, xml.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"));
}

} // namespace
} // namespace korvane
