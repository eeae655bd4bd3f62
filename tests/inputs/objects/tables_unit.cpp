// Test object for kximage: a program with every start-up table, declared through trova.h.
#include "trova.h"

KX_CSTR(hello, "Hello");
KX_CSTR(nothing, "");
KX_CSTRS(&hello, &nothing);

KX_DATA(kx_dint(-2), kx_dfloat(1.5f), kx_dstr("three"));

KX_IMPORT(int, GetLastError, (), "_fgetlasterror");
KX_IMPORT(int, MessageBeep, (int), "_fmessagebeep");
KX_LIBS(kx_lib("kernel32.dll", kx_libfn("GetLastError", &GetLastError)), kx_lib("empty.dll"),
    kx_lib("data\\user32.dll", kx_libfn("MessageBeep", &MessageBeep)));

KX_MAIN()
{
    kx_temps t;
    Print(kxStrConcat(hello, t(CurrentDate())));
    MessageBeep(GetLastError());
}
