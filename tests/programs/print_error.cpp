// Test program: prints its command line, then raises it as a runtime error. The process must
// print the line on standard output, show "TITLE: line" on standard error and exit with 0.
#include "trova.h"

extern "C" void kx_main() KX_LINK("__MAIN");

extern "C" void kx_main()
{
    kx_str line = CommandLine();
    Print(line);
    Write(line);
    Print(kx_str(SystemProperty(line)));
    if (ActiveObjects() > 0)
        RuntimeError(line);
    End();
}
