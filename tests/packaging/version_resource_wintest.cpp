// The version resources of the built programs, read the way Explorer's Properties page reads them.
#include "app_program_win.h"
#include "test_env.h"
#include "toolkit/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace korvane {
namespace {

struct VersionInfo {
    std::vector<char> block;

    explicit VersionInfo(const std::string& file) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
        if (size == 0)
            return;
        block.resize(size);
        if (!GetFileVersionInfoA(file.c_str(), 0, size, block.data()))
            block.clear();
    }

    const VS_FIXEDFILEINFO* Fixed() {
        void* data = nullptr;
        UINT length = 0;
        if (block.empty() || !VerQueryValueA(block.data(), "\\", &data, &length) ||
            length < sizeof(VS_FIXEDFILEINFO))
            return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(data);
    }

    // A string of the first translation the block names, as Explorer picks it.
    std::string Text(const std::string& name) {
        struct Translation {
            WORD language;
            WORD codePage;
        };
        void* data = nullptr;
        UINT length = 0;
        if (block.empty() ||
            !VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &data, &length) ||
            length < sizeof(Translation))
            return "<no translation>";
        const auto* t = static_cast<const Translation*>(data);
        char path[128];
        wsprintfA(path, "\\StringFileInfo\\%04x%04x\\%s", t->language, t->codePage, name.c_str());
        if (!VerQueryValueA(block.data(), path, &data, &length) || length == 0)
            return "<missing>";
        return static_cast<const char*>(data);
    }
};

void ExpectKorvaneVersion(const std::string& exe, const std::string& description) {
    SCOPED_TRACE(exe);
    VersionInfo info(exe);
    ASSERT_FALSE(info.block.empty());
    const VS_FIXEDFILEINFO* fixed = info.Fixed();
    ASSERT_NE(nullptr, fixed);
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionMS);  // 1.0
    EXPECT_EQ(MAKELONG(51, 0), fixed->dwFileVersionLS); // .0.51
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ("1.0.0.51", info.Text("FileVersion"));
    EXPECT_EQ("1.0.0.51", info.Text("ProductVersion"));
    EXPECT_EQ("Korvane", info.Text("ProductName"));
    EXPECT_EQ(description, info.Text("FileDescription"));
    EXPECT_EQ("The Korvane developers", info.Text("CompanyName"));
    EXPECT_NE(std::string::npos, info.Text("LegalCopyright").find("Korvane developers"));
}

TEST(VersionResource, BothProgramsCarryTheProductVersion) {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    ASSERT_NE(nullptr, build);
    ExpectKorvaneVersion(test::BuiltProgram("release"), "Korvane hard disk temperature monitor");
    ExpectKorvaneVersion(test::BuiltProgram("sim"), "Korvane hard disk temperature monitor");
    std::string postwright = test::JoinPath(build, KORVANE_POSTWRIGHT_PATH);
    for (char& c : postwright)
        if (c == '/')
            c = '\\';
    ExpectKorvaneVersion(postwright, "Korvane bug report and contact mail");
}

} // namespace
} // namespace korvane
