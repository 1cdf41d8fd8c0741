// Where tests find their data and where they may write: both come from the environment that
// ctest sets (native paths natively, Z:\ paths under Wine).
#pragma once

#include <string>

namespace korvane::test {

// Folder of the checked-in test data (tests/data), without a trailing separator.
std::string TestDataDir();

// A fresh, empty folder for one test under the build tree's test-tmp folder, created anew on
// every call with the same name; natively one per running test (test-tmp/name/Suite.Test), as
// ctest runs the tests of one fixture side by side. Without a trailing separator.
std::string FreshTempDir(const std::string& name);

// The separator of the platform the test runs on: "\" under Windows, "/" natively.
char PathSeparator();

// Joins a folder and a name with the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

// Whole-file helpers for checking what the code under test wrote.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

} // namespace korvane::test
