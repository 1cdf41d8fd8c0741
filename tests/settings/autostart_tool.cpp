// Test helper: "on PROGRAM" or "off" switches the autostart value, for the registry script test.
#include "settings/registry.h"
#include "settings/registry_win.h"

#include <cstring>

int main(int argc, char** argv) {
    using namespace korvane;
    auto registry = CreateWin32Registry();
    if (argc == 3 && std::strcmp(argv[1], "on") == 0) {
        SetAutostart(*registry, kAutostartValueName, argv[2], true);
    } else if (argc == 2 && std::strcmp(argv[1], "off") == 0) {
        SetAutostart(*registry, kAutostartValueName, "", false);
    } else {
        return 2;
    }
    return AutostartEnabled(*registry, kAutostartValueName) == (argc == 3) ? 0 : 1;
}
