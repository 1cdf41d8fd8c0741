// The settings file that the first run writes, shared by the tests of the settings store.
#pragma once

#include <string>

namespace korvane::test {

// The whole first-run file of a program installed in C:\Program Files\Korvane, key by key in its
// order.
std::string FirstRunSettingsText();

} // namespace korvane::test
