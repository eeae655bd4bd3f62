// Test program: refers to a name the runtime does not register. kximage refuses to link it
// unless told to leave the name in the image; the runtime then refuses to run it.
#include "trova.h"

extern "C" KX_STDCALL void NoSuchCommand() KX_LINK("_fnosuchcommand");

extern "C" void kx_main() KX_LINK("__MAIN");

extern "C" void kx_main()
{
    NoSuchCommand();
    End();
}
