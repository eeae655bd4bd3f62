// Test program: binds an external library through its library table. Functions that exist are
// called and print their results; a function the library lacks, and every function of a library
// that cannot be loaded, end the program only when called. The command line picks which
// missing function is called: "function" or "library".
#include "trova.h"

KX_IMPORT(int, kxtAdd, (int, int), "_fkxtadd");
KX_IMPORT(int, kxtStdSum, (int, int, int, int), "_fkxtstdsum");
KX_IMPORT(int, kxtMissing, (int), "_fkxtmissing");
KX_IMPORT(int, kxtNoLibrary, (int), "_fkxtnolibrary");

KX_LIBS(kx_lib("userlibs\\KXTestLibA.dll",
            kx_libfn("_kxtAdd@8", &kxtAdd),
            kx_libfn("kxtStdSum", &kxtStdSum),
            kx_libfn("kxtMissing", &kxtMissing)),
    kx_lib("userlibs\\NoSuchLibrary.dll", kx_libfn("kxtNoLibrary", &kxtNoLibrary)));

KX_CSTR(started, "bound");
KX_CSTR(function, "function");
KX_CSTR(unreachable, "still running");
KX_CSTRS(&started, &function, &unreachable);

KX_DATA();

KX_MAIN()
{
    Print(started);
    {
        kx_temps t;
        Print(t.made(kxStrFromInt(kxtAdd(2, 3))));
    }
    {
        kx_temps t;
        Print(t.made(kxStrFromInt(kxtStdSum(1, 2, 3, 4))));
    }
    {
        kx_temps t;
        if (kxStrCompare(t(CommandLine()), function) == 0)
            kxtMissing(1);
        else
            kxtNoLibrary(1);
    }
    Print(unreachable);
}
