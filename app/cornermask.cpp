// Window corner mask: paints the captured window's rounded corners in the mask colour.
#include "pictorra.h"

int drawwindowmask(int)
{
    notbuilt();
}
