// Test folders from the environment set by ctest.
#include "test_env.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifdef KORVANE_TEST_FOLDER_PER_TEST
#include <gtest/gtest.h>
#endif

namespace korvane::test {

namespace {

std::string EnvOr(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}

} // namespace

char PathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == PathSeparator()) {
        return folder + name;
    }
    return folder + PathSeparator() + name;
}

std::string TestDataDir() {
    return EnvOr("KORVANE_TEST_DATA", "tests/data");
}

std::string FreshTempDir(const std::string& name) {
    std::string dir = JoinPath(EnvOr("KORVANE_TEST_TMP", "test-tmp"), name);
#ifdef KORVANE_TEST_FOLDER_PER_TEST
    // The tests of one fixture share the name; run side by side, one would empty the other's.
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
        dir = JoinPath(dir, std::string(test->test_suite_name()) + "." + test->name());
    }
#endif
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    std::filesystem::create_directories(dir);
    return dir;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace korvane::test
