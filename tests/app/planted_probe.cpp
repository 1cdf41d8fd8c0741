// The counter-test to the planted-DLL checks: a program that loads powrprof, winmm and mapi32 by
// bare name, as Windows' default search does. Its exit code counts the libraries it could load.
#include "toolkit/win32.h"

#include <initializer_list>

int main() {
    int loaded = 0;
    for (const char* name : {"powrprof.dll", "winmm.dll", "mapi32.dll"}) {
        if (LoadLibraryA(name))
            ++loaded;
    }
    return loaded;
}
