// Test program: binds a library named without a folder through its library table and calls a
// second one, also named without a folder, through CallDLL. Both lie beside the executable,
// which finds them wherever it is started from. Prints the two results.
#include "trova.h"

KX_IMPORT(int, kxtAdd, (int, int), "_fkxtadd");

KX_LIBS(kx_lib("KXTestLibA.dll", kx_libfn("_kxtAdd@8", &kxtAdd)));

KX_CSTR(libraryB, "KXTestLibB.dll");
KX_CSTR(reverse, "kxtReverse");
KX_CSTRS(&libraryB, &reverse);

KX_DATA();

KX_MAIN()
{
    {
        kx_temps t;
        Print(t.made(kxStrFromInt(kxtAdd(2, 3))));
    }
    int in = CreateBank(3);
    int out = CreateBank(2);
    {
        kx_temps t;
        Print(t.made(kxStrFromInt(CallDLL(libraryB, reverse, in, out))));
    }
    FreeBank(in);
    FreeBank(out);
}
