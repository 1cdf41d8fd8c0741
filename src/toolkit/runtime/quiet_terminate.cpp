// Linked straight into each program (not through a library, so that it wins over the runtime's
// own): an uncaught exception ends the program without the runtime's verbose handler, which would
// print the exception's demangled type to a console that a GUI program does not have and drags
// the whole C++ demangler (some 45 KB) into the .exe for it.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx
